#include "pages/plant/pressure_page.h"

#include "nvdata/nv_codec.h"
#include "nvdata/nv_indices.h"
#include "resources/dialog_plant.h"
#include "resources/strings.h"

using namespace pressure_dialog;

namespace {

constexpr int32_t kReadCapacity = 32;
constexpr int kFlagsPart = 1;
constexpr int kFlagsByte = 10;
constexpr int kValuesPart = 6;
constexpr uint8_t kAnalogMask = 0x02;

// The check boxes and their masks in the flags byte (as the node stores it).
struct Flag {
  int id;
  uint8_t mask;
};
constexpr Flag kFlags[] = {
    {kIdMonitorBl1, 0x04},
    {kIdMonitorBl2, 0x08},
    {kIdStopPumpBl1, 0x10},
    {kIdStopPumpBl2, 0x20},
};

// The fields of part 6, values 1 to 5, whole pascals read unsigned.
constexpr int kValueFields[] = {kIdSensorMin, kIdSensorMax, kIdSensorOffset, kIdSetpointBl1,
                                kIdSetpointBl2};

// Disabled for a digital sensor.
constexpr int kAnalogOnly[] = {kIdSensorMin,   kIdSensorMax,   kIdSensorOffset,
                               kIdSetpointBl1, kIdSetpointBl2, kIdActual};

uint8_t WithMask(uint8_t b, uint8_t mask, bool on) {
  return static_cast<uint8_t>(on ? b | mask : b & ~mask);
}

}  // namespace

CPage30PropPage::CPage30PropPage() : CNvPage(PressureDialog(), 229, ResString(229), true) {
  OnClicked(kIdAnalog, [this] { OnAnalogSensor(); });
  OnClicked(kIdDigital, [this] { OnDigitalSensor(); });
}

void CPage30PropPage::OnAnalogSensor() {
  ChooseSensorType(true);
}

void CPage30PropPage::OnDigitalSensor() {
  ChooseSensorType(false);
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
    const uint8_t flags = r[kFlagsByte];
    ChooseSensorType((flags & kAnalogMask) != 0);
    for (const Flag& f : kFlags) SetCheck(f.id, (flags & f.mask) != 0);
  }
  if (parts.Read(kValuesPart, r, kReadCapacity) == 0) {
    for (int k = 1; k <= 5; ++k) {
      SetNumber(kValueFields[k - 1], CNvCodec::MakeWord(r[2 * k - 1], r[2 * k]), 0);
    }
  }
}

void CPage30PropPage::WriteSettings() {
  PartExchange parts(Node());
  // With neither sensor type on, the flags were never read from the node and nobody chose a
  // type: part 1 is left as it is rather than cleared. Part 6 is still written.
  const bool typeChosen = IsChecked(kIdAnalog) || IsChecked(kIdDigital);
  if (typeChosen) {
    parts.ReadModifyWrite(
        kFlagsPart,
        [this](uint8_t* r) {
          uint8_t flags = WithMask(r[kFlagsByte], kAnalogMask, IsChecked(kIdAnalog));
          for (const Flag& f : kFlags) flags = WithMask(flags, f.mask, IsChecked(f.id));
          r[kFlagsByte] = flags;
        },
        kReadCapacity);
  }
  // The fields go to the node whether or not a digital sensor has disabled them. The node reads
  // these words unsigned: a negative number stores 0, one above 65535 stores 65535.
  parts.ReadModifyWrite(
      kValuesPart,
      [this](uint8_t* r) {
        for (int k = 1; k <= 5; ++k) {
          const double v = GetTyped(kValueFields[k - 1], kWordRange);
          r[2 * k - 1] = CNvCodec::WholeHigh(v);
          r[2 * k] = CNvCodec::WholeLow(v);
        }
      },
      kReadCapacity);
}
