// Exercise / Digital Valve, one page per circuit: how long the pump and the valve may stand
// still before the node exercises them (part 7, whole hours), the digital valve's running time
// and its waiting time before the next run (part 5, tenths of a second shown whole), and the
// valve's calibration time in hours and minutes (nciCalcValve1 or nciCalcValve2). No live
// values and no timer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "nvdata/nv_page.h"
#include "resources/dialog_exercise_valve.h"

// What differs between the circuits: the pump and valve standstill in whole hours (part 7),
// the running and waiting time in tenths of a second (part 5) and the calibration time, hours
// and minutes in the first two of its four bytes (nciCalcValve1, nciCalcValve2).
struct ExerciseValveCircuit {
  int templateId;
  int captionId;
  SettingField fields[5];
};

inline constexpr ExerciseValveCircuit kExerciseValveBl1{
    232,
    224,
    {field::Value("bl1.exercise.pump", "BL1 pump exercise after standstill", RecordOfPart(7), 1, 2,
                  SettingCodec::kWord, "h", exercise_valve_dialog::kIdPumpStandstill),
     field::Value("bl1.exercise.valve", "BL1 valve exercise after standstill", RecordOfPart(7), 3,
                  2, SettingCodec::kWord, "h", exercise_valve_dialog::kIdValveStandstill),
     field::Value("bl1.digital.running", "BL1 digital valve running time", RecordOfPart(5), 1, 2,
                  SettingCodec::kTenthsWhole, "s", exercise_valve_dialog::kIdValveRunning),
     field::Value("bl1.digital.waiting", "BL1 digital valve waiting time", RecordOfPart(5), 3, 2,
                  SettingCodec::kTenthsWhole, "s", exercise_valve_dialog::kIdValveWaiting),
     field::Value("bl1.digital.calibration", "BL1 digital valve calibration time",
                  kRecordCalcValve1, 0, 2, SettingCodec::kHoursMinutes, {},
                  exercise_valve_dialog::kIdCalibration)}};
inline constexpr ExerciseValveCircuit kExerciseValveBl2{
    233,
    225,
    {field::Value("bl2.exercise.pump", "BL2 pump exercise after standstill", RecordOfPart(7), 9, 2,
                  SettingCodec::kWord, "h", exercise_valve_dialog::kIdPumpStandstill),
     field::Value("bl2.exercise.valve", "BL2 valve exercise after standstill", RecordOfPart(7), 11,
                  2, SettingCodec::kWord, "h", exercise_valve_dialog::kIdValveStandstill),
     field::Value("bl2.digital.running", "BL2 digital valve running time", RecordOfPart(5), 9, 2,
                  SettingCodec::kTenthsWhole, "s", exercise_valve_dialog::kIdValveRunning),
     field::Value("bl2.digital.waiting", "BL2 digital valve waiting time", RecordOfPart(5), 11, 2,
                  SettingCodec::kTenthsWhole, "s", exercise_valve_dialog::kIdValveWaiting),
     field::Value("bl2.digital.calibration", "BL2 digital valve calibration time",
                  kRecordCalcValve2, 0, 2, SettingCodec::kHoursMinutes, {},
                  exercise_valve_dialog::kIdCalibration)}};

// The calibration time as shown: hours, a colon, minutes with two digits ("6:05"). Each byte
// is a signed number.
std::string CalibrationTimeText(uint8_t hours, uint8_t minutes);

// The hours and minutes bytes of a typed calibration time: the text before the first colon
// gives the hours, the text after it the minutes; text without a colon is minutes alone. Each
// is clamped to what a signed byte holds.
struct CalibrationTime {
  uint8_t hours;
  uint8_t minutes;
};
CalibrationTime TextToCalibrationTime(std::string_view text);

class CExerciseValvePage : public CNvPage {
 public:
  explicit CExerciseValvePage(const ExerciseValveCircuit& circuit);

 protected:
  void ReadSettings() override;
  void WriteSettings() override;

 private:
  ExerciseValveCircuit circuit_;
};

class CPage25PropPage : public CExerciseValvePage {
 public:
  CPage25PropPage() : CExerciseValvePage(kExerciseValveBl1) {}
};

class CPage26PropPage : public CExerciseValvePage {
 public:
  CPage26PropPage() : CExerciseValvePage(kExerciseValveBl2) {}
};
