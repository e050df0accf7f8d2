// Outdoor Temperatures, in both page sets: the outdoor sensor's (Bs) reading, refreshed every
// 2000 ms, and its correction offset (configuration part 2, value 1). A reading below
// -200.0 °C means no sensor is connected: both fields are then disabled.
#pragma once

#include "nvdata/nv_page.h"
#include "resources/dialog_plant.h"

// The outdoor sensor's offset: value 1 of part 2.
inline constexpr SettingField kOutdoorFields[] = {field::Temp(
    "outdoor.offset", "Outdoor sensor Bs offset", RecordOfPart(2), 1, outdoor_dialog::kIdOffset)};

class CPage29PropPage : public CNvPage {
 public:
  CPage29PropPage();

  // Besides the common cycle, the sensor check, on showing and on hiding alike (not on ticks).
  void OnShowWindow(bool show) override;

 protected:
  void RefreshLive() override;
  void ReadSettings() override;
  void WriteSettings() override;

 private:
  void CheckSensor();
};
