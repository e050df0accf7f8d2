#include "resources/dialog_set_time.h"

using fw::ControlKind;
using fw::kStaticId;
using namespace set_time_dialog;

const fw::DialogTemplate& SetTimeDialog() {
  static const fw::DialogTemplate dialog{
      203,
      250,
      150,
      {
          {kStaticId, ControlKind::kGroupBox, "Current time on PC", 7, 7, 236, 56},
          {kStaticId, ControlKind::kStatic, "Date", 16, 22, 30, 8},
          {kIdPcDate, ControlKind::kEdit, "", 50, 20, 70, 12, fw::kReadOnly | fw::kRightAlign},
          {kStaticId, ControlKind::kStatic, "Time", 16, 40, 30, 8},
          {kIdPcTime, ControlKind::kEdit, "", 50, 38, 70, 12, fw::kReadOnly | fw::kRightAlign},
          {kIdSync, ControlKind::kPushButton, "Sync", 184, 37, 50, 14},
          {kStaticId, ControlKind::kGroupBox, "Current time in Node", 7, 72, 236, 56},
          {kStaticId, ControlKind::kStatic, "Date", 16, 87, 30, 8},
          {kIdNodeDate, ControlKind::kEdit, "", 50, 85, 70, 12, fw::kReadOnly | fw::kRightAlign},
          {kStaticId, ControlKind::kStatic, "Time", 16, 105, 30, 8},
          {kIdNodeTime, ControlKind::kEdit, "", 50, 103, 70, 12, fw::kReadOnly | fw::kRightAlign},
      }};
  return dialog;
}
