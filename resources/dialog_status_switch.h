// 208 and 209: Status Switch, one per circuit. The two differ only in the label beside the
// rotary switch position.
#pragma once

#include <string>

#include "framework/dialog_template.h"

namespace status_switch_dialog {
constexpr int kIdUnitMode = 203;
constexpr int kIdSwitchPosition = 301;
// The override radio buttons, in the order of the override values 1 to 6 and 255.
constexpr int kIdBoost = 328;
constexpr int kIdNight = 335;
constexpr int kIdDay = 336;
constexpr int kIdOff = 337;
constexpr int kIdAuto = 338;
constexpr int kIdOccupied = 339;
constexpr int kIdManualSwitch = 340;
}  // namespace status_switch_dialog

// The template `templateId` with `switchLabel` beside the switch position; made once per id.
const fw::DialogTemplate& StatusSwitchDialog(int templateId, const std::string& switchLabel);
