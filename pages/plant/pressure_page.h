// Pressure, in both page sets: the pressure sensor's reading in pascals, refreshed every
// 2000 ms; its type (analog or digital), value range and offset and the two circuits'
// setpoints (configuration part 6); and, per circuit, "Monitor" and "Stop pump" (flags in
// byte 10 of configuration part 1, with the sensor type).
#pragma once

#include "nvdata/nv_page.h"
#include "resources/dialog_plant.h"

// The sensor type (part 1 byte 10, set for analog), the five values of part 6 in whole pascals
// and the four flags of the circuits in the sensor type's byte.
inline constexpr SettingField kPressureFields[] = {
    field::Flag("pressure.sensor", "Pressure sensor type", RecordOfPart(1), 10, 0x02,
                pressure_dialog::kIdAnalog, "analog", "digital"),
    field::Value("pressure.min", "Pressure sensor, minimum", RecordOfPart(6), 1, 2,
                 SettingCodec::kWord, "Pa", pressure_dialog::kIdSensorMin),
    field::Value("pressure.max", "Pressure sensor, maximum", RecordOfPart(6), 3, 2,
                 SettingCodec::kWord, "Pa", pressure_dialog::kIdSensorMax),
    field::Value("pressure.offset", "Pressure sensor offset", RecordOfPart(6), 5, 2,
                 SettingCodec::kWord, "Pa", pressure_dialog::kIdSensorOffset),
    field::Value("pressure.bl1.setpoint", "BL1 pressure setpoint", RecordOfPart(6), 7, 2,
                 SettingCodec::kWord, "Pa", pressure_dialog::kIdSetpointBl1),
    field::Value("pressure.bl2.setpoint", "BL2 pressure setpoint", RecordOfPart(6), 9, 2,
                 SettingCodec::kWord, "Pa", pressure_dialog::kIdSetpointBl2),
    field::Flag("pressure.bl1.monitor", "BL1 pressure monitoring", RecordOfPart(1), 10, 0x04,
                pressure_dialog::kIdMonitorBl1),
    field::Flag("pressure.bl1.stop_pump", "BL1 pump stop on pressure fault", RecordOfPart(1), 10,
                0x10, pressure_dialog::kIdStopPumpBl1),
    field::Flag("pressure.bl2.monitor", "BL2 pressure monitoring", RecordOfPart(1), 10, 0x08,
                pressure_dialog::kIdMonitorBl2),
    field::Flag("pressure.bl2.stop_pump", "BL2 pump stop on pressure fault", RecordOfPart(1), 10,
                0x20, pressure_dialog::kIdStopPumpBl2)};

class CPage30PropPage : public CNvPage {
 public:
  CPage30PropPage();

 protected:
  void RefreshLive() override;
  void ReadSettings() override;
  void WriteSettings() override;

 private:
  // The sensor-type radio buttons: a digital sensor has no value range, offset or setpoints
  // to set, so those fields are disabled. Nothing reaches the node before Write.
  void ChooseSensorType(bool analog);
};
