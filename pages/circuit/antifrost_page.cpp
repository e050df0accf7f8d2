#include "pages/circuit/antifrost_page.h"

#include "nvdata/nv_codec.h"
#include "nvdata/nv_indices.h"
#include "resources/dialog_antifrost.h"
#include "resources/strings.h"

using namespace antifrost_dialog;

namespace {

constexpr int32_t kReadCapacity = 32;
constexpr uint8_t kEnabledMask = 0x08;
constexpr uint8_t kHeatMask = 0x40;
constexpr int kFieldIds[] = {kIdStart, kIdStop, kIdReturn, kIdActualOutdoor, kIdStatus};

double TempAt(const uint8_t* record, int byte) {
  return CNvCodec::WordToTemp(record[byte], record[byte + 1]);
}

void PutTemp(uint8_t* record, int byte, double celsius) {
  record[byte] = CNvCodec::HundredthsHigh(celsius);
  record[byte + 1] = CNvCodec::HundredthsLow(celsius);
}

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
    SetNumber(kIdActualOutdoor, TempAt(buffer, 0), 1);
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
  if (parts.Read(1, record, kReadCapacity) == 0) {
    SetCheck(kIdEnabled, (record[circuit_.flagByte] & kEnabledMask) != 0);
  }
  UpdateAntifrost();
  if (parts.Read(2, record, kReadCapacity) == 0) {
    SetNumber(kIdStart, TempAt(record, circuit_.startByte), 1);
    SetNumber(kIdStop, TempAt(record, circuit_.stopByte), 1);
    SetNumber(kIdReturn, TempAt(record, circuit_.returnByte), 1);
  }
}

void CAntifrostPage::WriteSettings() {
  PartExchange parts(Node());
  const bool on = IsChecked(kIdEnabled);
  parts.ReadModifyWrite(1, [&](uint8_t* record) {
    uint8_t& flags = record[circuit_.flagByte];
    flags = static_cast<uint8_t>(on ? flags | kEnabledMask : flags & ~kEnabledMask);
  });
  // The three temperatures are stored from their edits whether or not the box is checked.
  const double start = GetTyped(kIdStart, kTempRange);
  const double stop = GetTyped(kIdStop, kTempRange);
  const double ret = GetTyped(kIdReturn, kTempRange);
  parts.ReadModifyWrite(2, [&](uint8_t* record) {
    PutTemp(record, circuit_.startByte, start);
    PutTemp(record, circuit_.stopByte, stop);
    PutTemp(record, circuit_.returnByte, ret);
  });
}
