// The rows most pages are laid out in: a label, a field level with it and the field's unit, at
// the columns the page gives; and the "Read" and "Write" buttons at the page's bottom right.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/dialog_template.h"

// Where a page's label, field and unit columns start and how wide they are, in dialog units.
struct RowColumns {
  int labelX;
  int labelWidth;
  int fieldX;
  int fieldWidth;
  int unitX;
  int unitWidth;
  int fieldHeight = 12;
};

// Adds rows to a page's controls in the order of the calls, which is the order the Tab key
// walks them.
class DialogRows {
 public:
  DialogRows(std::vector<fw::ControlDef>& controls, const RowColumns& columns)
      : controls_(controls), columns_(columns) {}

  // A one-line label, the field `id` with its top at `y`, and its unit (none when empty).
  void Row(const std::string& label, int id, int y, const std::string& unit,
           uint32_t fieldStyle = fw::kStyleNone) const;
  // The same with a label of two lines, `labelHeight` high, centred on the field.
  void TwoLineRow(const std::string& label, int labelHeight, int id, int y, const std::string& unit,
                  uint32_t fieldStyle = fw::kStyleNone) const;

 private:
  void FieldAndUnit(int id, int y, const std::string& unit, uint32_t fieldStyle) const;

  std::vector<fw::ControlDef>& controls_;
  RowColumns columns_;
};

// "Read" and "Write", 50 wide, their top at `y`.
void AddReadWrite(std::vector<fw::ControlDef>& controls, int y);
