// Extended operation, one page per circuit: three delays in hours and minutes after which the
// circuit switches to boost, day or night temperature, and a "Start" beside each that restarts
// that delay in the node. Both circuits keep their delays in one 31-byte NV (host index 38),
// circuit 1 in values 1 to 6, circuit 2 in values 7 to 12. The page has no live values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "nvdata/nv_page.h"

// A delay as the node keeps it: two words, hours and minutes. Minutes above 59 are the node's
// business and are shown as they are.
struct Delay {
  uint16_t hours;
  uint16_t minutes;
};

// "H:MM": hours unpadded, minutes at least two digits (hours 2, minutes 5 show "2:05").
std::string DelayToText(Delay delay);

// Hours before the first ":" and minutes after it, each the leading number of its part (so
// "1:30:15" is 1 hour 30 minutes); without ":" the whole text is minutes ("90" is 0:90). Each
// number is cut toward zero and clamped to a word: a negative time is 0, 70000 hours 65535.
Delay TextToDelay(std::string_view text);

// What differs between the circuits.
struct ExtendedOperationCircuit {
  int templateId;  // also the tab caption string
  int firstValue;  // value of the boost hours; boost, day and night follow as hour-minute pairs
};

inline constexpr ExtendedOperationCircuit kExtendedOperationBl1{214, 1};
inline constexpr ExtendedOperationCircuit kExtendedOperationBl2{215, 7};

class CExtendedOperationPage : public CNvPage {
 public:
  explicit CExtendedOperationPage(const ExtendedOperationCircuit& circuit);

  // "Start" of row 0 (boost), 1 (day) or 2 (night): the row's delay is set to 0:00 in the
  // node, and 2000 ms later to the time in the row's edit, which restarts it.
  void OnStart(int row);

 protected:
  void ReadSettings() override;
  void WriteSettings() override;
  // The delays are written without reading them back.
  bool ReadsAfterWrite() const override { return false; }

 private:
  // The first byte of row `row`'s hours word; its minutes word follows.
  int RowPosition(int row) const;
  void PutDelay(uint8_t* record, int row, Delay delay) const;

  ExtendedOperationCircuit circuit_;
};

class CPage15PropPage : public CExtendedOperationPage {
 public:
  CPage15PropPage() : CExtendedOperationPage(kExtendedOperationBl1) {}
};

class CPage16PropPage : public CExtendedOperationPage {
 public:
  CPage16PropPage() : CExtendedOperationPage(kExtendedOperationBl2) {}
};
