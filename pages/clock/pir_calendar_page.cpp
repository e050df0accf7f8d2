#include "pages/clock/pir_calendar_page.h"

#include <string>

#include "nvdata/number_text.h"
#include "nvdata/nv_codec.h"
#include "pages/clock/time_text.h"
#include "resources/dialog_pir_calendar.h"
#include "resources/strings.h"

using namespace pir_calendar_dialog;

namespace {

const char* OccupancyText(int state) {
  if (state == 0) return "occupied";
  if (state == 1) return "unoccupied";
  return "out of range";
}

}  // namespace

CPirCalendarPage::CPirCalendarPage(const PirCalendarCircuit& circuit)
    : CNvPage(PirCalendarDialog(circuit.templateId), circuit.templateId,
              ResString(circuit.templateId), true),
      circuit_(circuit) {
  OnClicked(kIdReset, [this] { OnReset(); });
}

void CPirCalendarPage::RefreshLive() {
  uint8_t buffer[kReadCapacity] = {};
  if (ReadNv(circuit_.occupancyIndex, buffer, kReadCapacity) == 0) {
    SetItemText(kIdOccupancy, OccupancyText(CNvCodec::SignedByte(buffer[0])));
  }
}

void CPirCalendarPage::ReadSettings() {
  PartExchange parts(Node());
  uint8_t record[kReadCapacity] = {};
  if (parts.Read(circuit_.part, record, kReadCapacity) != 0) return;
  for (int day = 0; day < kDayCount; ++day) {
    SetItemText(kDayFields[day].start, QuarterHoursToText(record[PirStartByte(day)]));
    SetItemText(kDayFields[day].stop, QuarterHoursToText(record[PirStopByte(day)]));
  }
}

void CPirCalendarPage::WriteSettings() {
  // Read-modify-write: the words this page does not show go back exactly as the node gave them.
  // Without the part (or its selection) nothing is checked, written or said.
  PartExchange parts(Node());
  uint8_t record[kRecordSize] = {};
  if (parts.Read(circuit_.part, record, kRecordSize) != 0) return;

  // A field whose text is not a time keeps the node's byte, and the checks below use it.
  record[0] = 0;
  int formatErrors = 0;
  auto take = [&](int id, int byte) {
    const std::string text = GetItemText(id);
    if (IsValidTimeText(text)) {
      record[byte] = TextToQuarterHours(text);
    } else {
      ++formatErrors;
    }
  };
  for (int day = 0; day < kDayCount; ++day) {
    take(kDayFields[day].stop, PirStopByte(day));
    take(kDayFields[day].start, PirStartByte(day));
  }

  // The checks cover the seven days the engineer sees and can correct; a hidden word the node
  // holds in any state never blocks a write. A stop before its start counts without a message;
  // a stop of 0:00 (none) passes.
  int errors = formatErrors;
  int starts = 0;
  int stops = 0;
  for (int day = 0; day < kDayCount; ++day) {
    const uint8_t start = record[PirStartByte(day)];
    const uint8_t stop = record[PirStopByte(day)];
    if (stop != 0 && stop < start) ++errors;
    starts += start != 0 ? 1 : 0;
    stops += stop != 0 ? 1 : 0;
  }
  // The week counts as a whole, not day by day.
  if (starts != stops) {
    ShowMessage("Error in PIR calender, unequal start and stoptimes");
    ++errors;
  }

  if (errors != 0) {
    // The fields keep what the engineer typed, to be corrected.
    ShowMessage(CalendarRefusal(errors, formatErrors));
    return;
  }
  Node().Write(kIndexPluginCnf, record, kRecordSize);
  OnRead();
}

void CPirCalendarPage::OnReset() {
  for (const DayFields& f : kDayFields) {
    SetItemText(f.start, "0:00");
    SetItemText(f.stop, "0:00");
  }
}
