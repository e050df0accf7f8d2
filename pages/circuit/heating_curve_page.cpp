#include "pages/circuit/heating_curve_page.h"

#include <cmath>

#include "nvdata/nv_codec.h"
#include "pages/circuit/heating_curve_plot.h"
#include "resources/dialog_heating_curve.h"
#include "resources/strings.h"

using namespace heating_curve_dialog;

namespace {

constexpr int32_t kReadCapacity = 32;
constexpr uint8_t kCurveModeMask = 0x10;
constexpr uint8_t kNightLoweringMask = 0x01;
constexpr int kMinCount = 2;
constexpr int kMaxCount = 5;
// Values of the heating-curve record: outdoor temperatures of points 1 to 5 are values 1 to 5,
// forward temperatures values 6 to 10. Values 12 and 13 belong to the Temperatures page.
constexpr int kNightOffsetValue = 11;
constexpr int kConstantDayValue = 14;
constexpr int kConstantNightValue = 15;

constexpr int HighByteOf(int value) {
  return 2 * value - 1;
}

double ValueTemp(const uint8_t* record, int value) {
  return CNvCodec::WordToTemp(record[HighByteOf(value)], record[HighByteOf(value) + 1]);
}

void PutValueTemp(uint8_t* record, int value, double celsius) {
  record[HighByteOf(value)] = CNvCodec::HundredthsHigh(celsius);
  record[HighByteOf(value) + 1] = CNvCodec::HundredthsLow(celsius);
}

}  // namespace

CHeatingCurvePage::CHeatingCurvePage(const HeatingCurveCircuit& circuit)
    : CNvPage(HeatingCurveDialog(circuit.templateId), circuit.captionId,
              ResString(circuit.captionId), true),
      circuit_(circuit) {
  OnClicked(kIdCurveMode, [this] { UpdateControls(); });
  OnChanged(kIdCount, [this] { Redraw(); });
  for (int i = 0; i < 5; ++i) {
    OnChanged(kIdPointOutdoor[i], [this] { Redraw(); });
    OnChanged(kIdPointForward[i], [this] { Redraw(); });
  }
}

void CHeatingCurvePage::RefreshLive() {
  uint8_t buffer[kReadCapacity] = {};
  const std::pair<int32_t, int> live[] = {{circuit_.setpointIndex, kIdCalcSetpoint},
                                          {circuit_.forwardIndex, kIdActualForward},
                                          {circuit_.outdoorIndex, kIdOutdoor}};
  for (const auto& [index, id] : live) {
    if (ReadNv(index, buffer, kReadCapacity) == 0) {
      SetNumber(id, CNvCodec::WordToTemp(buffer[0], buffer[1]), 1);
    }
  }
  Redraw();
}

void CHeatingCurvePage::UpdateControls() {
  uint8_t buffer[kReadCapacity] = {};
  if (IsChecked(kIdCurveMode)) {
    for (int id : {kIdCount, kIdNightOffset, kIdOutdoor}) EnableItem(id, true);
    for (int id : {kIdConstantDay, kIdConstantNight}) EnableItem(id, false);
    if (ReadNv(circuit_.curveIndex, buffer, kReadCapacity) == 0) {
      const int count = CNvCodec::SignedByte(buffer[0]);
      SetNumber(kIdCount, count, 0);
      // A count the node should not hold leaves the points as they were.
      if (count >= kMinCount && count <= kMaxCount) {
        for (int i = 0; i < 5; ++i) {
          EnableItem(kIdPointOutdoor[i], i < count);
          EnableItem(kIdPointForward[i], i < count);
        }
      }
    }
  } else {
    for (int i = 0; i < 5; ++i) {
      EnableItem(kIdPointOutdoor[i], false);
      EnableItem(kIdPointForward[i], false);
    }
    for (int id : {kIdCount, kIdNightOffset, kIdOutdoor}) EnableItem(id, false);
    EnableItem(kIdConstantDay, true);
    PartExchange parts(Node());
    if (parts.Read(1, buffer, kReadCapacity) == 0) {
      EnableItem(kIdConstantNight, (buffer[circuit_.flagByte] & kNightLoweringMask) != 0);
    }
  }
  Redraw();
}

void CHeatingCurvePage::ReadSettings() {
  PartExchange parts(Node());
  uint8_t record[kReadCapacity] = {};
  if (parts.Read(1, record, kReadCapacity) == 0) {
    SetCheck(kIdCurveMode, (record[circuit_.flagByte] & kCurveModeMask) != 0);
  }
  UpdateControls();
  if (ReadNv(circuit_.curveIndex, record, kReadCapacity) == 0) {
    SetNumber(kIdCount, CNvCodec::SignedByte(record[0]), 0);
    for (int i = 0; i < 5; ++i) {
      SetNumber(kIdPointOutdoor[i], ValueTemp(record, 1 + i), 1);
      SetNumber(kIdPointForward[i], ValueTemp(record, 6 + i), 1);
    }
    SetNumber(kIdNightOffset, ValueTemp(record, kNightOffsetValue), 1);
    SetNumber(kIdConstantDay, ValueTemp(record, kConstantDayValue), 1);
    SetNumber(kIdConstantNight, ValueTemp(record, kConstantNightValue), 1);
  }
  Redraw();
}

void CHeatingCurvePage::WriteSettings() {
  PartExchange parts(Node());
  const bool selected = parts.Select(1);
  uint8_t record[kReadCapacity] = {};
  if (ReadNv(circuit_.curveIndex, record, kRecordSize) == 0) {
    // The count is cut toward zero and held to 2 to 5 as a number: a large count is 5, never
    // its low byte.
    const double typed = std::trunc(GetNumber(kIdCount));
    int count = static_cast<int>(std::fmin(std::fmax(typed, kMinCount), kMaxCount));
    if (!(typed >= kMinCount)) {
      ShowMessage("Value must be between 2 and 5. Value set to 2");
      count = kMinCount;
    } else if (typed > kMaxCount) {
      ShowMessage("Value must be between 2 and 5. Value set to 5");
      count = kMaxCount;
    }
    record[0] = CNvCodec::WholeLow(count);
    // Every point is stored, whatever the count and the enabling; values 12 and 13 stay.
    for (int i = 0; i < 5; ++i) {
      PutValueTemp(record, 1 + i, GetTyped(kIdPointOutdoor[i], kTempRange));
      PutValueTemp(record, 6 + i, GetTyped(kIdPointForward[i], kTempRange));
    }
    PutValueTemp(record, kNightOffsetValue, GetTyped(kIdNightOffset, kTempRange));
    PutValueTemp(record, kConstantDayValue, GetTyped(kIdConstantDay, kTempRange));
    PutValueTemp(record, kConstantNightValue, GetTyped(kIdConstantNight, kTempRange));
    Node().Write(circuit_.curveIndex, record, kRecordSize);
  }
  // Part 1 is still selected: its flag byte follows without a new selection. When the
  // selection failed the node shows another part, which is not this page's to write.
  if (!selected) return;
  const bool curveMode = IsChecked(kIdCurveMode);
  ModifyNv(kIndexPluginCnf, kRecordSize, [&](uint8_t* part) {
    uint8_t& flags = part[circuit_.flagByte];
    flags = static_cast<uint8_t>(curveMode ? flags | kCurveModeMask : flags & ~kCurveModeMask);
  });
}

void CHeatingCurvePage::Redraw() {
  CurveFields fields;
  fields.curveMode = IsChecked(kIdCurveMode);
  fields.count = GetItemText(kIdCount);
  for (int i = 0; i < 5; ++i) {
    fields.outdoor[i] = GetItemText(kIdPointOutdoor[i]);
    fields.forward[i] = GetItemText(kIdPointForward[i]);
  }
  fields.liveOutdoor = GetItemText(kIdOutdoor);
  fields.liveSetpoint = GetItemText(kIdCalcSetpoint);
  SetDrawing(kIdPicture, HeatingCurvePlot(fields, kPictureWidth, kPictureHeight));
}
