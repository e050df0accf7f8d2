// Calender Pir, one page per circuit: the presence-detector calendar (one start and one stop
// time per weekday, the seven odd words of one configuration part) as fourteen "H:MM" fields,
// with the circuit's occupancy refreshed every 2000 ms. A write reads the part, changes only the
// day bytes and sends it back once every check has passed.
#pragma once

#include <cstdint>

#include "nvdata/nv_page.h"

// What differs between the circuits.
struct PirCalendarCircuit {
  int templateId;          // also the tab caption string
  int part;                // configuration part of the calendar
  int32_t occupancyIndex;  // occupancy byte: 0 occupied, 1 unoccupied
};

inline constexpr PirCalendarCircuit kPirCalendarBl1{206, 10, 10};
inline constexpr PirCalendarCircuit kPirCalendarBl2{207, 12, 11};

// Day d (0 Sunday .. 6 Saturday) is word 2d+1 of the part: stop time in its high byte, start
// time in its low byte. The even words and word 15 belong to nothing on this page.
constexpr int PirStopByte(int day) {
  return 4 * day + 1;
}
constexpr int PirStartByte(int day) {
  return 4 * day + 2;
}

class CPirCalendarPage : public CNvPage {
 public:
  explicit CPirCalendarPage(const PirCalendarCircuit& circuit);

  // "Reset": every time field 0:00; nothing reaches the node until Write.
  void OnReset();

 protected:
  void RefreshLive() override;
  void ReadSettings() override;
  void WriteSettings() override;
  // Only a write that passed its checks reads the part back, from WriteSettings.
  bool ReadsAfterWrite() const override { return false; }

 private:
  PirCalendarCircuit circuit_;
};

class CPage7PropPage : public CPirCalendarPage {
 public:
  CPage7PropPage() : CPirCalendarPage(kPirCalendarBl1) {}
};

class CPage8PropPage : public CPirCalendarPage {
 public:
  CPage8PropPage() : CPirCalendarPage(kPirCalendarBl2) {}
};
