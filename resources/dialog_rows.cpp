#include "resources/dialog_rows.h"

#include "nvdata/nv_page.h"

using fw::ControlKind;
using fw::kStaticId;

void DialogRows::Row(const std::string& label, int id, int y, const std::string& unit,
                     uint32_t fieldStyle) const {
  controls_.push_back(
      {kStaticId, ControlKind::kStatic, label, columns_.labelX, y + 2, columns_.labelWidth, 8});
  FieldAndUnit(id, y, unit, fieldStyle);
}

void DialogRows::TwoLineRow(const std::string& label, int labelHeight, int id, int y,
                            const std::string& unit, uint32_t fieldStyle) const {
  controls_.push_back({kStaticId, ControlKind::kStatic, label, columns_.labelX, y - 2,
                       columns_.labelWidth, labelHeight, fw::kMultiLine});
  FieldAndUnit(id, y, unit, fieldStyle);
}

void DialogRows::FieldAndUnit(int id, int y, const std::string& unit, uint32_t fieldStyle) const {
  controls_.push_back({id, ControlKind::kEdit, "", columns_.fieldX, y, columns_.fieldWidth,
                       columns_.fieldHeight, fieldStyle});
  if (unit.empty()) return;
  controls_.push_back(
      {kStaticId, ControlKind::kStatic, unit, columns_.unitX, y + 2, columns_.unitWidth, 8});
}

void AddReadWrite(std::vector<fw::ControlDef>& controls, int y) {
  controls.push_back({kIdRead, ControlKind::kPushButton, "Read", 136, y, 50, 14});
  controls.push_back({kIdWrite, ControlKind::kPushButton, "Write", 193, y, 50, 14});
}
