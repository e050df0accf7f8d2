#include "resources/dialog_plant.h"

#include "resources/dialog_rows.h"

using fw::ControlDef;
using fw::ControlKind;
using fw::kStaticId;

// Controls are declared in reading order, row by row, left to right: that is the Tab order.

const fw::DialogTemplate& OutdoorDialog() {
  using namespace outdoor_dialog;
  return fw::TemplateOnce(218, [&] {
    std::vector<ControlDef> c = {
        {kStaticId, ControlKind::kGroupBox, "Temp sensor outdoor (Bs)", 7, 7, 236, 56}};
    const DialogRows rows(c, {16, 50, 70, 44, 118, 16});
    rows.Row("Actual", kIdActual, 22, "°C", fw::kReadOnly | fw::kRightAlign);
    rows.Row("Offset", kIdOffset, 40, "°C", fw::kRightAlign);
    AddReadWrite(c, 129);
    return c;
  });
}

// Two columns in each group: the left one and the BL1 items, the right one and the BL2 items.
const fw::DialogTemplate& PressureDialog() {
  using namespace pressure_dialog;
  constexpr RowColumns kLeft = {16, 66, 84, 30, 116, 11};
  constexpr RowColumns kRight = {130, 68, 200, 30, 232, 11};
  return fw::TemplateOnce(219, [&] {
    std::vector<ControlDef> c = {
        {kStaticId, ControlKind::kGroupBox, "Sensor type", 7, 4, 236, 66},
        {kIdDigital, ControlKind::kRadioButton, "Digital sensor", kLeft.labelX, 17, 66, 10},
        {kIdAnalog, ControlKind::kRadioButton, "Analog sensor", kRight.labelX, 17, 66, 10},
    };
    const DialogRows left(c, kLeft);
    const DialogRows right(c, kRight);
    left.Row("Value sensor, min", kIdSensorMin, 34, "Pa", fw::kRightAlign);
    right.Row("Value sensor, max", kIdSensorMax, 34, "Pa", fw::kRightAlign);
    left.Row("Offset ", kIdSensorOffset, 51, "Pa", fw::kRightAlign);
    right.Row("Actual press", kIdActual, 51, "Pa", fw::kReadOnly | fw::kRightAlign);
    c.push_back({kStaticId, ControlKind::kGroupBox, "Settings press", 7, 73, 236, 52});
    left.Row("Setpoint press BL1", kIdSetpointBl1, 85, "Pa", fw::kRightAlign);
    right.Row("Setpoint press BL2", kIdSetpointBl2, 85, "Pa", fw::kRightAlign);
    const std::vector<ControlDef> checks = {
        {kIdMonitorBl1, ControlKind::kCheckBox, "Monitor BL1", kLeft.labelX, 101, 80, 10},
        {kIdMonitorBl2, ControlKind::kCheckBox, "Monitor BL2", kRight.labelX, 101, 80, 10},
        {kIdStopPumpBl1, ControlKind::kCheckBox, "Stop pump BL1", kLeft.labelX, 112, 80, 10},
        {kIdStopPumpBl2, ControlKind::kCheckBox, "Stop pump BL2", kRight.labelX, 112, 80, 10},
    };
    c.insert(c.end(), checks.begin(), checks.end());
    AddReadWrite(c, 131);
    return c;
  });
}

const fw::DialogTemplate& DewpointDialog() {
  using namespace dewpoint_dialog;
  constexpr uint32_t kShown = fw::kReadOnly | fw::kRightAlign;
  return fw::TemplateOnce(220, [&] {
    std::vector<ControlDef> c = {
        {kStaticId, ControlKind::kGroupBox, "Dewpoint (stop)", 7, 7, 236, 118}};
    const DialogRows rows(c, {16, 116, 136, 40, 180, 16});
    rows.TwoLineRow("Before time close \nvalve (Mv2)", 17, kIdAdvanceTime, 21, "sec",
                    fw::kRightAlign);
    rows.TwoLineRow("Offset dewpointtemperature \nto regulator BL2", 17, kIdOffsetRegulator, 41,
                    "°C", fw::kRightAlign);
    rows.TwoLineRow("Offset dewpointtemperature \nclose valve (Mv2)", 17, kIdOffsetClose, 61, "°C",
                    fw::kRightAlign);
    rows.Row("Temp sensor forward (Bw3)", kIdForward, 81, "°C", kShown);
    rows.Row("Dewpoint temperature", kIdDewpoint, 97, "°C", kShown);
    rows.Row("Calc. temperature", kIdCalculated, 111, "°C", kShown);
    AddReadWrite(c, 131);
    return c;
  });
}
