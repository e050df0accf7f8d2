// 232 and 233: Exercise / Digital Valve, one per circuit, identical: the pump's and the valve's
// standstill before the node exercises them, the digital valve's running and waiting times and
// its calibration time.
#pragma once

#include "framework/dialog_template.h"

namespace exercise_valve_dialog {
constexpr int kIdPumpStandstill = 224;
constexpr int kIdValveStandstill = 225;
constexpr int kIdValveRunning = 226;
constexpr int kIdValveWaiting = 227;
constexpr int kIdCalibration = 228;
}  // namespace exercise_valve_dialog

// 232 or 233.
const fw::DialogTemplate& ExerciseValveDialog(int templateId);
