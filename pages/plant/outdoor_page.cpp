#include "pages/plant/outdoor_page.h"

#include "nvdata/nv_codec.h"
#include "nvdata/nv_indices.h"
#include "resources/dialog_plant.h"
#include "resources/strings.h"

using namespace outdoor_dialog;

namespace {

const SettingField& kOffset = kOutdoorFields[0];
// Below -200.00 degrees the outdoor sensor counts as absent (hundredths, as the node stores them:
// compared in whole numbers, -200.00 itself is a sensor on every build).
constexpr int kNoSensorBelow = -20000;

}  // namespace

CPage29PropPage::CPage29PropPage() : CNvPage(OutdoorDialog(), 228, ResString(228), true) {}

void CPage29PropPage::OnShowWindow(bool show) {
  CNvPage::OnShowWindow(show);
  CheckSensor();
}

void CPage29PropPage::RefreshLive() {
  ShowLiveTemp(kIndexOutdoor, kIdActual);
}

void CPage29PropPage::CheckSensor() {
  uint8_t buffer[kRecordSize] = {};
  if (ReadNv(kIndexOutdoor, buffer, kRecordSize) != 0) return;
  const bool present = CNvCodec::WordToHundredths(buffer[0], buffer[1]) >= kNoSensorBelow;
  EnableItem(kIdActual, present);
  EnableItem(kIdOffset, present);
}

void CPage29PropPage::ReadSettings() {
  PartExchange parts(Node());
  ShowPart(parts, {kOffset});
}

void CPage29PropPage::WriteSettings() {
  PartExchange parts(Node());
  WritePart(parts, {kOffset}, kReadCapacity);
}
