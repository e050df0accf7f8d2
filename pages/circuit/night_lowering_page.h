// Night lowering / Sommer stop (circuit 1) and Night lowering / Winter stop (circuit 2): night
// lowering on or off, optionally started and stopped on the room temperature with its setpoint
// beside the measured room temperature (refreshed every 2000 ms), and the season stop with the
// temperature before it and the time before the pump stops. The flags live in the circuit's
// flag byte of configuration part 1, the values in parts 3 and 4.
#pragma once

#include <cstdint>

#include "nvdata/nv_page.h"
#include "resources/dialog_night_lowering.h"

// What differs between the circuits.
struct NightLoweringCircuit {
  int templateId;
  int captionId;
  const char* seasonName;       // group and check box label
  const char* seasonTempLabel;  // beside the temperature before the stop
  int32_t roomIndex;            // measured room temperature
  // Night lowering, room start/stop (flags of part 1), the room setpoint (part 4), the season
  // stop flag, its temperature and the time before the pump stops (part 3). The circuit's flag
  // byte is shared with frost protection (0x08) and the curve mode (0x10).
  SettingField fields[6];
};

inline constexpr NightLoweringCircuit kNightLoweringBl1{
    230,
    222,
    "Summer stop",
    "Temp before summer stop",
    6,
    {field::Flag("bl1.night", "BL1 night lowering", RecordOfPart(1), 2, 0x01,
                 night_lowering_dialog::kIdNightLowering),
     field::Flag("bl1.night.room", "BL1 night lowering, start/stop after room temperature",
                 RecordOfPart(1), 2, 0x02, night_lowering_dialog::kIdRoomStartStop),
     field::Temp("bl1.night.room_setpoint", "BL1 room temperature setpoint", RecordOfPart(4), 1,
                 night_lowering_dialog::kIdRoomSetpoint),
     field::Flag("bl1.summer_stop", "BL1 summer stop", RecordOfPart(1), 2, 0x04,
                 night_lowering_dialog::kIdSummerStop),
     field::Temp("bl1.summer_stop.temperature", "BL1 summer stop, temperature", RecordOfPart(3), 1,
                 night_lowering_dialog::kIdSeasonTemp),
     field::Value("bl1.summer_stop.pump_time", "BL1 summer stop, time before pump stop",
                  RecordOfPart(3), 3, 2, SettingCodec::kTenthsWhole, "s",
                  night_lowering_dialog::kIdPumpStopTime)}};
inline constexpr NightLoweringCircuit kNightLoweringBl2{
    231,
    223,
    "Winter stop",
    "Temp before winter stop",
    7,
    {field::Flag("bl2.night", "BL2 night lowering", RecordOfPart(1), 6, 0x01,
                 night_lowering_dialog::kIdNightLowering),
     field::Flag("bl2.night.room", "BL2 night lowering, start/stop after room temperature",
                 RecordOfPart(1), 6, 0x02, night_lowering_dialog::kIdRoomStartStop),
     field::Temp("bl2.night.room_setpoint", "BL2 room temperature setpoint", RecordOfPart(4), 5,
                 night_lowering_dialog::kIdRoomSetpoint),
     field::Flag("bl2.winter_stop", "BL2 winter stop", RecordOfPart(1), 6, 0x04,
                 night_lowering_dialog::kIdWinterStop),
     field::Temp("bl2.winter_stop.temperature", "BL2 winter stop, temperature", RecordOfPart(3), 9,
                 night_lowering_dialog::kIdSeasonTemp),
     field::Value("bl2.winter_stop.pump_time", "BL2 winter stop, time before pump stop",
                  RecordOfPart(3), 11, 2, SettingCodec::kTenthsWhole, "s",
                  night_lowering_dialog::kIdPumpStopTime)}};

class CNightLoweringPage : public CNvPage {
 public:
  explicit CNightLoweringPage(const NightLoweringCircuit& circuit);

  // The check boxes' handlers: each enables the fields its box governs.
  void OnNightLowering();
  void OnRoomStartStop();
  void OnSeasonStop();

 protected:
  void RefreshLive() override;
  void ReadSettings() override;
  void WriteSettings() override;
  void UpdateEnabling() override;

 private:
  NightLoweringCircuit circuit_;
};

class CPage23PropPage : public CNightLoweringPage {
 public:
  CPage23PropPage() : CNightLoweringPage(kNightLoweringBl1) {}
};

class CPage24PropPage : public CNightLoweringPage {
 public:
  CPage24PropPage() : CNightLoweringPage(kNightLoweringBl2) {}
};
