#include "pages/clock/week_calendar_page.h"

#include <string>

#include "nvdata/number_text.h"
#include "nvdata/nv_codec.h"
#include "pages/clock/node_clock.h"
#include "pages/clock/time_text.h"
#include "resources/dialog_week_calendar.h"
#include "resources/strings.h"

using namespace week_calendar_dialog;

namespace {

constexpr const char* kMidnight = "0:00";

const char* CalendarStateText(int state) {
  static const char* const kTexts[] = {"Off", "Calender1 active", "Calender2 active",
                                       "Holiday inactive", "Holiday active"};
  return state >= 0 && state <= 4 ? kTexts[state] : nullptr;
}

// Over the seven day words of one calendar (first word 1 or 2), whether as many days have a
// start as have a stop. The week counts as a whole, not day by day.
bool StartsMatchStops(const uint8_t* record, int firstWord) {
  int starts = 0;
  int stops = 0;
  for (int word = firstWord; word < kHolidayWord; word += 2) {
    starts += record[WeekStartByte(word)] != 0 ? 1 : 0;
    stops += record[WeekStopByte(word)] != 0 ? 1 : 0;
  }
  return starts == stops;
}

}  // namespace

CWeekCalendarPage::CWeekCalendarPage(const WeekCalendarCircuit& circuit)
    : CNvPage(WeekCalendarDialog(circuit.templateId), circuit.templateId,
              ResString(circuit.templateId), true),
      circuit_(circuit) {
  OnClicked(kIdDefault, [this] { OnDefault(); });
  OnClicked(kIdReset, [this] { OnReset(); });
}

void CWeekCalendarPage::RefreshLive() {
  ShowNodeClock(*this, kIdNodeDate, kIdNodeTime);
  uint8_t buffer[kReadCapacity] = {};
  if (ReadNv(circuit_.stateIndex, buffer, kReadCapacity) == 0) {
    // A state the page has no text for leaves the last one standing.
    if (const char* text = CalendarStateText(CNvCodec::MakeWord(buffer[0], buffer[1]))) {
      SetItemText(kIdCalendarState, text);
    }
  }
}

void CWeekCalendarPage::ReadSettings() {
  PartExchange parts(Node());
  uint8_t record[kReadCapacity] = {};
  if (parts.Read(circuit_.part, record, kReadCapacity) != 0) return;
  for (int word = 1; word <= kWordCount; ++word) {
    const WordFields& f = kWordFields[word - 1];
    SetItemText(f.start, QuarterHoursToText(record[WeekStartByte(word)]));
    SetItemText(f.stop, QuarterHoursToText(record[WeekStopByte(word)]));
  }
}

void CWeekCalendarPage::WriteSettings() {
  // The whole part is written, so it is not read first. The selection comes before the checks.
  PartExchange parts(Node());
  const bool selected = parts.Select(circuit_.part);

  // Byte 0 stays 0; a field whose text is not a time counts as 0:00 in the checks below.
  uint8_t record[kRecordSize] = {};
  int formatErrors = 0;
  auto take = [&](int id, int byte) {
    const std::string text = GetItemText(id);
    if (IsValidTimeText(text)) {
      record[byte] = TextToQuarterHours(text);
    } else {
      ++formatErrors;
    }
  };
  for (int word = 1; word <= kWordCount; ++word) {
    take(kWordFields[word - 1].stop, WeekStopByte(word));
    take(kWordFields[word - 1].start, WeekStartByte(word));
  }

  int errors = formatErrors;
  // A stop before its start, counted without a message; a stop of 0:00 (none) passes.
  for (int word = 1; word <= kWordCount; ++word) {
    const uint8_t stop = record[WeekStopByte(word)];
    if (stop != 0 && stop < record[WeekStartByte(word)]) ++errors;
  }
  if (!StartsMatchStops(record, 1)) {
    ShowMessage("Error in Calender 1, unequal start and stoptimes");
    ++errors;
  }
  if (!StartsMatchStops(record, 2)) {
    ShowMessage("Error in Calender 2, unequal start and stoptimes");
    ++errors;
  }
  if ((record[WeekStartByte(kHolidayWord)] != 0) != (record[WeekStopByte(kHolidayWord)] != 0)) {
    ShowMessage("Error in holiday, unequal start and stoptimes");
    ++errors;
  }

  if (errors != 0) {
    // The fields keep what the engineer typed, to be corrected.
    ShowMessage(CalendarRefusal(errors, formatErrors));
    return;
  }
  if (selected) Node().Write(kIndexPluginCnf, record, kRecordSize);
  OnRead();
}

void CWeekCalendarPage::OnDefault() {
  // Monday to Friday of Calender 1 are words 3, 5, 7, 9 and 11; Saturday 13, Sunday 1.
  for (int word = 3; word <= 11; word += 2) {
    SetItemText(kWordFields[word - 1].start, "8:00");
    SetItemText(kWordFields[word - 1].stop, "16:00");
  }
  for (int word : {13, 1}) {
    SetItemText(kWordFields[word - 1].start, kMidnight);
    SetItemText(kWordFields[word - 1].stop, kMidnight);
  }
  SetItemText(kWordFields[kHolidayWord - 1].start, kMidnight);
}

void CWeekCalendarPage::OnReset() {
  for (const WordFields& f : kWordFields) {
    SetItemText(f.start, kMidnight);
    SetItemText(f.stop, kMidnight);
  }
}
