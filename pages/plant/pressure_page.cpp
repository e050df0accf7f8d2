#include "pages/plant/pressure_page.h"

#include "nvdata/nv_codec.h"
#include "nvdata/nv_indices.h"
#include "resources/dialog_plant.h"
#include "resources/strings.h"

using namespace pressure_dialog;

namespace {

const SettingField& kSensorType = kPressureFields[0];
// The values of part 6, whole pascals read unsigned, and the check boxes of part 1.
const SettingField* const kValues = &kPressureFields[1];
const SettingField* const kFlags = &kPressureFields[6];
constexpr int kFlagsPart = PartOfRecord(kPressureFields[0].record);

// Disabled for a digital sensor.
constexpr int kAnalogOnly[] = {kIdSensorMin,   kIdSensorMax,   kIdSensorOffset,
                               kIdSetpointBl1, kIdSetpointBl2, kIdActual};

}  // namespace

CPage30PropPage::CPage30PropPage() : CNvPage(PressureDialog(), 229, ResString(229), true) {
  OnClicked(kIdAnalog, [this] { ChooseSensorType(true); });
  OnClicked(kIdDigital, [this] { ChooseSensorType(false); });
}

void CPage30PropPage::ChooseSensorType(bool analog) {
  SetCheck(kIdAnalog, analog);
  SetCheck(kIdDigital, !analog);
  for (int id : kAnalogOnly) EnableItem(id, analog);
}

void CPage30PropPage::RefreshLive() {
  uint8_t buffer[kReadCapacity] = {};
  if (ReadNv(kIndexPressure, buffer, kReadCapacity) == 0) {
    SetNumber(kIdActual, CNvCodec::MakeWord(buffer[0], buffer[1]), 0);
  }
}

void CPage30PropPage::ReadSettings() {
  PartExchange parts(Node());
  uint8_t r[kReadCapacity] = {};
  if (parts.Read(kFlagsPart, r, kReadCapacity) == 0) {
    ChooseSensorType(FieldFlag(kSensorType, r));
    for (int k = 0; k < 4; ++k) ShowField(kFlags[k], r);
  }
  ShowPart(parts, {kValues[0], kValues[1], kValues[2], kValues[3], kValues[4]});
}

void CPage30PropPage::WriteSettings() {
  PartExchange parts(Node());
  // With neither sensor type on, the flags were never read from the node and nobody chose a
  // type: part 1 is left as it is rather than cleared. Part 6 is still written.
  const bool typeChosen = IsChecked(kIdAnalog) || IsChecked(kIdDigital);
  if (typeChosen) {
    WritePart(parts, {kSensorType, kFlags[0], kFlags[1], kFlags[2], kFlags[3]}, kReadCapacity);
  }
  // The fields go to the node whether or not a digital sensor has disabled them. The node reads
  // these words unsigned: a negative number stores 0, one above 65535 stores 65535.
  WritePart(parts, {kValues[0], kValues[1], kValues[2], kValues[3], kValues[4]}, kReadCapacity);
}
