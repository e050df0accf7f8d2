#include "resources/dialog_analog_valve.h"

#include <string>

#include "nvdata/nv_page.h"

using fw::ControlDef;
using fw::ControlKind;
using fw::kStaticId;
using namespace analog_valve_dialog;

namespace {

constexpr int kBandPitch = 24;
constexpr int kBandHeight = 22;

// One valve's two bands from `top`, each group's controls on one row, in reading order.
void AddValve(std::vector<ControlDef>& c, const ValveControls& v, int top) {
  const std::string name = std::string(" (") + v.name + ")";
  // The band's group box from `bandTop`; the top of the row of controls in it.
  auto band = [&](const std::string& caption, int bandTop) {
    c.push_back({kStaticId, ControlKind::kGroupBox, caption + name, 7, bandTop, 236, kBandHeight});
    return bandTop + 9;
  };
  const int row = band("Status valve", top);
  c.push_back({v.off, ControlKind::kRadioButton, "Off", 14, row, 28, 10});
  c.push_back({v.manual, ControlKind::kRadioButton, "Manual", 44, row, 38, 10});
  c.push_back({v.automatic, ControlKind::kRadioButton, "Automatic", 84, row, 48, 10});
  c.push_back({kStaticId, ControlKind::kStatic, "In", 136, row + 1, 10, 8});
  c.push_back({v.in, ControlKind::kEdit, "", 147, row - 1, 26, 11, fw::kRightAlign});
  c.push_back({kStaticId, ControlKind::kStatic, "%", 175, row + 1, 8, 8});
  c.push_back({kStaticId, ControlKind::kStatic, "Out", 186, row + 1, 14, 8});
  c.push_back(
      {v.out, ControlKind::kEdit, "", 201, row - 1, 26, 11, fw::kReadOnly | fw::kRightAlign});
  c.push_back({kStaticId, ControlKind::kStatic, "%", 229, row + 1, 8, 8});

  const int row2 = band("Settings valve", top + kBandPitch);
  c.push_back({v.volt0to10, ControlKind::kRadioButton, "0-10 volt", 14, row2, 50, 10});
  c.push_back({v.volt2to10, ControlKind::kRadioButton, "2-10 volt", 70, row2, 50, 10});
  c.push_back({v.invert, ControlKind::kCheckBox, "Invert", 126, row2, 44, 10});
}

std::vector<ControlDef> Controls(const ValveControls& first, const ValveControls& second) {
  std::vector<ControlDef> c;
  AddValve(c, first, 2);
  AddValve(c, second, 2 + 2 * kBandPitch);
  const std::string explanation =
      std::string("Valve ") + first.name + " open 100%\nbefore valve " + second.name + " open";
  const std::vector<ControlDef> cascade = {
      {kStaticId, ControlKind::kGroupBox, "", 7, 98, 166, 46},
      {kIdCascade, ControlKind::kCheckBox, "Cascade", 14, 108, 44, 10},
      {kIdCascadeOutput, ControlKind::kEdit, "", 62, 107, 26, 11, fw::kRightAlign},
      {kStaticId, ControlKind::kStatic, "% output", 91, 109, 40, 8},
      {kStaticId, ControlKind::kStatic, explanation, 14, 123, 150, 17, fw::kMultiLine},
      {kIdRead, ControlKind::kPushButton, "Read", 179, 112, 64, 14},
      {kIdWrite, ControlKind::kPushButton, "Write", 179, 130, 64, 14},
  };
  c.insert(c.end(), cascade.begin(), cascade.end());
  return c;
}

}  // namespace

const fw::DialogTemplate& AnalogValveDialog(int templateId, const ValveControls& first,
                                            const ValveControls& second) {
  return fw::TemplateOnce(templateId, [&] { return Controls(first, second); });
}
