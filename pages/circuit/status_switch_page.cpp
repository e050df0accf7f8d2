#include "pages/circuit/status_switch_page.h"

#include <optional>

#include "nvdata/nv_codec.h"
#include "resources/dialog_status_switch.h"
#include "resources/strings.h"

using namespace status_switch_dialog;

namespace {

constexpr int32_t kOverrideSize = 2;  // the override NV's length
constexpr int kSwitchOff = 4;         // the position and the override value "Off"

// The override radio buttons with the value each stands for, in the order a write looks at
// them; any override value the table does not name means the manual rotary switch.
struct Override {
  int radioId;
  int value;
};
constexpr Override kOverrides[] = {{kIdBoost, 1},         {kIdNight, 2}, {kIdDay, 3},
                                   {kIdOff, 4},           {kIdAuto, 5},  {kIdOccupied, 6},
                                   {kIdManualSwitch, 255}};

const char* SwitchPositionText(int position) {
  static const char* const kTexts[] = {"Boost", "Night", "Day", "Off", "Auto", "Occupancy"};
  return position >= 1 && position <= 6 ? kTexts[position - 1] : "??";
}

const char* UnitModeText(int mode) {
  static const char* const kTexts[] = {"Auto",
                                       "Heating",
                                       "Morning warm-up",
                                       "Cooling",
                                       "Night purge",
                                       "Pre-cool",
                                       "Off",
                                       "Test",
                                       "Emergency heat",
                                       "Fan only",
                                       "Free cooling",
                                       "Ice-making",
                                       "Max heating",
                                       "Economic heat/cool",
                                       "Dehumidification"};
  return mode >= 0 && mode <= 14 ? kTexts[mode] : "??";
}

int RadioOf(int overrideValue) {
  for (const Override& o : kOverrides) {
    if (o.value == overrideValue) return o.radioId;
  }
  return kIdManualSwitch;
}

}  // namespace

CStatusSwitchPage::CStatusSwitchPage(const StatusSwitchCircuit& circuit)
    : CNvPage(StatusSwitchDialog(circuit.templateId, circuit.switchLabel), circuit.templateId,
              ResString(circuit.templateId), true),
      circuit_(circuit) {
  for (const Override& o : kOverrides) {
    OnClicked(o.radioId, [this, id = o.radioId] { Choose(id); });
  }
}

void CStatusSwitchPage::RefreshLive() {
  uint8_t buffer[kReadCapacity] = {};
  if (ReadNv(circuit_.switchIndex, buffer, kReadCapacity) == 0) {
    SetItemText(kIdSwitchPosition, SwitchPositionText(CNvCodec::MakeWord(buffer[0], buffer[1])));
  }
  if (ReadNv(circuit_.unitIndex, buffer, kReadCapacity) == 0) {
    SetItemText(kIdUnitMode, UnitModeText(CNvCodec::SignedByte(buffer[0])));
  }
  UpdateOverrideEnabling();
}

// The override buttons are of no use while the rotary switch stands on "Off", unless the
// override itself is "Off"; then they are left as they are.
void CStatusSwitchPage::UpdateOverrideEnabling() {
  uint8_t buffer[kReadCapacity] = {};
  if (ReadNv(IndexOfRecord(circuit_.overrideWord.record), buffer, kReadCapacity) != 0) return;
  if (FieldNumber(circuit_.overrideWord, buffer) == kSwitchOff) return;
  const bool switchOff = ReadNv(circuit_.switchIndex, buffer, kReadCapacity) == 0 &&
                         CNvCodec::MakeWord(buffer[0], buffer[1]) == kSwitchOff;
  for (const Override& o : kOverrides) EnableItem(o.radioId, !switchOff);
}

void CStatusSwitchPage::ReadSettings() {
  uint8_t buffer[kReadCapacity] = {};
  if (ReadNv(IndexOfRecord(circuit_.overrideWord.record), buffer, kReadCapacity) != 0) return;
  const int word = static_cast<int>(FieldNumber(circuit_.overrideWord, buffer));
  Choose(RadioOf(word));
  RememberChoice(kIdBoost, RadioOf(word), word);
}

void CStatusSwitchPage::WriteSettings() {
  // The button read from the node and still on keeps the node's word: an override the table
  // does not name shows "Use manual rotary switch" and is not rewritten as 255.
  std::optional<int> chosen;
  for (const Override& o : kOverrides) {
    if (IsChecked(o.radioId)) {
      chosen = ChoiceWord(kIdBoost, o.radioId, o.value);
      break;
    }
  }
  // The override is read first and written only when that read succeeded. With no button on
  // (the override could never be read) nobody chose a value: nothing is written rather than
  // an override of 0.
  uint8_t buffer[kReadCapacity] = {};
  const int32_t index = IndexOfRecord(circuit_.overrideWord.record);
  if (ReadNv(index, buffer, kReadCapacity) != 0 || !chosen) return;
  PutFieldNumber(circuit_.overrideWord, buffer, *chosen);
  Node().Write(index, buffer, kOverrideSize);
}

void CStatusSwitchPage::Choose(int radioId) {
  for (const Override& o : kOverrides) SetCheck(o.radioId, o.radioId == radioId);
}
