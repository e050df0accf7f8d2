#include "resources/dialog_exercise_valve.h"

#include "resources/dialog_rows.h"

using fw::ControlDef;
using fw::ControlKind;
using fw::kStaticId;
using namespace exercise_valve_dialog;

namespace {

std::vector<ControlDef> Controls() {
  std::vector<ControlDef> c;
  const DialogRows rows(c, {16, 122, 142, 40, 186, 40});
  c.push_back({kStaticId, ControlKind::kGroupBox, "Exercise pump/valve", 7, 4, 236, 44});
  rows.Row("Time stop before exercise pump", kIdPumpStandstill, 16, "hours", fw::kRightAlign);
  rows.Row("Time stop before exercise valve", kIdValveStandstill, 30, "hours", fw::kRightAlign);
  c.push_back({kStaticId, ControlKind::kGroupBox, "Digital valve", 7, 54, 236, 76});
  rows.TwoLineRow("Time to drive the valve\nfully closed from fully opened", 16, kIdValveRunning,
                  68, "sec", fw::kRightAlign);
  rows.TwoLineRow("Time to wait before\nnext execution", 16, kIdValveWaiting, 90, "sec",
                  fw::kRightAlign);
  rows.Row("Calibration digital valve", kIdCalibration, 110, "Time", fw::kRightAlign);
  AddReadWrite(c, 134);
  return c;
}

}  // namespace

const fw::DialogTemplate& ExerciseValveDialog(int templateId) {
  return fw::TemplateOnce(templateId, [&] { return Controls(); });
}
