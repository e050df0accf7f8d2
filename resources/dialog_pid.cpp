#include "resources/dialog_pid.h"

#include "nvdata/nv_page.h"

using fw::ControlKind;
using fw::kStaticId;
using namespace pid_dialog;

const fw::DialogTemplate& PidDialog(int templateId, const std::string& rowLabel) {
  return fw::TemplateOnce(templateId, [&] {
    return std::vector<fw::ControlDef>{
        {kStaticId, ControlKind::kStatic, "P", 86, 22, 44, 8, fw::kCentred},
        {kStaticId, ControlKind::kStatic, "I", 136, 22, 44, 8, fw::kCentred},
        {kStaticId, ControlKind::kStatic, "D", 186, 22, 44, 8, fw::kCentred},
        {kStaticId, ControlKind::kStatic, rowLabel, 16, 36, 66, 8},
        {kIdP, ControlKind::kEdit, "", 86, 34, 44, 12, fw::kRightAlign},
        {kIdI, ControlKind::kEdit, "", 136, 34, 44, 12, fw::kRightAlign},
        {kIdD, ControlKind::kEdit, "", 186, 34, 44, 12, fw::kRightAlign},
        {kStaticId, ControlKind::kStatic, "Password", 16, 80, 66, 8},
        {kIdPassword, ControlKind::kEdit, "", 86, 78, 94, 12, fw::kPassword},
        {kIdRead, ControlKind::kPushButton, "Read", 136, 134, 50, 14},
        {kIdWrite, ControlKind::kPushButton, "Write", 193, 134, 50, 14},
    };
  });
}
