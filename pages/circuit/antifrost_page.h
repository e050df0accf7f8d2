// Antifrost, one page per circuit: frost protection on or off (a flag of configuration part 1),
// the outdoor temperatures at which it starts and stops and the return temperature of the
// heating surface (part 2), with the outdoor temperature and the frost protection status
// refreshed every 2000 ms. The circuit 2 page is made with the others but shown in no page set.
#pragma once

#include <cstdint>

#include "nvdata/nv_page.h"
#include "resources/dialog_antifrost.h"

// What differs between the circuits.
struct AntifrostCircuit {
  int templateId;
  int captionId;
  const char* returnLabel;  // names the return sensor
  int32_t outdoorIndex;     // outdoor temperature as the circuit uses it
  int statusByte;           // byte of host index 37 with the status flag (mask 0x40)
  // The enable flag (part 1), then the start, stop and return temperatures (part 2).
  SettingField fields[4];
};

inline constexpr AntifrostCircuit kAntifrostBl1{
    216,
    216,
    "Return temp\nheating surface (Bw2)",
    15,
    1,
    {field::Flag("bl1.antifrost", "BL1 antifrost", RecordOfPart(1), 2, 0x08,
                 antifrost_dialog::kIdEnabled),
     field::Temp("bl1.antifrost.start", "BL1 antifrost start, outdoor temperature", RecordOfPart(2),
                 19, antifrost_dialog::kIdStart),
     field::Temp("bl1.antifrost.stop", "BL1 antifrost stop, outdoor temperature", RecordOfPart(2),
                 21, antifrost_dialog::kIdStop),
     field::Temp("bl1.antifrost.return", "BL1 antifrost return temperature of the heating surface",
                 RecordOfPart(2), 27, antifrost_dialog::kIdReturn)}};
inline constexpr AntifrostCircuit kAntifrostBl2{
    226,
    217,
    "Return temp\nheating surface (Bw4)",
    18,
    0,
    {field::Flag("bl2.antifrost", "BL2 antifrost", RecordOfPart(1), 4, 0x08,
                 antifrost_dialog::kIdEnabled),
     field::Temp("bl2.antifrost.start", "BL2 antifrost start, outdoor temperature", RecordOfPart(2),
                 23, antifrost_dialog::kIdStart),
     field::Temp("bl2.antifrost.stop", "BL2 antifrost stop, outdoor temperature", RecordOfPart(2),
                 25, antifrost_dialog::kIdStop),
     field::Temp("bl2.antifrost.return", "BL2 antifrost return temperature of the heating surface",
                 RecordOfPart(2), 29, antifrost_dialog::kIdReturn)}};

class CAntifrostPage : public CNvPage {
 public:
  explicit CAntifrostPage(const AntifrostCircuit& circuit);

  // Check box 209: the five fields are of use only while frost protection is on. No traffic.
  void UpdateAntifrost();

 protected:
  void RefreshLive() override;
  void ReadSettings() override;
  void WriteSettings() override;
  void UpdateEnabling() override { UpdateAntifrost(); }

 private:
  AntifrostCircuit circuit_;
};

class CPage17PropPage : public CAntifrostPage {
 public:
  CPage17PropPage() : CAntifrostPage(kAntifrostBl1) {}
};

class CPage18PropPage : public CAntifrostPage {
 public:
  CPage18PropPage() : CAntifrostPage(kAntifrostBl2) {}
};
