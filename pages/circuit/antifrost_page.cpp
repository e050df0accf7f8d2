#include "pages/circuit/antifrost_page.h"

#include "nvdata/nv_codec.h"
#include "nvdata/nv_indices.h"
#include "resources/dialog_antifrost.h"
#include "resources/strings.h"

using namespace antifrost_dialog;

namespace {

constexpr int32_t kReadCapacity = 32;
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
  uint8_t buffer[kReadCapacity] = {};
  if (ReadNv(circuit_.outdoorIndex, buffer, kReadCapacity) == 0) {
    SetNumber(kIdActualOutdoor, CNvCodec::WordToTemp(buffer[0], buffer[1]), 1);
  }
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
  uint8_t record[kReadCapacity] = {};
  const SettingField& enabled = circuit_.fields[0];
  if (parts.Read(PartOfRecord(enabled.record), record, kReadCapacity) == 0) {
    ShowField(enabled, record);
  }
  UpdateAntifrost();
  if (parts.Read(PartOfRecord(circuit_.fields[1].record), record, kReadCapacity) == 0) {
    for (int k = 1; k <= 3; ++k) ShowField(circuit_.fields[k], record);
  }
}

void CAntifrostPage::WriteSettings() {
  PartExchange parts(Node());
  const SettingField& enabled = circuit_.fields[0];
  const bool on = IsChecked(enabled.controlId);
  parts.ReadModifyWrite(PartOfRecord(enabled.record),
                        [&](uint8_t* record) { PutFieldFlag(enabled, record, on); });
  // The three temperatures are stored from their edits whether or not the box is checked.
  double typed[4] = {};
  for (int k = 1; k <= 3; ++k) typed[k] = TypedField(circuit_.fields[k]);
  parts.ReadModifyWrite(PartOfRecord(circuit_.fields[1].record), [&](uint8_t* record) {
    for (int k = 1; k <= 3; ++k) PutFieldNumber(circuit_.fields[k], record, typed[k]);
  });
}
