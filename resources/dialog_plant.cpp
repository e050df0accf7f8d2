#include "resources/dialog_plant.h"

#include "nvdata/nv_page.h"

using fw::ControlKind;
using fw::kStaticId;

// Controls are declared in reading order, row by row, left to right: that is the Tab order.

const fw::DialogTemplate& OutdoorDialog() {
  using namespace outdoor_dialog;
  static const fw::DialogTemplate dialog{
      218,
      250,
      150,
      {
          {kStaticId, ControlKind::kGroupBox, "Temp sensor outdoor (Bs)", 7, 7, 236, 56},
          {kStaticId, ControlKind::kStatic, "Actual", 16, 24, 50, 8},
          {kIdActual, ControlKind::kEdit, "", 70, 22, 44, 12, fw::kReadOnly | fw::kRightAlign},
          {kStaticId, ControlKind::kStatic, "°C", 118, 24, 16, 8},
          {kStaticId, ControlKind::kStatic, "Offset", 16, 42, 50, 8},
          {kIdOffset, ControlKind::kEdit, "", 70, 40, 44, 12, fw::kRightAlign},
          {kStaticId, ControlKind::kStatic, "°C", 118, 42, 16, 8},
          {kIdRead, ControlKind::kPushButton, "Read", 136, 129, 50, 14},
          {kIdWrite, ControlKind::kPushButton, "Write", 193, 129, 50, 14},
      }};
  return dialog;
}

// Two columns in each group: the left one and the BL1 items, the right one and the BL2 items.
const fw::DialogTemplate& PressureDialog() {
  using namespace pressure_dialog;
  constexpr int kLeftLabel = 16;
  constexpr int kLeftEdit = 84;
  constexpr int kLeftUnit = 116;
  constexpr int kRightLabel = 130;
  constexpr int kRightEdit = 200;
  constexpr int kRightUnit = 232;
  constexpr int kLabelWidth = 66;
  constexpr int kRightLabelWidth = 68;
  constexpr int kEditWidth = 30;
  constexpr int kUnitWidth = 11;
  static const fw::DialogTemplate dialog{
      219,
      250,
      150,
      {
          {kStaticId, ControlKind::kGroupBox, "Sensor type", 7, 4, 236, 66},
          {kIdDigital, ControlKind::kRadioButton, "Digital sensor", kLeftLabel, 17, 66, 10},
          {kIdAnalog, ControlKind::kRadioButton, "Analog sensor", kRightLabel, 17, 66, 10},
          {kStaticId, ControlKind::kStatic, "Value sensor, min", kLeftLabel, 36, kLabelWidth, 8},
          {kIdSensorMin, ControlKind::kEdit, "", kLeftEdit, 34, kEditWidth, 12, fw::kRightAlign},
          {kStaticId, ControlKind::kStatic, "Pa", kLeftUnit, 36, kUnitWidth, 8},
          {kStaticId, ControlKind::kStatic, "Value sensor, max", kRightLabel, 36, kRightLabelWidth,
           8},
          {kIdSensorMax, ControlKind::kEdit, "", kRightEdit, 34, kEditWidth, 12, fw::kRightAlign},
          {kStaticId, ControlKind::kStatic, "Pa", kRightUnit, 36, kUnitWidth, 8},
          {kStaticId, ControlKind::kStatic, "Offset ", kLeftLabel, 53, kLabelWidth, 8},
          {kIdSensorOffset, ControlKind::kEdit, "", kLeftEdit, 51, kEditWidth, 12, fw::kRightAlign},
          {kStaticId, ControlKind::kStatic, "Pa", kLeftUnit, 53, kUnitWidth, 8},
          {kStaticId, ControlKind::kStatic, "Actual press", kRightLabel, 53, kRightLabelWidth, 8},
          {kIdActual, ControlKind::kEdit, "", kRightEdit, 51, kEditWidth, 12,
           fw::kReadOnly | fw::kRightAlign},
          {kStaticId, ControlKind::kStatic, "Pa", kRightUnit, 53, kUnitWidth, 8},
          {kStaticId, ControlKind::kGroupBox, "Settings press", 7, 73, 236, 52},
          {kStaticId, ControlKind::kStatic, "Setpoint press BL1", kLeftLabel, 87, kLabelWidth, 8},
          {kIdSetpointBl1, ControlKind::kEdit, "", kLeftEdit, 85, kEditWidth, 12, fw::kRightAlign},
          {kStaticId, ControlKind::kStatic, "Pa", kLeftUnit, 87, kUnitWidth, 8},
          {kStaticId, ControlKind::kStatic, "Setpoint press BL2", kRightLabel, 87, kRightLabelWidth,
           8},
          {kIdSetpointBl2, ControlKind::kEdit, "", kRightEdit, 85, kEditWidth, 12, fw::kRightAlign},
          {kStaticId, ControlKind::kStatic, "Pa", kRightUnit, 87, kUnitWidth, 8},
          {kIdMonitorBl1, ControlKind::kCheckBox, "Monitor BL1", kLeftLabel, 101, 80, 10},
          {kIdMonitorBl2, ControlKind::kCheckBox, "Monitor BL2", kRightLabel, 101, 80, 10},
          {kIdStopPumpBl1, ControlKind::kCheckBox, "Stop pump BL1", kLeftLabel, 112, 80, 10},
          {kIdStopPumpBl2, ControlKind::kCheckBox, "Stop pump BL2", kRightLabel, 112, 80, 10},
          {kIdRead, ControlKind::kPushButton, "Read", 136, 131, 50, 14},
          {kIdWrite, ControlKind::kPushButton, "Write", 193, 131, 50, 14},
      }};
  return dialog;
}

const fw::DialogTemplate& DewpointDialog() {
  using namespace dewpoint_dialog;
  constexpr int kLabelX = 16;
  constexpr int kLabelWidth = 116;
  constexpr int kEditX = 136;
  constexpr int kEditWidth = 40;
  constexpr int kUnitX = 180;
  constexpr int kUnitWidth = 16;
  constexpr uint32_t kShown = fw::kReadOnly | fw::kRightAlign;
  static const fw::DialogTemplate dialog{
      220,
      250,
      150,
      {
          {kStaticId, ControlKind::kGroupBox, "Dewpoint (stop)", 7, 7, 236, 118},
          {kStaticId, ControlKind::kStatic, "Before time close \nvalve (Mv2)", kLabelX, 19,
           kLabelWidth, 17, fw::kMultiLine},
          {kIdAdvanceTime, ControlKind::kEdit, "", kEditX, 21, kEditWidth, 12, fw::kRightAlign},
          {kStaticId, ControlKind::kStatic, "sec", kUnitX, 23, kUnitWidth, 8},
          {kStaticId, ControlKind::kStatic, "Offset dewpointtemperature \nto regulator BL2",
           kLabelX, 39, kLabelWidth, 17, fw::kMultiLine},
          {kIdOffsetRegulator, ControlKind::kEdit, "", kEditX, 41, kEditWidth, 12, fw::kRightAlign},
          {kStaticId, ControlKind::kStatic, "°C", kUnitX, 43, kUnitWidth, 8},
          {kStaticId, ControlKind::kStatic, "Offset dewpointtemperature \nclose valve (Mv2)",
           kLabelX, 59, kLabelWidth, 17, fw::kMultiLine},
          {kIdOffsetClose, ControlKind::kEdit, "", kEditX, 61, kEditWidth, 12, fw::kRightAlign},
          {kStaticId, ControlKind::kStatic, "°C", kUnitX, 63, kUnitWidth, 8},
          {kStaticId, ControlKind::kStatic, "Temp sensor forward (Bw3)", kLabelX, 83, kLabelWidth,
           8},
          {kIdForward, ControlKind::kEdit, "", kEditX, 81, kEditWidth, 12, kShown},
          {kStaticId, ControlKind::kStatic, "°C", kUnitX, 83, kUnitWidth, 8},
          {kStaticId, ControlKind::kStatic, "Dewpoint temperature", kLabelX, 99, kLabelWidth, 8},
          {kIdDewpoint, ControlKind::kEdit, "", kEditX, 97, kEditWidth, 12, kShown},
          {kStaticId, ControlKind::kStatic, "°C", kUnitX, 99, kUnitWidth, 8},
          {kStaticId, ControlKind::kStatic, "Calc. temperature", kLabelX, 113, kLabelWidth, 8},
          {kIdCalculated, ControlKind::kEdit, "", kEditX, 111, kEditWidth, 12, kShown},
          {kStaticId, ControlKind::kStatic, "°C", kUnitX, 113, kUnitWidth, 8},
          {kIdRead, ControlKind::kPushButton, "Read", 136, 131, 50, 14},
          {kIdWrite, ControlKind::kPushButton, "Write", 193, 131, 50, 14},
      }};
  return dialog;
}
