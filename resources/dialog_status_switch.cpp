#include "resources/dialog_status_switch.h"

#include "nvdata/nv_page.h"

using fw::ControlKind;
using fw::kStaticId;
using namespace status_switch_dialog;

const fw::DialogTemplate& StatusSwitchDialog(int templateId, const std::string& switchLabel) {
  constexpr uint32_t kShown = fw::kReadOnly | fw::kCentred;
  return fw::TemplateOnce(templateId, [&] {
    return std::vector<fw::ControlDef>{
        {kStaticId, ControlKind::kGroupBox, "Status", 7, 7, 236, 46},
        {kStaticId, ControlKind::kStatic, switchLabel, 16, 21, 90, 8},
        {kIdSwitchPosition, ControlKind::kEdit, "", 110, 19, 90, 12, kShown},
        {kStaticId, ControlKind::kStatic, "Unit", 16, 37, 90, 8},
        {kIdUnitMode, ControlKind::kEdit, "", 110, 35, 90, 12, kShown},
        {kStaticId, ControlKind::kGroupBox, "Override rotary switch", 7, 60, 236, 62},
        {kIdBoost, ControlKind::kRadioButton, "Boost", 16, 73, 56, 10},
        {kIdNight, ControlKind::kRadioButton, "Night", 16, 88, 56, 10},
        {kIdDay, ControlKind::kRadioButton, "Day", 16, 103, 56, 10},
        {kIdOff, ControlKind::kRadioButton, "Off", 76, 73, 56, 10},
        {kIdAuto, ControlKind::kRadioButton, "Auto", 76, 88, 56, 10},
        {kIdOccupied, ControlKind::kRadioButton, "Occupied", 76, 103, 56, 10},
        {kIdManualSwitch, ControlKind::kRadioButton, "Use manual rotary switch", 136, 73, 104, 10},
        {kIdRead, ControlKind::kPushButton, "Read", 136, 129, 50, 14},
        {kIdWrite, ControlKind::kPushButton, "Write", 193, 129, 50, 14},
    };
  });
}
