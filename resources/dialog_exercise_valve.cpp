#include "resources/dialog_exercise_valve.h"

#include "nvdata/nv_page.h"

using fw::ControlDef;
using fw::ControlKind;
using fw::kStaticId;
using namespace exercise_valve_dialog;

namespace {

constexpr int kLabelLeft = 16;
constexpr int kLabelWidth = 122;
constexpr int kFieldLeft = 142;
constexpr int kFieldWidth = 40;
constexpr int kUnitLeft = 186;

// One row: the label (one or two lines) centred on the field, the field, its unit.
void Row(std::vector<ControlDef>& c, const char* text, bool twoLines, int id, int y,
         const char* unitText) {
  if (twoLines) {
    c.push_back({kStaticId, ControlKind::kStatic, text, kLabelLeft, y - 2, kLabelWidth, 16,
                 fw::kMultiLine});
  } else {
    c.push_back({kStaticId, ControlKind::kStatic, text, kLabelLeft, y + 2, kLabelWidth, 8});
  }
  c.push_back({id, ControlKind::kEdit, "", kFieldLeft, y, kFieldWidth, 12, fw::kRightAlign});
  c.push_back({kStaticId, ControlKind::kStatic, unitText, kUnitLeft, y + 2, 40, 8});
}

std::vector<ControlDef> Controls() {
  std::vector<ControlDef> c;
  c.push_back({kStaticId, ControlKind::kGroupBox, "Exercise pump/valve", 7, 4, 236, 44});
  Row(c, "Time stop before exercise pump", false, kIdPumpStandstill, 16, "hours");
  Row(c, "Time stop before exercise valve", false, kIdValveStandstill, 30, "hours");
  c.push_back({kStaticId, ControlKind::kGroupBox, "Digital valve", 7, 54, 236, 76});
  Row(c, "Time to drive the valve\nfully closed from fully opened", true, kIdValveRunning, 68,
      "sec");
  Row(c, "Time to wait before\nnext execution", true, kIdValveWaiting, 90, "sec");
  Row(c, "Calibration digital valve", false, kIdCalibration, 110, "Time");
  c.push_back({kIdRead, ControlKind::kPushButton, "Read", 136, 134, 50, 14});
  c.push_back({kIdWrite, ControlKind::kPushButton, "Write", 193, 134, 50, 14});
  return c;
}

}  // namespace

const fw::DialogTemplate& ExerciseValveDialog(int templateId) {
  return fw::TemplateOnce(templateId, [&] { return Controls(); });
}
