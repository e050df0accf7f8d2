#include "resources/dialog_import_export.h"

using fw::ControlKind;
using fw::kStaticId;

const fw::DialogTemplate& ImportExportDialog() {
  using namespace import_export;
  static const fw::DialogTemplate dialog{
      kDialogId,
      250,
      150,
      {
          {kStaticId, ControlKind::kStatic, "Nodename :", 7, 10, 48, 8},
          {kNodeName, ControlKind::kEdit, "", 60, 8, 183, 13, fw::kReadOnly},
          {kStaticId, ControlKind::kGroupBox, "Factory settings", 7, 28, 236, 115},
          {kStaticId, ControlKind::kStatic, "Filename", 14, 44, 42, 8},
          {kFileName, ControlKind::kEdit, "", 60, 42, 176, 13, fw::kScrollsSideways},
          {kDefaultName, ControlKind::kPushButton, "Default", 60, 60, 54, 14},
          {kSaveToFile, ControlKind::kPushButton, "Save to file", 121, 60, 54, 14},
          {kReadFromFile, ControlKind::kPushButton, "Read from file", 182, 60, 54, 14},
          {kStaticId, ControlKind::kStatic, "Password", 14, 88, 42, 8},
          {kPassword, ControlKind::kEdit, "", 60, 86, 76, 13, fw::kPassword},
          {kDefaultSettings, ControlKind::kPushButton, "Default settings", 146, 85, 90, 14},
          {kStaticId, ControlKind::kStatic,
           "Please note: After setting the software values to factory settings, you must "
           "RESTART the plugin.",
           14, 110, 222, 24, fw::kMultiLine},
          {kProgress, ControlKind::kStatic, "", 14, 133, 222, 8},
      }};
  return dialog;
}
