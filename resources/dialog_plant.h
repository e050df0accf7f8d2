// 218, 219 and 220: the plant-wide pages, shared by both circuits: the outdoor sensor, the
// pressure sensor and the dewpoint function of BL2.
#pragma once

#include "framework/dialog_template.h"

namespace outdoor_dialog {
constexpr int kIdActual = 212;  // read-only
constexpr int kIdOffset = 213;
}  // namespace outdoor_dialog

namespace pressure_dialog {
constexpr int kIdDigital = 225;
constexpr int kIdAnalog = 224;
constexpr int kIdSensorMin = 215;
constexpr int kIdSensorMax = 216;
constexpr int kIdSensorOffset = 218;
constexpr int kIdActual = 219;  // read-only
constexpr int kIdSetpointBl1 = 213;
constexpr int kIdSetpointBl2 = 212;
constexpr int kIdMonitorBl1 = 207;
constexpr int kIdStopPumpBl1 = 246;
constexpr int kIdMonitorBl2 = 209;
constexpr int kIdStopPumpBl2 = 248;
}  // namespace pressure_dialog

namespace dewpoint_dialog {
constexpr int kIdAdvanceTime = 218;  // right-aligned
constexpr int kIdOffsetRegulator = 242;
constexpr int kIdOffsetClose = 244;
constexpr int kIdForward = 259;     // read-only
constexpr int kIdDewpoint = 260;    // read-only
constexpr int kIdCalculated = 263;  // read-only
}  // namespace dewpoint_dialog

const fw::DialogTemplate& OutdoorDialog();
const fw::DialogTemplate& PressureDialog();
const fw::DialogTemplate& DewpointDialog();
