// Dewpoint, in page set 2 only: BL2's dewpoint stop. Three live temperatures (forward sensor
// Bw3, dewpoint, calculated temperature), refreshed every 2000 ms, and three settings in
// configuration part 3: the offset passed to the BL2 regulator, the offset at which valve Mv2
// closes and how many seconds early it closes.
#pragma once

#include "nvdata/nv_page.h"
#include "resources/dialog_plant.h"

// Values 12, 13 and 11 of part 3, in the order the page shows them.
inline constexpr SettingField kDewpointFields[] = {
    field::Value("bl2.dewpoint.advance", "BL2 dewpoint, advance time to close valve Mv2",
                 RecordOfPart(3), 23, 2, SettingCodec::kTenthsWhole, "s",
                 dewpoint_dialog::kIdAdvanceTime),
    field::Temp("bl2.dewpoint.regulator_offset", "BL2 dewpoint, offset to the regulator",
                RecordOfPart(3), 25, dewpoint_dialog::kIdOffsetRegulator),
    field::Temp("bl2.dewpoint.close_offset", "BL2 dewpoint, offset to close valve Mv2",
                RecordOfPart(3), 21, dewpoint_dialog::kIdOffsetClose)};

class CPage31PropPage : public CNvPage {
 public:
  CPage31PropPage();

 protected:
  void RefreshLive() override;
  void ReadSettings() override;
  void WriteSettings() override;
};
