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
  SettingField signal;  // 2-10 V bit (part 1)
  SettingField invert;  // inverted bit (part 1)
};

// What differs between the circuits.
struct AnalogValveCircuit {
  int templateId;  // also the tab caption string
  AnalogValve first;
  AnalogValve second;
  SettingField cascade;        // flag in part 1
  SettingField cascadeOutput;  // part 6, half percent
};

inline constexpr analog_valve_dialog::ValveControls kMv1Controls{"Mv1", 296, 297, 298, 299,
                                                                 300,   301, 302, 303};
inline constexpr analog_valve_dialog::ValveControls kMv3Controls{"Mv3", 304, 305, 306, 307,
                                                                 308,   309, 310, 311};
inline constexpr analog_valve_dialog::ValveControls kMv2Controls{"Mv2", 358, 359, 360, 369,
                                                                 370,   361, 362, 367};
inline constexpr analog_valve_dialog::ValveControls kMv4Controls{"Mv4", 363, 364, 365, 239,
                                                                 371,   366, 330, 368};

inline constexpr AnalogValveCircuit kAnalogValveBl1{
    210,
    {kMv1Controls, 32, 3, 4,
     field::Flag("bl1.valve.mv1.signal", "BL1 valve Mv1 signal", RecordOfPart(1), 14, 0x01,
                 kMv1Controls.volt2to10, "2-10 volt", "0-10 volt"),
     field::Flag("bl1.valve.mv1.invert", "BL1 valve Mv1 inverted", RecordOfPart(1), 16, 0x01,
                 kMv1Controls.invert)},
    {kMv3Controls, 33, 5, 6,
     field::Flag("bl1.valve.mv3.signal", "BL1 valve Mv3 signal", RecordOfPart(1), 14, 0x02,
                 kMv3Controls.volt2to10, "2-10 volt", "0-10 volt"),
     field::Flag("bl1.valve.mv3.invert", "BL1 valve Mv3 inverted", RecordOfPart(1), 16, 0x02,
                 kMv3Controls.invert)},
    field::Flag("bl1.valve.cascade", "BL1 valve cascade", RecordOfPart(1), 12, 0x01,
                analog_valve_dialog::kIdCascade),
    field::Ranged(
        field::Value("bl1.valve.cascade_output", "BL1 cascade output", RecordOfPart(6), 12, 1,
                     SettingCodec::kHalfByte, "%", analog_valve_dialog::kIdCascadeOutput),
        0, 100)};
inline constexpr AnalogValveCircuit kAnalogValveBl2{
    211,
    {kMv2Controls, 35, 9, 10,
     field::Flag("bl2.valve.mv2.signal", "BL2 valve Mv2 signal", RecordOfPart(1), 14, 0x10,
                 kMv2Controls.volt2to10, "2-10 volt", "0-10 volt"),
     field::Flag("bl2.valve.mv2.invert", "BL2 valve Mv2 inverted", RecordOfPart(1), 16, 0x10,
                 kMv2Controls.invert)},
    {kMv4Controls, 36, 11, 12,
     field::Flag("bl2.valve.mv4.signal", "BL2 valve Mv4 signal", RecordOfPart(1), 14, 0x20,
                 kMv4Controls.volt2to10, "2-10 volt", "0-10 volt"),
     field::Flag("bl2.valve.mv4.invert", "BL2 valve Mv4 inverted", RecordOfPart(1), 16, 0x20,
                 kMv4Controls.invert)},
    field::Flag("bl2.valve.cascade", "BL2 valve cascade", RecordOfPart(1), 12, 0x04,
                analog_valve_dialog::kIdCascade),
    field::Ranged(
        field::Value("bl2.valve.cascade_output", "BL2 cascade output", RecordOfPart(6), 16, 1,
                     SettingCodec::kHalfByte, "%", analog_valve_dialog::kIdCascadeOutput),
        0, 100)};

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
