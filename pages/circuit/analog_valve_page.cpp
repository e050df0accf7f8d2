#include "pages/circuit/analog_valve_page.h"

#include "nvdata/nv_codec.h"
#include "nvdata/nv_indices.h"
#include "resources/strings.h"

using namespace analog_valve_dialog;

namespace {

constexpr int kModeOff = 0;
constexpr int kModeManual = 1;
constexpr int kModeAutomatic = 255;

}  // namespace

CAnalogValvePage::CAnalogValvePage(const AnalogValveCircuit& circuit)
    : CNvPage(
          AnalogValveDialog(circuit.templateId, circuit.first.controls, circuit.second.controls),
          circuit.templateId, ResString(circuit.templateId), true),
      circuit_(circuit) {
  for (const AnalogValve* valve : {&circuit_.first, &circuit_.second}) {
    const ValveControls& c = valve->controls;
    OnClicked(c.off, [this, valve] { ChooseMode(*valve, Mode::kOff); });
    OnClicked(c.manual, [this, valve] { ChooseMode(*valve, Mode::kManual); });
    OnClicked(c.automatic, [this, valve] { ChooseMode(*valve, Mode::kAutomatic); });
    OnClicked(c.volt0to10, [this, valve] { ChooseRange(*valve, false); });
    OnClicked(c.volt2to10, [this, valve] { ChooseRange(*valve, true); });
  }
  OnClicked(kIdCascade, [this] { OnCascade(); });
}

void CAnalogValvePage::RefreshLive() {
  uint8_t buffer[kReadCapacity] = {};
  for (const AnalogValve* valve : {&circuit_.first, &circuit_.second}) {
    if (ReadNv(valve->outputIndex, buffer, kReadCapacity) == 0) {
      SetNumber(valve->controls.out, CNvCodec::WordToLevPercent(buffer[0], buffer[1]), 0);
    }
  }
}

void CAnalogValvePage::ReadSettings() {
  PartExchange parts(Node());
  uint8_t record[kReadCapacity] = {};
  if (parts.Read(PartOfRecord(circuit_.cascade.record), record, kReadCapacity) == 0) {
    ShowField(circuit_.cascade, record);
    UpdateEnabling();
    for (const AnalogValve* valve : {&circuit_.first, &circuit_.second}) {
      ChooseRange(*valve, FieldFlag(valve->signal, record));
      ShowField(valve->invert, record);
    }
  }
  // The node's modes and positions, one read per valve.
  uint8_t buffer[kReadCapacity] = {};
  for (const AnalogValve* valve : {&circuit_.first, &circuit_.second}) {
    if (ReadNv(kIndexModes, buffer, kReadCapacity) != 0) continue;
    const int word = CNvCodec::MakeWord(buffer[valve->modeByte], buffer[valve->modeByte + 1]);
    const Mode mode = word == kModeOff      ? Mode::kOff
                      : word == kModeManual ? Mode::kManual
                                            : Mode::kAutomatic;
    ChooseMode(*valve, mode);
    RememberChoice(valve->controls.off, RadioOf(valve->controls, mode), word);
  }
  for (const AnalogValve* valve : {&circuit_.first, &circuit_.second}) {
    if (ReadNv(kIndexManualPositions, buffer, kReadCapacity) != 0) continue;
    SetNumber(valve->controls.in, CNvCodec::ByteToHalf(buffer[valve->manualByte]), 0);
  }
  ShowPart(parts, {circuit_.cascadeOutput});
}

void CAnalogValvePage::WriteSettings() {
  const AnalogValve* valves[] = {&circuit_.first, &circuit_.second};
  // A typed position above 100 % is taken as 100 %, never cut to its low bits; one the
  // engineer left goes back as the node held it, 127.5 % too.
  ModifyNv(kIndexManualPositions, kRecordSize, [&](uint8_t* b) {
    for (const AnalogValve* valve : valves) {
      b[valve->manualByte] = CNvCodec::HalfToByte(GetTyped(valve->controls.in, kPercentHalfRange));
    }
  });
  // With no mode button on, the node is left to regulate: Automatic. A mode button still as
  // read keeps the node's word (any word but 0 and 1 shows "Automatic").
  ModifyNv(kIndexModes, kRecordSize, [&](uint8_t* b) {
    for (const AnalogValve* valve : valves) {
      const ValveControls& c = valve->controls;
      const int radio = IsChecked(c.off)         ? c.off
                        : IsChecked(c.manual)    ? c.manual
                        : IsChecked(c.automatic) ? c.automatic
                                                 : 0;
      const int mode = ChoiceWord(c.off, radio,
                                  radio == c.off      ? kModeOff
                                  : radio == c.manual ? kModeManual
                                                      : kModeAutomatic);
      b[valve->modeByte] = CNvCodec::WholeHigh(mode);
      b[valve->modeByte + 1] = CNvCodec::WholeLow(mode);
    }
  });
  PartExchange parts(Node());
  WritePart(parts, {circuit_.first.signal, circuit_.first.invert, circuit_.second.signal,
                    circuit_.second.invert, circuit_.cascade});
  WritePart(parts, {circuit_.cascadeOutput});
}

void CAnalogValvePage::UpdateEnabling() {
  const bool cascade = IsChecked(kIdCascade);
  const ValveControls& second = circuit_.second.controls;
  for (int id : {second.off, second.manual, second.automatic, second.volt0to10, second.volt2to10,
                 second.out, second.invert}) {
    EnableItem(id, cascade);
  }
  EnableItem(kIdCascadeOutput, cascade);
  EnableItem(circuit_.first.controls.in, IsChecked(circuit_.first.controls.manual));
  EnableItem(second.in, cascade && IsChecked(second.manual));
}

void CAnalogValvePage::ChooseMode(const AnalogValve& valve, Mode mode) {
  const ValveControls& c = valve.controls;
  SetCheck(c.off, mode == Mode::kOff);
  SetCheck(c.manual, mode == Mode::kManual);
  SetCheck(c.automatic, mode == Mode::kAutomatic);
  // The second valve's position is of no use while cascade is off, whatever its mode.
  const bool usable = &valve == &circuit_.first || IsChecked(kIdCascade);
  EnableItem(c.in, mode == Mode::kManual && usable);
}

int CAnalogValvePage::RadioOf(const ValveControls& c, Mode mode) {
  return mode == Mode::kOff ? c.off : mode == Mode::kManual ? c.manual : c.automatic;
}

void CAnalogValvePage::ChooseRange(const AnalogValve& valve, bool twoToTen) {
  SetCheck(valve.controls.volt0to10, !twoToTen);
  SetCheck(valve.controls.volt2to10, twoToTen);
}

// The engineer switched cascade on or off: the second valve starts again from "Automatic".
void CAnalogValvePage::OnCascade() {
  UpdateEnabling();
  ChooseMode(circuit_.second, Mode::kAutomatic);
}
