// Pump, one page per circuit: whether the circuit's pump runs and its three alarm flags,
// refreshed every 2000 ms, and the pump's mode (Off, Manual, Automatic), which it keeps in the
// mode NV it shares with the valves (host index 29).
#pragma once

#include <cstdint>

#include "nvdata/nv_page.h"

// One alarm flag: a mask of one byte of the alarm and status NV.
struct AlarmFlag {
  int position;
  uint8_t mask;
};

// What differs between the circuits.
struct PumpCircuit {
  int templateId;            // also the tab caption string
  const char* groupCaption;  // of the pump's group box
  int32_t stateIndex;        // pump state; byte 1 is 0 while the pump is off
  AlarmFlag pumpFault;       // shown in 201
  AlarmFlag pressureStop;    // pressure fault that stops the pump, 202
  AlarmFlag pressureFault;   // 203
  int modePosition;          // high byte of the pump's mode word in host index 29
};

// The circuit 2 group caption has no closing parenthesis; it is kept exactly as it stands.
inline constexpr PumpCircuit kPumpBl1 = {
    212, "Status pump (Mp1)", 31, AlarmFlag{1, 0x01}, AlarmFlag{1, 0x20}, AlarmFlag{1, 0x10}, 1};
inline constexpr PumpCircuit kPumpBl2 = {
    213, "Status pump (Mp2", 34, AlarmFlag{0, 0x02}, AlarmFlag{0, 0x01}, AlarmFlag{1, 0x80}, 7};

class CPumpPage : public CNvPage {
 public:
  explicit CPumpPage(const PumpCircuit& circuit);

 protected:
  void RefreshLive() override;
  void ReadSettings() override;
  void WriteSettings() override;
  // The mode is written without reading it back.
  bool ReadsAfterWrite() const override { return false; }

 private:
  void Choose(int radioId);

  PumpCircuit circuit_;
};

class CPage13PropPage : public CPumpPage {
 public:
  CPage13PropPage() : CPumpPage(kPumpBl1) {}
};

class CPage14PropPage : public CPumpPage {
 public:
  CPage14PropPage() : CPumpPage(kPumpBl2) {}
};
