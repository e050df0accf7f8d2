#include "resources/dialog_temperatures.h"

#include "nvdata/nv_page.h"

using fw::ControlDef;
using fw::ControlKind;
using fw::kStaticId;
using namespace temperatures_dialog;

namespace {

constexpr const char* kDegrees = "\u00B0C";
constexpr int kLeft = 7;
constexpr int kRight = 127;  // the second column of groups
constexpr int kLabelDx = 8;
constexpr int kEditDx = 58;
constexpr int kEditWidth = 40;
constexpr int kUnitDx = 101;

std::vector<ControlDef> Controls(const SensorGroup& forward, const SensorGroup& ret,
                                 bool supervision) {
  // Rows run across both columns, so that the Tab key reads the page line by line.
  std::vector<ControlDef> c = {
      {kStaticId, ControlKind::kGroupBox, forward.caption, kLeft, 4, 116, 44},
      {kStaticId, ControlKind::kGroupBox, ret.caption, kRight, 4, 116, 44},
      {kStaticId, ControlKind::kStatic, "Actual", kLeft + kLabelDx, 17, 48, 8},
      {forward.actualId, ControlKind::kEdit, "", kLeft + kEditDx, 15, kEditWidth, 12,
       fw::kReadOnly},
      {kStaticId, ControlKind::kStatic, kDegrees, kLeft + kUnitDx, 17, 10, 8},
      {kStaticId, ControlKind::kStatic, "Actual", kRight + kLabelDx, 17, 48, 8},
      {ret.actualId, ControlKind::kEdit, "", kRight + kEditDx, 15, kEditWidth, 12, fw::kReadOnly},
      {kStaticId, ControlKind::kStatic, kDegrees, kRight + kUnitDx, 17, 10, 8},
      {kStaticId, ControlKind::kStatic, "Offset", kLeft + kLabelDx, 33, 48, 8},
      {forward.offsetId, ControlKind::kEdit, "", kLeft + kEditDx, 31, kEditWidth, 12},
      {kStaticId, ControlKind::kStatic, kDegrees, kLeft + kUnitDx, 33, 10, 8},
      {kStaticId, ControlKind::kStatic, "Offset", kRight + kLabelDx, 33, 48, 8},
      {ret.offsetId, ControlKind::kEdit, "", kRight + kEditDx, 31, kEditWidth, 12},
      {kStaticId, ControlKind::kStatic, kDegrees, kRight + kUnitDx, 33, 10, 8},
  };
  if (supervision) {
    const std::vector<ControlDef> more = {
        {kStaticId, ControlKind::kGroupBox, "Low forward temp (Bw1)", kLeft, 54, 116, 66},
        {kStaticId, ControlKind::kGroupBox, "Return temp", kRight, 54, 116, 66},
        {kStaticId, ControlKind::kStatic, "Offset temp", kLeft + kLabelDx, 69, 48, 8},
        {kIdLowOffset, ControlKind::kEdit, "", kLeft + kEditDx, 67, kEditWidth, 12,
         fw::kRightAlign},
        {kStaticId, ControlKind::kStatic, kDegrees, kLeft + kUnitDx, 69, 10, 8},
        {kStaticId, ControlKind::kStatic, "Max return\ntemp", kRight + kLabelDx, 66, 48, 16,
         fw::kMultiLine},
        {kIdMaxReturn, ControlKind::kEdit, "", kRight + kEditDx, 67, kEditWidth, 12},
        {kStaticId, ControlKind::kStatic, kDegrees, kRight + kUnitDx, 69, 10, 8},
        {kStaticId, ControlKind::kStatic, "Time ", kLeft + kLabelDx, 85, 48, 8},
        {kIdLowTime, ControlKind::kEdit, "", kLeft + kEditDx, 83, kEditWidth, 12, fw::kRightAlign},
        {kStaticId, ControlKind::kStatic, "min", kLeft + kUnitDx, 85, 12, 8},
        {kStaticId, ControlKind::kStatic, "Ddb for\nreturn temp", kRight + kLabelDx, 82, 48, 16,
         fw::kMultiLine},
        {kIdReturnDdb, ControlKind::kEdit, "", kRight + kEditDx, 83, kEditWidth, 12},
        {kStaticId, ControlKind::kStatic, kDegrees, kRight + kUnitDx, 85, 10, 8},
        {kStaticId, ControlKind::kStatic, "Status", kLeft + kLabelDx, 101, 48, 8},
        {kIdLowStatus, ControlKind::kEdit, "", kLeft + kEditDx, 99, kEditWidth + 10, 12,
         fw::kReadOnly | fw::kCentred},
    };
    c.insert(c.end(), more.begin(), more.end());
  }
  c.push_back({kIdRead, ControlKind::kPushButton, "Read", 136, 129, 50, 14});
  c.push_back({kIdWrite, ControlKind::kPushButton, "Write", 193, 129, 50, 14});
  return c;
}

}  // namespace

const fw::DialogTemplate& TemperaturesDialog(int templateId, const SensorGroup& forward,
                                             const SensorGroup& ret, bool supervision) {
  return fw::TemplateOnce(templateId, [&] { return Controls(forward, ret, supervision); });
}
