#include "pages/circuit/night_lowering_page.h"

#include "resources/dialog_night_lowering.h"
#include "resources/strings.h"

using namespace night_lowering_dialog;

namespace {

// The circuit's fields, in the order of the table.
constexpr int kNight = 0, kRoomStartStop = 1, kSetpoint = 2, kSeasonStop = 3, kSeasonTemp = 4,
              kPumpStop = 5;

}  // namespace

CNightLoweringPage::CNightLoweringPage(const NightLoweringCircuit& circuit)
    : CNvPage(NightLoweringDialog(circuit.templateId, circuit.fields[kSeasonStop].controlId,
                                  circuit.seasonName, circuit.seasonTempLabel),
              circuit.captionId, ResString(circuit.captionId), true),
      circuit_(circuit) {
  OnClicked(kIdNightLowering, [this] { OnNightLowering(); });
  OnClicked(kIdRoomStartStop, [this] { OnRoomStartStop(); });
  OnClicked(circuit_.fields[kSeasonStop].controlId, [this] { OnSeasonStop(); });
}

void CNightLoweringPage::OnNightLowering() {
  const bool on = IsChecked(kIdNightLowering);
  if (!on) SetCheck(kIdRoomStartStop, false);
  EnableItem(kIdRoomStartStop, on);
  OnRoomStartStop();
}

void CNightLoweringPage::OnRoomStartStop() {
  const bool on = IsChecked(kIdRoomStartStop);
  EnableItem(kIdRoomSetpoint, on);
  EnableItem(kIdRoomActual, on);
}

void CNightLoweringPage::OnSeasonStop() {
  const bool on = IsChecked(circuit_.fields[kSeasonStop].controlId);
  EnableItem(kIdSeasonTemp, on);
  EnableItem(kIdPumpStopTime, on);
}

void CNightLoweringPage::UpdateEnabling() {
  OnNightLowering();
  OnSeasonStop();
}

void CNightLoweringPage::RefreshLive() {
  ShowLiveTemp(circuit_.roomIndex, kIdRoomActual);
}

void CNightLoweringPage::ReadSettings() {
  PartExchange parts(Node());
  uint8_t record[kReadCapacity] = {};
  const SettingField* f = circuit_.fields;
  if (parts.Read(PartOfRecord(f[kNight].record), record, kReadCapacity) == 0) {
    // Each box is set and its handler run before the next box is set: a node with room
    // start/stop on but night lowering off leaves that box checked, though disabled.
    ShowField(f[kNight], record);
    OnNightLowering();
    ShowField(f[kRoomStartStop], record);
    OnRoomStartStop();
    ShowField(f[kSeasonStop], record);
    OnSeasonStop();
  }
  ShowPart(parts, {f[kSeasonTemp], f[kPumpStop]});
  ShowPart(parts, {f[kSetpoint]});
}

void CNightLoweringPage::WriteSettings() {
  PartExchange parts(Node());
  const SettingField* f = circuit_.fields;
  WritePart(parts, {f[kNight], f[kRoomStartStop], f[kSeasonStop]});
  WritePart(parts, {f[kSeasonTemp], f[kPumpStop]});
  WritePart(parts, {f[kSetpoint]});
}
