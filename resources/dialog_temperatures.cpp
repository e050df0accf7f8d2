#include "resources/dialog_temperatures.h"

#include "resources/dialog_rows.h"

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
  };
  const DialogRows left(c,
                        {kLeft + kLabelDx, 48, kLeft + kEditDx, kEditWidth, kLeft + kUnitDx, 10});
  const DialogRows right(
      c, {kRight + kLabelDx, 48, kRight + kEditDx, kEditWidth, kRight + kUnitDx, 10});
  left.Row("Actual", forward.actualId, 15, kDegrees, fw::kReadOnly);
  right.Row("Actual", ret.actualId, 15, kDegrees, fw::kReadOnly);
  left.Row("Offset", forward.offsetId, 31, kDegrees);
  right.Row("Offset", ret.offsetId, 31, kDegrees);
  if (supervision) {
    c.push_back({kStaticId, ControlKind::kGroupBox, "Low forward temp (Bw1)", kLeft, 54, 116, 66});
    c.push_back({kStaticId, ControlKind::kGroupBox, "Return temp", kRight, 54, 116, 66});
    left.Row("Offset temp", kIdLowOffset, 67, kDegrees, fw::kRightAlign);
    const std::vector<ControlDef> more = {
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
  AddReadWrite(c, 129);
  return c;
}

}  // namespace

const fw::DialogTemplate& TemperaturesDialog(int templateId, const SensorGroup& forward,
                                             const SensorGroup& ret, bool supervision) {
  return fw::TemplateOnce(templateId, [&] { return Controls(forward, ret, supervision); });
}
