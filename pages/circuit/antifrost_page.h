// Antifrost, one page per circuit: frost protection on or off (a flag of configuration part 1),
// the outdoor temperatures at which it starts and stops and the return temperature of the
// heating surface (part 2), with the outdoor temperature and the frost protection status
// refreshed every 2000 ms. The circuit 2 page is made with the others but shown in no page set.
#pragma once

#include <cstdint>

#include "nvdata/nv_page.h"

// What differs between the circuits.
struct AntifrostCircuit {
  int templateId;
  int captionId;
  const char* returnLabel;  // names the return sensor
  int flagByte;             // part 1 byte with the enable flag (mask 0x08)
  int startByte;            // part 2: start, stop and return temperature words
  int stopByte;
  int returnByte;
  int32_t outdoorIndex;  // outdoor temperature as the circuit uses it
  int statusByte;        // byte of host index 37 with the status flag (mask 0x40)
};

inline constexpr AntifrostCircuit kAntifrostBl1{
    216, 216, "Return temp\nheating surface (Bw2)", 2, 19, 21, 27, 15, 1};
inline constexpr AntifrostCircuit kAntifrostBl2{
    226, 217, "Return temp\nheating surface (Bw4)", 4, 23, 25, 29, 18, 0};

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
