#include "pages/plant/dewpoint_page.h"

#include "nvdata/nv_codec.h"
#include "resources/dialog_plant.h"
#include "resources/strings.h"

using namespace dewpoint_dialog;

namespace {

constexpr int32_t kReadCapacity = 32;
const SettingField& kAdvanceTime = kDewpointFields[0];  // 0.1 s, shown in whole seconds
const SettingField& kOffsetRegulator = kDewpointFields[1];
const SettingField& kOffsetClose = kDewpointFields[2];
constexpr int kDewpointPart = PartOfRecord(kDewpointFields[0].record);

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
  for (const LiveTemp& t : kLiveTemps) {
    uint8_t buffer[kReadCapacity] = {};
    if (ReadNv(t.index, buffer, kReadCapacity) == 0) {
      SetNumber(t.id, CNvCodec::WordToTemp(buffer[0], buffer[1]), 1);
    }
  }
}

void CPage31PropPage::ReadSettings() {
  PartExchange parts(Node());
  uint8_t r[kReadCapacity] = {};
  if (parts.Read(kDewpointPart, r, kReadCapacity) != 0) return;
  ShowField(kOffsetRegulator, r);
  ShowField(kAdvanceTime, r);
  ShowField(kOffsetClose, r);
}

void CPage31PropPage::WriteSettings() {
  const double regulator = TypedField(kOffsetRegulator);
  const double close = TypedField(kOffsetClose);
  const double advance = TypedField(kAdvanceTime);
  PartExchange parts(Node());
  parts.ReadModifyWrite(
      kDewpointPart,
      [&](uint8_t* r) {
        PutFieldNumber(kOffsetRegulator, r, regulator);
        PutFieldNumber(kOffsetClose, r, close);
        PutFieldNumber(kAdvanceTime, r, advance);
      },
      kReadCapacity);
}
