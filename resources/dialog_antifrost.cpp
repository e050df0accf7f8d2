#include "resources/dialog_antifrost.h"

#include "nvdata/nv_page.h"

using fw::ControlKind;
using fw::kStaticId;
using namespace antifrost_dialog;

namespace {
constexpr const char* kDegrees = "\u00B0C";
}  // namespace

const fw::DialogTemplate& AntifrostDialog(int templateId, const std::string& returnLabel) {
  constexpr uint32_t kShown = fw::kReadOnly;
  return fw::TemplateOnce(templateId, [&] {
    return std::vector<fw::ControlDef>{
        {kStaticId, ControlKind::kGroupBox, "Antifrost", 7, 7, 236, 116},
        {kIdEnabled, ControlKind::kCheckBox, "Antifrost                     ", 16, 20, 106, 10,
         fw::kTextLeft},
        {kStaticId, ControlKind::kStatic, "Outdoor temp start", 16, 38, 90, 8},
        {kIdStart, ControlKind::kEdit, "", 112, 36, 44, 12},
        {kStaticId, ControlKind::kStatic, kDegrees, 160, 38, 12, 8},
        {kStaticId, ControlKind::kStatic, "Outdoor temp stop", 16, 56, 90, 8},
        {kIdStop, ControlKind::kEdit, "", 112, 54, 44, 12},
        {kStaticId, ControlKind::kStatic, kDegrees, 160, 56, 12, 8},
        {kStaticId, ControlKind::kStatic, returnLabel, 16, 70, 90, 16, fw::kMultiLine},
        {kIdReturn, ControlKind::kEdit, "", 112, 72, 44, 12},
        {kStaticId, ControlKind::kStatic, kDegrees, 160, 74, 12, 8},
        {kStaticId, ControlKind::kStatic, "Actual outdoor temp", 16, 92, 90, 8},
        {kIdActualOutdoor, ControlKind::kEdit, "", 112, 90, 44, 12, kShown},
        {kStaticId, ControlKind::kStatic, kDegrees, 160, 92, 12, 8},
        {kStaticId, ControlKind::kStatic, "Status", 16, 108, 90, 8},
        {kIdStatus, ControlKind::kEdit, "", 112, 106, 44, 12, kShown | fw::kCentred},
        {kIdRead, ControlKind::kPushButton, "Read", 136, 129, 50, 14},
        {kIdWrite, ControlKind::kPushButton, "Write", 193, 129, 50, 14},
    };
  });
}
