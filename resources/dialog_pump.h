// 212 and 213: Pump, one per circuit. The two differ only in the caption of the pump's group.
#pragma once

#include <string>

#include "framework/dialog_template.h"

namespace pump_dialog {
// The pump mode radio buttons.
constexpr int kIdOff = 339;
constexpr int kIdManual = 340;
constexpr int kIdAutomatic = 341;
// Whether the pump runs: "ON" or "OFF".
constexpr int kIdOut = 212;
// The alarm flags: "Alarm" or "OK".
constexpr int kIdPumpFault = 201;
constexpr int kIdPressureStop = 202;
constexpr int kIdPressureFault = 203;
}  // namespace pump_dialog

// The template `templateId` with `groupCaption` on the pump's group; made once per id.
const fw::DialogTemplate& PumpDialog(int templateId, const std::string& groupCaption);
