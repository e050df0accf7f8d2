// Night lowering / Sommer stop (circuit 1) and Night lowering / Winter stop (circuit 2): night
// lowering on or off, optionally started and stopped on the room temperature with its setpoint
// beside the measured room temperature (refreshed every 2000 ms), and the season stop with the
// temperature before it and the time before the pump stops. The flags live in the circuit's
// flag byte of configuration part 1, the values in parts 3 and 4.
#pragma once

#include <cstdint>

#include "nvdata/nv_page.h"

// The circuit's flag byte in configuration part 1, masks of the byte as stored. The heating
// curve page reads the night lowering flag of the same byte to enable its constant night
// temperature; frost protection (0x08) and the curve mode (0x10) share the byte too.
constexpr int kCircuit1FlagByte = 2;
constexpr int kCircuit2FlagByte = 6;
constexpr uint8_t kNightLoweringMask = 0x01;
constexpr uint8_t kRoomStartStopMask = 0x02;
constexpr uint8_t kSeasonStopMask = 0x04;

// What differs between the circuits. Byte positions are the high byte of a big-endian word.
struct NightLoweringCircuit {
  int templateId;
  int captionId;
  int seasonCheckId;            // summer stop 272, winter stop 201
  const char* seasonName;       // group and check box label
  const char* seasonTempLabel;  // beside the temperature before the stop
  int flagByte;                 // in part 1
  int seasonTempByte;           // in part 3
  int pumpStopByte;             // in part 3, tenths of a second
  int setpointByte;             // in part 4
  int32_t roomIndex;            // measured room temperature
};

inline constexpr NightLoweringCircuit kNightLoweringBl1{
    230, 222, 272, "Summer stop", "Temp before summer stop", kCircuit1FlagByte, 1, 3, 1, 6};
inline constexpr NightLoweringCircuit kNightLoweringBl2{
    231, 223, 201, "Winter stop", "Temp before winter stop", kCircuit2FlagByte, 9, 11, 5, 7};

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
