// Calender Start / Stop, one page per circuit: the circuit's two week calendars and holiday
// period (one configuration part) as thirty "H:MM" fields, with the node's clock and the
// calendar state refreshed every 2000 ms. A write is checked as a whole and sends the whole
// part without reading it first.
#pragma once

#include <cstdint>

#include "nvdata/nv_page.h"

// What differs between the circuits.
struct WeekCalendarCircuit {
  int templateId;      // also the tab caption string
  int part;            // configuration part of the timetable
  int32_t stateIndex;  // calendar state word
};

inline constexpr WeekCalendarCircuit kWeekCalendarBl1{204, 9, 4};
inline constexpr WeekCalendarCircuit kWeekCalendarBl2{205, 11, 5};

// Word k of the part (1 to 14 the days of the two calendars, 15 the holiday): stop time in
// byte 2k-1, start time in byte 2k.
constexpr int WeekStopByte(int word) {
  return 2 * word - 1;
}
constexpr int WeekStartByte(int word) {
  return 2 * word;
}

class CWeekCalendarPage : public CNvPage {
 public:
  explicit CWeekCalendarPage(const WeekCalendarCircuit& circuit);

  // "Default": a working week in Calender 1 (8:00 to 16:00, Monday to Friday). "Reset": every
  // field 0:00. Neither touches the node until Write.
  void OnDefault();
  void OnReset();

 protected:
  void RefreshLive() override;
  void ReadSettings() override;
  void WriteSettings() override;
  // Only a write that passed its checks reads the part back, from WriteSettings.
  bool ReadsAfterWrite() const override { return false; }

 private:
  WeekCalendarCircuit circuit_;
};

class CPage5PropPage : public CWeekCalendarPage {
 public:
  CPage5PropPage() : CWeekCalendarPage(kWeekCalendarBl1) {}
};

class CPage6PropPage : public CWeekCalendarPage {
 public:
  CPage6PropPage() : CWeekCalendarPage(kWeekCalendarBl2) {}
};
