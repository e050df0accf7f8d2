#include "pages/circuit/heating_curve_page.h"

#include <cmath>

#include "pages/circuit/heating_curve_plot.h"
#include "resources/dialog_heating_curve.h"
#include "resources/strings.h"

using namespace heating_curve_dialog;

namespace {

constexpr uint8_t kNightLoweringMask = 0x01;  // in the curve mode's byte
// The circuit's fields: the mode, the count, then the temperatures of the record.
constexpr int kMode = 0, kCount = 1, kFirstTemp = 2, kFieldCount = 15;

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
  ShowLiveTemp(circuit_.setpointIndex, kIdCalcSetpoint);
  ShowLiveTemp(circuit_.forwardIndex, kIdActualForward);
  ShowLiveTemp(circuit_.outdoorIndex, kIdOutdoor);
  Redraw();
}

void CHeatingCurvePage::UpdateControls() {
  uint8_t buffer[kReadCapacity] = {};
  if (IsChecked(kIdCurveMode)) {
    for (int id : {kIdCount, kIdNightOffset, kIdOutdoor}) EnableItem(id, true);
    for (int id : {kIdConstantDay, kIdConstantNight}) EnableItem(id, false);
    const SettingField& counted = circuit_.fields[kCount];
    if (ReadNv(IndexOfRecord(counted.record), buffer, kReadCapacity) == 0) {
      ShowField(counted, buffer);
      const double count = FieldNumber(counted, buffer);
      // A count the node should not hold leaves the points as they were.
      if (count >= counted.lo && count <= counted.hi) {
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
    const SettingField& mode = circuit_.fields[kMode];
    if (parts.Read(PartOfRecord(mode.record), buffer, kReadCapacity) == 0) {
      EnableItem(kIdConstantNight, (buffer[mode.byte] & kNightLoweringMask) != 0);
    }
  }
  Redraw();
}

void CHeatingCurvePage::ReadSettings() {
  PartExchange parts(Node());
  ShowPart(parts, {circuit_.fields[kMode]});
  UpdateControls();
  uint8_t record[kReadCapacity] = {};
  if (ReadNv(IndexOfRecord(circuit_.fields[kCount].record), record, kReadCapacity) == 0) {
    for (int k = kCount; k < kFieldCount; ++k) ShowField(circuit_.fields[k], record);
  }
  Redraw();
}

void CHeatingCurvePage::WriteSettings() {
  PartExchange parts(Node());
  const SettingField& mode = circuit_.fields[kMode];
  const SettingField& counted = circuit_.fields[kCount];
  const int32_t curveIndex = IndexOfRecord(counted.record);
  const bool selected = parts.Select(PartOfRecord(mode.record));
  uint8_t record[kReadCapacity] = {};
  if (ReadNv(curveIndex, record, kRecordSize) == 0) {
    // The count is cut toward zero and held to 2 to 5 as a number: a large count is 5, never
    // its low byte.
    const double typed = std::trunc(GetNumber(counted.controlId));
    double count = std::fmin(std::fmax(typed, counted.lo), counted.hi);
    if (!(typed >= counted.lo)) {
      ShowMessage("Value must be between 2 and 5. Value set to 2");
      count = counted.lo;
    } else if (typed > counted.hi) {
      ShowMessage("Value must be between 2 and 5. Value set to 5");
      count = counted.hi;
    }
    PutFieldNumber(counted, record, count);
    // Every point is stored, whatever the count and the enabling; values 12 and 13 stay.
    for (int k = kFirstTemp; k < kFieldCount; ++k) {
      PutFieldNumber(circuit_.fields[k], record, TypedField(circuit_.fields[k]));
    }
    Node().Write(curveIndex, record, kRecordSize);
  }
  // Part 1 is still selected: its flag byte follows without a new selection. When the
  // selection failed the node shows another part, which is not this page's to write.
  if (!selected) return;
  const bool curveMode = IsChecked(mode.controlId);
  ModifyNv(kIndexPluginCnf, kRecordSize,
           [&](uint8_t* part) { PutFieldFlag(mode, part, curveMode); });
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
