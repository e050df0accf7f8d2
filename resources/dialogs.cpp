#include "resources/dialogs.h"

using fw::ControlKind;
using fw::kStaticId;

const fw::DialogTemplate& EmptyDialog(int id) {
  return fw::TemplateOnce(id, [] { return std::vector<fw::ControlDef>{}; });
}

const fw::DialogTemplate& NodeInformationDialog() {
  static const fw::DialogTemplate dialog{
      200,
      250,
      150,
      {
          {kStaticId, ControlKind::kGroupBox, "Nodename", 7, 7, 236, 32},
          {kIdNodeName, ControlKind::kEdit, "", 14, 19, 222, 13, fw::kReadOnly},
          {kIdShowSet1, ControlKind::kPushButton, "BL1", 14, 48, 50, 14, fw::kCreatedDisabled},
          {kIdShowSet2, ControlKind::kPushButton, "BL2", 72, 48, 50, 14},
          {kStaticId, ControlKind::kStatic,
           "Two-circuit heating and cooling controller\nHD7_3b plugin v1.00 (MB3)", 14, 74, 222, 18,
           fw::kMultiLine},
          {kStaticId, ControlKind::kStatic,
           "Commissioning plug-in for the HD7_3 node\nRead and set every circuit setting,\n"
           "save and download NodeSettings files.",
           14, 100, 222, 30, fw::kMultiLine},
      }};
  return dialog;
}
