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

// What differs between the circuits. Byte positions are the high byte of the first of two
// big-endian words; the second follows at +2.
struct ExerciseValveCircuit {
  int templateId;
  int captionId;
  int standstillByte;        // part 7: pump, then valve standstill in hours
  int runningByte;           // part 5: running time, then waiting time in tenths
  int32_t calibrationIndex;  // 4 bytes: hours, minutes, two bytes the page keeps
};

inline constexpr ExerciseValveCircuit kExerciseValveBl1{232, 224, 1, 1, 43};
inline constexpr ExerciseValveCircuit kExerciseValveBl2{233, 225, 9, 9, 44};

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
