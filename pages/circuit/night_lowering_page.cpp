#include "pages/circuit/night_lowering_page.h"

#include "nvdata/nv_codec.h"
#include "resources/dialog_night_lowering.h"
#include "resources/strings.h"

using namespace night_lowering_dialog;

namespace {

constexpr int32_t kReadCapacity = 32;
constexpr int kFlagPart = 1;
constexpr int kSeasonPart = 3;
constexpr int kSetpointPart = 4;

double TempAt(const uint8_t* bytes, int high) {
  return CNvCodec::WordToTemp(bytes[high], bytes[high + 1]);
}

void PutTemp(uint8_t* bytes, int high, double celsius) {
  bytes[high] = CNvCodec::HundredthsHigh(celsius);
  bytes[high + 1] = CNvCodec::HundredthsLow(celsius);
}

uint8_t WithFlag(uint8_t byte, uint8_t mask, bool on) {
  return static_cast<uint8_t>(on ? byte | mask : byte & ~mask);
}

}  // namespace

CNightLoweringPage::CNightLoweringPage(const NightLoweringCircuit& circuit)
    : CNvPage(NightLoweringDialog(circuit.templateId, circuit.seasonCheckId, circuit.seasonName,
                                  circuit.seasonTempLabel),
              circuit.captionId, ResString(circuit.captionId), true),
      circuit_(circuit) {
  OnClicked(kIdNightLowering, [this] { OnNightLowering(); });
  OnClicked(kIdRoomStartStop, [this] { OnRoomStartStop(); });
  OnClicked(circuit_.seasonCheckId, [this] { OnSeasonStop(); });
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
  const bool on = IsChecked(circuit_.seasonCheckId);
  EnableItem(kIdSeasonTemp, on);
  EnableItem(kIdPumpStopTime, on);
}

void CNightLoweringPage::UpdateEnabling() {
  OnNightLowering();
  OnSeasonStop();
}

void CNightLoweringPage::RefreshLive() {
  uint8_t buffer[kReadCapacity] = {};
  if (ReadNv(circuit_.roomIndex, buffer, kReadCapacity) == 0) {
    SetNumber(kIdRoomActual, TempAt(buffer, 0), 1);
  }
}

void CNightLoweringPage::ReadSettings() {
  PartExchange parts(Node());
  uint8_t record[kReadCapacity] = {};
  if (parts.Read(kFlagPart, record, kReadCapacity) == 0) {
    // Each box is set and its handler run before the next box is set: a node with room
    // start/stop on but night lowering off leaves that box checked, though disabled.
    const uint8_t flags = record[circuit_.flagByte];
    SetCheck(kIdNightLowering, (flags & kNightLoweringMask) != 0);
    OnNightLowering();
    SetCheck(kIdRoomStartStop, (flags & kRoomStartStopMask) != 0);
    OnRoomStartStop();
    SetCheck(circuit_.seasonCheckId, (flags & kSeasonStopMask) != 0);
    OnSeasonStop();
  }
  if (parts.Read(kSeasonPart, record, kReadCapacity) == 0) {
    SetNumber(kIdSeasonTemp, TempAt(record, circuit_.seasonTempByte), 1);
    const int pump = circuit_.pumpStopByte;
    SetNumber(kIdPumpStopTime, CNvCodec::WordDiv10(record[pump], record[pump + 1]), 0,
              CNvCodec::MakeWord(record[pump], record[pump + 1]) / 10.0);
  }
  if (parts.Read(kSetpointPart, record, kReadCapacity) == 0) {
    SetNumber(kIdRoomSetpoint, TempAt(record, circuit_.setpointByte), 1);
  }
}

void CNightLoweringPage::WriteSettings() {
  PartExchange parts(Node());
  parts.ReadModifyWrite(kFlagPart, [this](uint8_t* record) {
    uint8_t& flags = record[circuit_.flagByte];
    flags = WithFlag(flags, kNightLoweringMask, IsChecked(kIdNightLowering));
    flags = WithFlag(flags, kRoomStartStopMask, IsChecked(kIdRoomStartStop));
    flags = WithFlag(flags, kSeasonStopMask, IsChecked(circuit_.seasonCheckId));
  });
  parts.ReadModifyWrite(kSeasonPart, [this](uint8_t* record) {
    PutTemp(record, circuit_.seasonTempByte, GetTyped(kIdSeasonTemp, kTempRange));
    const double seconds = GetTyped(kIdPumpStopTime, kTenthsWordRange);
    record[circuit_.pumpStopByte] = CNvCodec::TenthsHigh(seconds);
    record[circuit_.pumpStopByte + 1] = CNvCodec::TenthsLow(seconds);
  });
  parts.ReadModifyWrite(kSetpointPart, [this](uint8_t* record) {
    PutTemp(record, circuit_.setpointByte, GetTyped(kIdRoomSetpoint, kTempRange));
  });
}
