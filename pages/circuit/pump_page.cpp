#include "pages/circuit/pump_page.h"

#include "nvdata/nv_codec.h"
#include "nvdata/nv_indices.h"
#include "resources/dialog_pump.h"
#include "resources/strings.h"

using namespace pump_dialog;

namespace {

// The mode radio buttons and the mode word each one writes. A mode word read from the node
// that is neither 0 nor 1 means Automatic.
struct Mode {
  int radioId;
  int value;
};
constexpr Mode kModes[] = {{kIdOff, 0}, {kIdManual, 1}, {kIdAutomatic, 255}};

const char* FlagText(const uint8_t* alarms, AlarmFlag flag) {
  return (alarms[flag.position] & flag.mask) != 0 ? "Alarm" : "OK";
}

}  // namespace

CPumpPage::CPumpPage(const PumpCircuit& circuit)
    : CNvPage(PumpDialog(circuit.templateId, circuit.groupCaption), circuit.templateId,
              ResString(circuit.templateId), true),
      circuit_(circuit) {
  for (const Mode& m : kModes) {
    OnClicked(m.radioId, [this, id = m.radioId] { Choose(id); });
  }
}

void CPumpPage::RefreshLive() {
  uint8_t buffer[kReadCapacity] = {};
  if (ReadNv(circuit_.stateIndex, buffer, kReadCapacity) == 0) {
    SetItemText(kIdOut, CNvCodec::SignedByte(buffer[1]) == 0 ? "OFF" : "ON");
  }
  if (ReadNv(kIndexStatusFlags, buffer, kReadCapacity) == 0) {
    SetItemText(kIdPumpFault, FlagText(buffer, circuit_.pumpFault));
    SetItemText(kIdPressureStop, FlagText(buffer, circuit_.pressureStop));
    SetItemText(kIdPressureFault, FlagText(buffer, circuit_.pressureFault));
  }
}

void CPumpPage::ReadSettings() {
  uint8_t buffer[kReadCapacity] = {};
  if (ReadNv(kIndexModes, buffer, kReadCapacity) != 0) return;
  const int mode =
      CNvCodec::MakeWord(buffer[circuit_.modePosition], buffer[circuit_.modePosition + 1]);
  const int radioId = mode == 0 ? kIdOff : mode == 1 ? kIdManual : kIdAutomatic;
  Choose(radioId);
  RememberChoice(kIdOff, radioId, mode);
}

// With no button on (the modes could not be read when the page was shown) the pump goes to
// Automatic, the mode the node runs a pump in when nobody has chosen another. The button read
// from the node and still on keeps the node's word (7 shows "Automatic" and stays 7).
void CPumpPage::WriteSettings() {
  int mode = 255;
  for (const Mode& m : kModes) {
    if (IsChecked(m.radioId)) {
      mode = ChoiceWord(kIdOff, m.radioId, m.value);
      break;
    }
  }
  ModifyNv(kIndexModes, kRecordSize, [&](uint8_t* record) {
    record[circuit_.modePosition] = CNvCodec::WholeHigh(mode);
    record[circuit_.modePosition + 1] = CNvCodec::WholeLow(mode);
  });
}

void CPumpPage::Choose(int radioId) {
  for (const Mode& m : kModes) SetCheck(m.radioId, m.radioId == radioId);
}
