#include "resources/dialog_pir_calendar.h"

#include "nvdata/nv_page.h"

using fw::ControlDef;
using fw::ControlKind;
using fw::kStaticId;
using namespace pir_calendar_dialog;

namespace {

constexpr const char* kDayNames[kDayCount] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                              "Thursday", "Friday", "Saturday"};
constexpr int kRowTop = 25;
constexpr int kRowPitch = 12;
constexpr int kStartLeft = 72;
constexpr int kStopLeft = 112;
constexpr int kFieldWidth = 32;
constexpr int kFieldHeight = 11;

// Controls in reading order, which is the Tab order: the rows from Monday down to Sunday, start
// before stop, then the occupancy and the buttons.
std::vector<ControlDef> Controls() {
  std::vector<ControlDef> c = {
      {kStaticId, ControlKind::kGroupBox, "Calender pir", 7, 4, 150, 106},
      {kStaticId, ControlKind::kStatic, "Start ", kStartLeft, 14, kFieldWidth, 8},
      {kStaticId, ControlKind::kStatic, "Stop ", kStopLeft, 14, kFieldWidth, 8},
  };
  for (int row = 0; row < kDayCount; ++row) {
    const int day = (row + 1) % kDayCount;  // rows run from Monday, the part from Sunday
    const int top = kRowTop + row * kRowPitch;
    c.push_back({kStaticId, ControlKind::kStatic, kDayNames[day], 16, top + 2, 50, 8});
    c.push_back({kDayFields[day].start, ControlKind::kEdit, "", kStartLeft, top, kFieldWidth,
                 kFieldHeight});
    c.push_back(
        {kDayFields[day].stop, ControlKind::kEdit, "", kStopLeft, top, kFieldWidth, kFieldHeight});
  }
  const std::vector<ControlDef> bottom = {
      {kStaticId, ControlKind::kGroupBox, "Pir status", 7, 114, 100, 30},
      {kIdOccupancy, ControlKind::kEdit, "", 14, 126, 86, 12, fw::kReadOnly | fw::kCentred},
      {kIdReset, ControlKind::kPushButton, "Reset", 113, 130, 40, 14},
      {kIdRead, ControlKind::kPushButton, "Read", 159, 130, 40, 14},
      {kIdWrite, ControlKind::kPushButton, "Write", 203, 130, 40, 14},
  };
  c.insert(c.end(), bottom.begin(), bottom.end());
  return c;
}

}  // namespace

const fw::DialogTemplate& PirCalendarDialog(int templateId) {
  return fw::TemplateOnce(templateId, [&] { return Controls(); });
}
