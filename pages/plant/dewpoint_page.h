// Dewpoint, in page set 2 only: BL2's dewpoint stop. Three live temperatures (forward sensor
// Bw3, dewpoint, calculated temperature), refreshed every 2000 ms, and three settings in
// configuration part 3: the offset passed to the BL2 regulator, the offset at which valve Mv2
// closes and how many seconds early it closes.
#pragma once

#include "nvdata/nv_page.h"

class CPage31PropPage : public CNvPage {
 public:
  CPage31PropPage();

 protected:
  void RefreshLive() override;
  void ReadSettings() override;
  void WriteSettings() override;
};
