#include "resources/dialog_week_calendar.h"

#include "nvdata/nv_page.h"

using fw::ControlDef;
using fw::ControlKind;
using fw::kStaticId;
using namespace week_calendar_dialog;

namespace {

constexpr const char* kRowLabels[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                      "Friday", "Saturday", "Sunday",    "Holiday"};
constexpr int kRowTop = 24;
constexpr int kRowPitch = 12;
constexpr int kHolidayTop = 114;
constexpr int kFieldWidth = 28;
constexpr int kFieldHeight = 11;
constexpr int kColumnLeft[2][2] = {{48, 78}, {116, 146}};  // [calendar][start, stop]

int RowTop(int row) {
  return row < 7 ? kRowTop + row * kRowPitch : kHolidayTop;
}

std::vector<ControlDef> Controls() {
  std::vector<ControlDef> c = {
      {kStaticId, ControlKind::kGroupBox, "Calender 1", 44, 4, 66, 106},
      {kStaticId, ControlKind::kGroupBox, "Calender 2", 112, 4, 66, 106},
  };
  for (int calendar = 0; calendar < 2; ++calendar) {
    c.push_back(
        {kStaticId, ControlKind::kStatic, "Start ", kColumnLeft[calendar][0], 14, kFieldWidth, 8});
    c.push_back(
        {kStaticId, ControlKind::kStatic, "Stop ", kColumnLeft[calendar][1], 14, kFieldWidth, 8});
  }
  // The rows in reading order, which is the Tab order: Monday down to Sunday, then the holiday;
  // within a row Calender 1 before Calender 2, start before stop. The part's words run from
  // Sunday with the two calendars interleaved.
  for (int row = 0; row < 8; ++row) {
    c.push_back({kStaticId, ControlKind::kStatic, kRowLabels[row], 4, RowTop(row) + 2, 39, 8});
    const int calendars = row < 7 ? 2 : 1;
    for (int calendar = 0; calendar < calendars; ++calendar) {
      const int word = row < 7 ? 2 * ((row + 1) % 7) + calendar + 1 : kHolidayWord;
      const WordFields& f = kWordFields[word - 1];
      c.push_back({f.start, ControlKind::kEdit, "", kColumnLeft[calendar][0], RowTop(row),
                   kFieldWidth, kFieldHeight});
      c.push_back({f.stop, ControlKind::kEdit, "", kColumnLeft[calendar][1], RowTop(row),
                   kFieldWidth, kFieldHeight});
    }
  }
  const std::vector<ControlDef> side = {
      {kStaticId, ControlKind::kStatic, "Calender is", 182, 8, 64, 8},
      {kIdCalendarState, ControlKind::kEdit, "", 182, 18, 64, 12, fw::kReadOnly | fw::kCentred},
      {kStaticId, ControlKind::kStatic, "Date", 182, 36, 64, 8},
      {kIdNodeDate, ControlKind::kEdit, "", 182, 46, 64, 12, fw::kReadOnly | fw::kRightAlign},
      {kStaticId, ControlKind::kStatic, "Time", 182, 64, 64, 8},
      {kIdNodeTime, ControlKind::kEdit, "", 182, 74, 64, 12, fw::kReadOnly | fw::kRightAlign},
      {kIdDefault, ControlKind::kPushButton, "Default", 7, 131, 44, 14},
      {kIdReset, ControlKind::kPushButton, "Reset", 55, 131, 44, 14},
      {kIdRead, ControlKind::kPushButton, "Read", 141, 131, 48, 14},
      {kIdWrite, ControlKind::kPushButton, "Write", 195, 131, 48, 14},
  };
  c.insert(c.end(), side.begin(), side.end());
  return c;
}

}  // namespace

const fw::DialogTemplate& WeekCalendarDialog(int templateId) {
  return fw::TemplateOnce(templateId, [&] { return Controls(); });
}
