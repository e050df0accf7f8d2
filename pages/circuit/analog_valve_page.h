// Analog Valve, one page per circuit, for its two analog valves: each valve's output (refreshed
// every 2000 ms), its mode (Off, Manual with a position, Automatic), signal range and inversion,
// and the cascade in which the first valve opens fully before the second one opens. While
// cascade is off the second valve's controls are disabled.
#pragma once

#include <cstdint>

#include "nvdata/nv_page.h"
#include "resources/dialog_analog_valve.h"

// One valve: its controls and where the node keeps it.
struct AnalogValve {
  analog_valve_dialog::ValveControls controls;
  int32_t outputIndex;  // output word in 0.005 % steps
  int modeByte;         // high byte of the mode word in host index 29
  int manualByte;       // manual position in half percent in host index 30
  uint8_t mask;         // 2-10 V bit in part 1 byte 14, inverted bit in byte 16
};

// What differs between the circuits.
struct AnalogValveCircuit {
  int templateId;  // also the tab caption string
  AnalogValve first;
  AnalogValve second;
  uint8_t cascadeMask;    // in part 1 byte 12
  int cascadeOutputByte;  // in part 6, half percent
};

inline constexpr AnalogValveCircuit kAnalogValveBl1{
    210,
    {{"Mv1", 296, 297, 298, 299, 300, 301, 302, 303}, 32, 3, 4, 0x01},
    {{"Mv3", 304, 305, 306, 307, 308, 309, 310, 311}, 33, 5, 6, 0x02},
    0x01,
    12};
inline constexpr AnalogValveCircuit kAnalogValveBl2{
    211,
    {{"Mv2", 358, 359, 360, 369, 370, 361, 362, 367}, 35, 9, 10, 0x10},
    {{"Mv4", 363, 364, 365, 239, 371, 366, 330, 368}, 36, 11, 12, 0x20},
    0x04,
    16};

class CAnalogValvePage : public CNvPage {
 public:
  explicit CAnalogValvePage(const AnalogValveCircuit& circuit);

 protected:
  void RefreshLive() override;
  void ReadSettings() override;
  void WriteSettings() override;
  // On show, after the read: the enabling that the cascade and the modes call for. The second
  // valve's mode stays as read; only a click on "Cascade" puts it back to "Automatic".
  void UpdateEnabling() override;

 private:
  enum class Mode { kOff, kManual, kAutomatic };
  void ChooseMode(const AnalogValve& valve, Mode mode);
  static int RadioOf(const analog_valve_dialog::ValveControls& c, Mode mode);
  void ChooseRange(const AnalogValve& valve, bool twoToTen);
  void OnCascade();

  AnalogValveCircuit circuit_;
};

class CPage11PropPage : public CAnalogValvePage {
 public:
  CPage11PropPage() : CAnalogValvePage(kAnalogValveBl1) {}
};

class CPage12PropPage : public CAnalogValvePage {
 public:
  CPage12PropPage() : CAnalogValvePage(kAnalogValveBl2) {}
};
