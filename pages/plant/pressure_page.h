// Pressure, in both page sets: the pressure sensor's reading in pascals, refreshed every
// 2000 ms; its type (analog or digital), value range and offset and the two circuits'
// setpoints (configuration part 6); and, per circuit, "Monitor" and "Stop pump" (flags in
// byte 10 of configuration part 1, with the sensor type).
#pragma once

#include "nvdata/nv_page.h"

class CPage30PropPage : public CNvPage {
 public:
  CPage30PropPage();

  // The sensor-type radio buttons: a digital sensor has no value range, offset or setpoints
  // to set, so those fields are disabled. Nothing reaches the node before Write.
  void OnAnalogSensor();
  void OnDigitalSensor();

 protected:
  void RefreshLive() override;
  void ReadSettings() override;
  void WriteSettings() override;

 private:
  void ChooseSensorType(bool analog);
};
