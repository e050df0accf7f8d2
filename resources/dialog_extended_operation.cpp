#include "resources/dialog_extended_operation.h"

#include "resources/dialog_rows.h"

using fw::ControlDef;
using fw::ControlKind;
using fw::kStaticId;
using namespace extended_operation_dialog;

namespace {

struct Row {
  const char* label;
  int delayId;
  int startId;
};
constexpr Row kRows[] = {
    {"Start boost temperature in X Hours", kIdBoostDelay, kIdStartBoost},
    {"Start day temperature in X Hours", kIdDayDelay, kIdStartDay},
    {"Start night temperature in X Hours", kIdNightDelay, kIdStartNight},
};
constexpr int kFirstRowTop = 22;
constexpr int kRowPitch = 22;

// Each row reads label, delay, "Start": the engineer types the time, then starts it. Controls
// in reading order, which is also the order the Tab key walks them.
std::vector<ControlDef> Controls() {
  std::vector<ControlDef> c = {{kStaticId, ControlKind::kGroupBox, "Time", 7, 7, 236, 80}};
  for (int row = 0; row < 3; ++row) {
    const int top = kFirstRowTop + row * kRowPitch;
    c.push_back({kStaticId, ControlKind::kStatic, kRows[row].label, 16, top + 3, 132, 8});
    c.push_back({kRows[row].delayId, ControlKind::kEdit, "", 152, top + 1, 36, 12});
    c.push_back({kRows[row].startId, ControlKind::kPushButton, "Start", 194, top, 42, 14});
  }
  AddReadWrite(c, 129);
  return c;
}

}  // namespace

const fw::DialogTemplate& ExtendedOperationDialog(int templateId) {
  return fw::TemplateOnce(templateId, [&] { return Controls(); });
}
