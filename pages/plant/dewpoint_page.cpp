#include "pages/plant/dewpoint_page.h"

#include "resources/dialog_plant.h"
#include "resources/strings.h"

using namespace dewpoint_dialog;

namespace {

const SettingField& kAdvanceTime = kDewpointFields[0];  // 0.1 s, shown in whole seconds
const SettingField& kOffsetRegulator = kDewpointFields[1];
const SettingField& kOffsetClose = kDewpointFields[2];

// The live temperatures, in the order they are read.
struct LiveTemp {
  int32_t index;
  int id;
};
constexpr LiveTemp kLiveTemps[] = {
    {17, kIdForward},     // BL2 forward (Bw3)
    {19, kIdDewpoint},    // dewpoint
    {25, kIdCalculated},  // calculated for BL2
};

}  // namespace

CPage31PropPage::CPage31PropPage() : CNvPage(DewpointDialog(), 230, ResString(230), true) {}

void CPage31PropPage::RefreshLive() {
  // Each temperature stands on its own: one the node does not answer keeps its last text.
  for (const LiveTemp& t : kLiveTemps) ShowLiveTemp(t.index, t.id);
}

void CPage31PropPage::ReadSettings() {
  PartExchange parts(Node());
  ShowPart(parts, {kOffsetRegulator, kAdvanceTime, kOffsetClose});
}

void CPage31PropPage::WriteSettings() {
  PartExchange parts(Node());
  WritePart(parts, {kOffsetRegulator, kOffsetClose, kAdvanceTime}, kReadCapacity);
}
