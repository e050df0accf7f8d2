#include "resources/dialog_heating_curve.h"

#include <string>

#include "nvdata/nv_page.h"

using fw::ControlDef;
using fw::ControlKind;
using fw::kStaticId;
using namespace heating_curve_dialog;

namespace {

constexpr const char* kDegrees = "\u00B0C";
constexpr int kGroupLeft = 150;
constexpr int kLabelX = 155;
constexpr int kEditX = 211;
constexpr int kEditWidth = 24;
constexpr int kUnitX = 237;

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

  const std::vector<ControlDef> side = {
      {kStaticId, ControlKind::kGroupBox, "Temp", kGroupLeft, 2, 96, 130},
      {kIdCurveMode, ControlKind::kCheckBox, "Calc.setpt    ", kLabelX, 13, 70, 10, fw::kTextLeft},
      {kStaticId, ControlKind::kStatic, "Number of temp setpoint (2-5)", kLabelX, 26, 54, 16,
       fw::kMultiLine},
      {kIdCount, ControlKind::kEdit, "", kEditX, 28, kEditWidth, 11},
      {kStaticId, ControlKind::kStatic, "Offset\nnight temp.", kLabelX, 44, 54, 16, fw::kMultiLine},
      {kIdNightOffset, ControlKind::kEdit, "", kEditX, 46, kEditWidth, 11},
      {kStaticId, ControlKind::kStatic, kDegrees, kUnitX, 48, 8, 8},
      {kStaticId, ControlKind::kStatic, "Constant\nday temp", kLabelX, 62, 54, 16, fw::kMultiLine},
      {kIdConstantDay, ControlKind::kEdit, "", kEditX, 64, kEditWidth, 11},
      {kStaticId, ControlKind::kStatic, kDegrees, kUnitX, 66, 8, 8},
      {kStaticId, ControlKind::kStatic, "Constant\nnight temp", kLabelX, 80, 54, 16,
       fw::kMultiLine},
      {kIdConstantNight, ControlKind::kEdit, "", kEditX, 82, kEditWidth, 11},
      {kStaticId, ControlKind::kStatic, kDegrees, kUnitX, 84, 8, 8},
      {kStaticId, ControlKind::kStatic, "Calc.", kLabelX, 99, 54, 8},
      {kIdCalcSetpoint, ControlKind::kEdit, "", kEditX, 97, kEditWidth, 11, fw::kReadOnly},
      {kStaticId, ControlKind::kStatic, kDegrees, kUnitX, 99, 8, 8},
      {kStaticId, ControlKind::kStatic, "Actual forward", kLabelX, 110, 54, 8},
      {kIdActualForward, ControlKind::kEdit, "", kEditX, 108, kEditWidth, 11, fw::kReadOnly},
      {kStaticId, ControlKind::kStatic, kDegrees, kUnitX, 110, 8, 8},
      {kStaticId, ControlKind::kStatic, "Outdoor temp", kLabelX, 121, 54, 8},
      {kIdOutdoor, ControlKind::kEdit, "", kEditX, 119, kEditWidth, 11, fw::kReadOnly},
      {kStaticId, ControlKind::kStatic, kDegrees, kUnitX, 121, 8, 8},
      {kIdRead, ControlKind::kPushButton, "Read", 150, 135, 46, 13},
      {kIdWrite, ControlKind::kPushButton, "Write", 200, 135, 46, 13},
  };
  c.insert(c.end(), side.begin(), side.end());
  return c;
}

}  // namespace

const fw::DialogTemplate& HeatingCurveDialog(int templateId) {
  return fw::TemplateOnce(templateId, [&] { return Controls(); });
}
