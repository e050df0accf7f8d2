#include "resources/dialog_night_lowering.h"

#include "nvdata/nv_page.h"

using fw::ControlKind;
using fw::kStaticId;
using namespace night_lowering_dialog;

namespace {

constexpr int kLabelLeft = 16;
constexpr int kLabelWidth = 110;
constexpr int kFieldLeft = 130;
constexpr int kFieldWidth = 40;
constexpr int kUnitLeft = 174;

}  // namespace

const fw::DialogTemplate& NightLoweringDialog(int templateId, int seasonCheckId,
                                              const std::string& seasonName,
                                              const std::string& seasonTempLabel) {
  auto label = [](const char* text, int y) {
    return fw::ControlDef{kStaticId, ControlKind::kStatic, text, kLabelLeft, y + 2, kLabelWidth, 8};
  };
  auto unit = [](const char* text, int y) {
    return fw::ControlDef{kStaticId, ControlKind::kStatic, text, kUnitLeft, y + 2, 20, 8};
  };
  return fw::TemplateOnce(templateId, [&] {
    return std::vector<fw::ControlDef>{
        {kStaticId, ControlKind::kGroupBox, "Night lowering", 7, 4, 236, 68},
        label("Night lowering", 16),
        {kIdNightLowering, ControlKind::kCheckBox, "", kFieldLeft, 16, 12, 10},
        label("Start/stop after room temp", 29),
        {kIdRoomStartStop, ControlKind::kCheckBox, "", kFieldLeft, 29, 12, 10},
        label("Setpoint room temp", 42),
        {kIdRoomSetpoint, ControlKind::kEdit, "", kFieldLeft, 42, kFieldWidth, 12, fw::kRightAlign},
        unit("°C", 42),
        label("Actual room temp", 56),
        {kIdRoomActual, ControlKind::kEdit, "", kFieldLeft, 56, kFieldWidth, 12,
         fw::kReadOnly | fw::kRightAlign},
        unit("°C", 56),
        {kStaticId, ControlKind::kGroupBox, seasonName, 7, 76, 236, 55},
        {kStaticId, ControlKind::kStatic, seasonName, kLabelLeft, 90, kLabelWidth, 8},
        {seasonCheckId, ControlKind::kCheckBox, "", kFieldLeft, 88, 12, 10},
        {kStaticId, ControlKind::kStatic, seasonTempLabel, kLabelLeft, 103, kLabelWidth, 8},
        {kIdSeasonTemp, ControlKind::kEdit, "", kFieldLeft, 101, kFieldWidth, 12, fw::kRightAlign},
        unit("°C", 101),
        label("Time before pump stop", 114),
        {kIdPumpStopTime, ControlKind::kEdit, "", kFieldLeft, 114, kFieldWidth, 12,
         fw::kRightAlign},
        unit("sec", 114),
        {kIdRead, ControlKind::kPushButton, "Read", 136, 134, 50, 14},
        {kIdWrite, ControlKind::kPushButton, "Write", 193, 134, 50, 14},
    };
  });
}
