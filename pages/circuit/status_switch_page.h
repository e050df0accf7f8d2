// Status Switch, one page per circuit: the rotary switch position and the unit's operating
// mode, refreshed every 2000 ms, and the override of the rotary switch (host index 41 or 42).
#pragma once

#include <cstdint>

#include "nvdata/nv_page.h"
#include "resources/dialog_status_switch.h"

// What differs between the circuits.
struct StatusSwitchCircuit {
  int templateId;           // also the tab caption string
  const char* switchLabel;  // beside the switch position
  int32_t switchIndex;      // rotary switch position word
  int32_t unitIndex;        // unit mode byte
  // The override word (nciSwitchExt1, nciSwitchExt2), shown by the group of radio buttons.
  SettingField overrideWord;
};

inline constexpr StatusSwitchCircuit kStatusSwitchBl1{
    208, "Rotary switch (Sw2)", 20, 26,
    field::Value("bl1.switch.override", "BL1 rotary switch override", kRecordSwitch1, 0, 2,
                 SettingCodec::kOverride, {}, status_switch_dialog::kIdBoost)};
inline constexpr StatusSwitchCircuit kStatusSwitchBl2{
    209, "Rotary switch (Sw1)", 21, 27,
    field::Value("bl2.switch.override", "BL2 rotary switch override", kRecordSwitch2, 0, 2,
                 SettingCodec::kOverride, {}, status_switch_dialog::kIdBoost)};

class CStatusSwitchPage : public CNvPage {
 public:
  explicit CStatusSwitchPage(const StatusSwitchCircuit& circuit);

 protected:
  void RefreshLive() override;
  void ReadSettings() override;
  void WriteSettings() override;

 private:
  void UpdateOverrideEnabling();
  void Choose(int radioId);

  StatusSwitchCircuit circuit_;
};

class CPage9PropPage : public CStatusSwitchPage {
 public:
  CPage9PropPage() : CStatusSwitchPage(kStatusSwitchBl1) {}
};

class CPage10PropPage : public CStatusSwitchPage {
 public:
  CPage10PropPage() : CStatusSwitchPage(kStatusSwitchBl2) {}
};
