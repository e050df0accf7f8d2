#include "pages/circuit/antifrost_page.h"

#include "nvdata/nv_indices.h"
#include "resources/dialog_antifrost.h"
#include "resources/strings.h"

using namespace antifrost_dialog;

namespace {

constexpr uint8_t kHeatMask = 0x40;
constexpr int kFieldIds[] = {kIdStart, kIdStop, kIdReturn, kIdActualOutdoor, kIdStatus};

}  // namespace

CAntifrostPage::CAntifrostPage(const AntifrostCircuit& circuit)
    : CNvPage(AntifrostDialog(circuit.templateId, circuit.returnLabel), circuit.captionId,
              ResString(circuit.captionId), true),
      circuit_(circuit) {
  OnClicked(kIdEnabled, [this] { UpdateAntifrost(); });
}

void CAntifrostPage::RefreshLive() {
  ShowLiveTemp(circuit_.outdoorIndex, kIdActualOutdoor);
  uint8_t buffer[kReadCapacity] = {};
  if (ReadNv(kIndexStatusFlags, buffer, kReadCapacity) == 0) {
    SetItemText(kIdStatus, (buffer[circuit_.statusByte] & kHeatMask) != 0 ? "Heat" : "Off");
  }
}

void CAntifrostPage::UpdateAntifrost() {
  const bool on = IsChecked(kIdEnabled);
  for (int id : kFieldIds) EnableItem(id, on);
}

void CAntifrostPage::ReadSettings() {
  PartExchange parts(Node());
  const SettingField* f = circuit_.fields;
  ShowPart(parts, {f[0]});
  UpdateAntifrost();
  ShowPart(parts, {f[1], f[2], f[3]});
}

void CAntifrostPage::WriteSettings() {
  PartExchange parts(Node());
  const SettingField* f = circuit_.fields;
  WritePart(parts, {f[0]});
  // The three temperatures are stored from their edits whether or not the box is checked.
  WritePart(parts, {f[1], f[2], f[3]});
}
