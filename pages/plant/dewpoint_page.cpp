#include "pages/plant/dewpoint_page.h"

#include "nvdata/nv_codec.h"
#include "resources/dialog_plant.h"
#include "resources/strings.h"

using namespace dewpoint_dialog;

namespace {

constexpr int32_t kReadCapacity = 32;
constexpr int kDewpointPart = 3;

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

// Byte of the high half of value k in the part; the low half follows.
constexpr int ValueHigh(int k) {
  return 2 * k - 1;
}
constexpr int kOffsetClose = ValueHigh(11);      // 0.01 °C
constexpr int kAdvanceTime = ValueHigh(12);      // 0.1 s, shown in whole seconds
constexpr int kOffsetRegulator = ValueHigh(13);  // 0.01 °C

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
  SetNumber(kIdOffsetRegulator, CNvCodec::WordToTemp(r[kOffsetRegulator], r[kOffsetRegulator + 1]),
            1);
  SetNumber(kIdAdvanceTime, CNvCodec::WordDiv10(r[kAdvanceTime], r[kAdvanceTime + 1]), 0,
            CNvCodec::MakeWord(r[kAdvanceTime], r[kAdvanceTime + 1]) / 10.0);
  SetNumber(kIdOffsetClose, CNvCodec::WordToTemp(r[kOffsetClose], r[kOffsetClose + 1]), 1);
}

void CPage31PropPage::WriteSettings() {
  const double regulator = GetTyped(kIdOffsetRegulator, kTempRange);
  const double close = GetTyped(kIdOffsetClose, kTempRange);
  const double advance = GetTyped(kIdAdvanceTime, kTenthsWordRange);
  PartExchange parts(Node());
  parts.ReadModifyWrite(
      kDewpointPart,
      [&](uint8_t* r) {
        r[kOffsetRegulator] = CNvCodec::HundredthsHigh(regulator);
        r[kOffsetRegulator + 1] = CNvCodec::HundredthsLow(regulator);
        r[kOffsetClose] = CNvCodec::HundredthsHigh(close);
        r[kOffsetClose + 1] = CNvCodec::HundredthsLow(close);
        r[kAdvanceTime] = CNvCodec::TenthsHigh(advance);
        r[kAdvanceTime + 1] = CNvCodec::TenthsLow(advance);
      },
      kReadCapacity);
}
