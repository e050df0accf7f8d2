#include "resources/dialog_pump.h"

#include "nvdata/nv_page.h"

using fw::ControlKind;
using fw::kStaticId;
using namespace pump_dialog;

// Controls in reading order, which is also the order the Tab key walks them.
const fw::DialogTemplate& PumpDialog(int templateId, const std::string& groupCaption) {
  constexpr uint32_t kFlag = fw::kReadOnly | fw::kCentred;
  return fw::TemplateOnce(templateId, [&] {
    return std::vector<fw::ControlDef>{
        {kStaticId, ControlKind::kGroupBox, groupCaption, 7, 7, 236, 48},
        {kIdOff, ControlKind::kRadioButton, "Off", 16, 21, 44, 10},
        {kIdManual, ControlKind::kRadioButton, "Manual", 68, 21, 52, 10},
        {kIdAutomatic, ControlKind::kRadioButton, "Automatic", 128, 21, 60, 10},
        {kStaticId, ControlKind::kStatic, "Out", 16, 37, 44, 8},
        {kIdOut, ControlKind::kEdit, "", 68, 35, 52, 12, fw::kReadOnly},
        {kStaticId, ControlKind::kGroupBox, "Alarm status", 7, 61, 236, 62},
        {kStaticId, ControlKind::kStatic, "Pump fault", 16, 75, 60, 8},
        {kIdPumpFault, ControlKind::kEdit, "", 80, 73, 52, 12, kFlag},
        {kStaticId, ControlKind::kStatic, "Press fault\nStop pump", 16, 88, 60, 16, fw::kMultiLine},
        {kIdPressureStop, ControlKind::kEdit, "", 80, 90, 52, 12, kFlag},
        {kStaticId, ControlKind::kStatic, "Press fault", 16, 108, 60, 8},
        {kIdPressureFault, ControlKind::kEdit, "", 80, 106, 52, 12, kFlag},
        {kIdRead, ControlKind::kPushButton, "Read", 136, 129, 50, 14},
        {kIdWrite, ControlKind::kPushButton, "Write", 193, 129, 50, 14},
    };
  });
}
