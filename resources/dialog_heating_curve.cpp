#include "resources/dialog_heating_curve.h"

#include <string>

#include "nvdata/nv_page.h"
#include "resources/dialog_rows.h"

using fw::ControlDef;
using fw::ControlKind;
using fw::kStaticId;
using namespace heating_curve_dialog;

namespace {

constexpr const char* kDegrees = "\u00B0C";
constexpr int kLabelX = 155;

std::vector<ControlDef> Controls() {
  std::vector<ControlDef> c = {
      {kStaticId, ControlKind::kGroupBox, "Forward temp", 4, 2, 56, 88},
      {kStaticId, ControlKind::kStatic, kDegrees, 42, 12, 10, 8},
  };
  for (int i = 0; i < 5; ++i) {
    c.push_back({kIdPointForward[i], ControlKind::kEdit, "", 8, 21 + 13 * i, 30, 11});
  }
  c.push_back({kIdPicture, ControlKind::kPicture, "", 63, 6, kPictureWidth, kPictureHeight,
               fw::kStyleNone});
  c.push_back({kStaticId, ControlKind::kGroupBox, "Outdoor temp", 4, 93, 142, 36});
  for (int i = 0; i < 5; ++i) {
    c.push_back({kStaticId, ControlKind::kStatic, std::to_string(i + 1), 8 + 25 * i, 103, 24, 8,
                 fw::kCentred});
  }
  for (int i = 0; i < 5; ++i) {
    c.push_back({kIdPointOutdoor[i], ControlKind::kEdit, "", 8 + 25 * i, 113, 24, 11});
  }
  c.push_back({kStaticId, ControlKind::kStatic, kDegrees, 134, 115, 9, 8});

  c.push_back({kStaticId, ControlKind::kGroupBox, "Temp", 150, 2, 96, 130});
  c.push_back(
      {kIdCurveMode, ControlKind::kCheckBox, "Calc.setpt    ", kLabelX, 13, 70, 10, fw::kTextLeft});
  const DialogRows rows(c, {kLabelX, 54, 211, 24, 237, 8, 11});
  rows.TwoLineRow("Number of temp setpoint (2-5)", 16, kIdCount, 28, "");
  rows.TwoLineRow("Offset\nnight temp.", 16, kIdNightOffset, 46, kDegrees);
  rows.TwoLineRow("Constant\nday temp", 16, kIdConstantDay, 64, kDegrees);
  rows.TwoLineRow("Constant\nnight temp", 16, kIdConstantNight, 82, kDegrees);
  rows.Row("Calc.", kIdCalcSetpoint, 97, kDegrees, fw::kReadOnly);
  rows.Row("Actual forward", kIdActualForward, 108, kDegrees, fw::kReadOnly);
  rows.Row("Outdoor temp", kIdOutdoor, 119, kDegrees, fw::kReadOnly);
  c.push_back({kIdRead, ControlKind::kPushButton, "Read", 150, 135, 46, 13});
  c.push_back({kIdWrite, ControlKind::kPushButton, "Write", 200, 135, 46, 13});
  return c;
}

}  // namespace

const fw::DialogTemplate& HeatingCurveDialog(int templateId) {
  return fw::TemplateOnce(templateId, [&] { return Controls(); });
}
