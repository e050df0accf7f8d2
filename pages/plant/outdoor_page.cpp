#include "pages/plant/outdoor_page.h"

#include "nvdata/nv_indices.h"
#include "resources/dialog_plant.h"
#include "resources/strings.h"

using namespace outdoor_dialog;

namespace {

const SettingField& kOffset = kOutdoorFields[0];

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
  const bool present = SensorPresent(buffer);
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
