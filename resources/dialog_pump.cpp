#include "resources/dialog_pump.h"

#include "resources/dialog_rows.h"

using fw::ControlKind;
using fw::kStaticId;
using namespace pump_dialog;

// Controls in reading order, which is also the order the Tab key walks them.
const fw::DialogTemplate& PumpDialog(int templateId, const std::string& groupCaption) {
  constexpr uint32_t kFlag = fw::kReadOnly | fw::kCentred;
  return fw::TemplateOnce(templateId, [&] {
    std::vector<fw::ControlDef> c = {
        {kStaticId, ControlKind::kGroupBox, groupCaption, 7, 7, 236, 48},
        {kIdOff, ControlKind::kRadioButton, "Off", 16, 21, 44, 10},
        {kIdManual, ControlKind::kRadioButton, "Manual", 68, 21, 52, 10},
        {kIdAutomatic, ControlKind::kRadioButton, "Automatic", 128, 21, 60, 10},
    };
    const DialogRows state(c, {16, 44, 68, 52, 0, 0});
    state.Row("Out", kIdOut, 35, "", fw::kReadOnly);
    c.push_back({kStaticId, ControlKind::kGroupBox, "Alarm status", 7, 61, 236, 62});
    const DialogRows alarms(c, {16, 60, 80, 52, 0, 0});
    alarms.Row("Pump fault", kIdPumpFault, 73, "", kFlag);
    alarms.TwoLineRow("Press fault\nStop pump", 16, kIdPressureStop, 90, "", kFlag);
    alarms.Row("Press fault", kIdPressureFault, 106, "", kFlag);
    AddReadWrite(c, 129);
    return c;
  });
}
