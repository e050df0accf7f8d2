// Checks of a page's dialog template: the texts an engineer must see, and fields that the Tab
// key walks as a person reads them (row by row from the top, left to right; the Win32 sheet
// walks them in template order and gives the first one the focus).
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "framework/dialog_template.h"

namespace testing_support {

// The texts of `wanted` that no control of the template shows.
inline std::vector<std::string> MissingTexts(const fw::DialogTemplate& dialog,
                                             const std::vector<std::string>& wanted) {
  std::vector<std::string> missing;
  for (const std::string& text : wanted) {
    bool found = false;
    for (const fw::ControlDef& c : dialog.controls) found = found || c.text == text;
    if (!found) missing.push_back(text);
  }
  return missing;
}

inline bool IsTabStop(const fw::ControlDef& c) {
  return c.kind != fw::ControlKind::kStatic && c.kind != fw::ControlKind::kGroupBox;
}

// The ids of the fields the Tab key stops at, in the order it walks them.
inline std::vector<int> TabStops(const fw::DialogTemplate& dialog) {
  std::vector<int> ids;
  for (const fw::ControlDef& c : dialog.controls) {
    if (IsTabStop(c)) ids.push_back(c.id);
  }
  return ids;
}

// Each pair of consecutive tab stops where the second does not follow the first in reading
// order: fields whose middles lie within 4 dialog units of height share a row.
inline std::vector<std::string> OutOfReadingOrder(const fw::DialogTemplate& dialog) {
  std::vector<std::string> wrong;
  const fw::ControlDef* last = nullptr;
  for (const fw::ControlDef& c : dialog.controls) {
    if (!IsTabStop(c)) continue;
    if (last != nullptr) {
      const int dy = (2 * c.y + c.cy - 2 * last->y - last->cy) / 2;
      const bool nextRow = dy > 4;
      const bool sameRowRight = std::abs(dy) <= 4 && c.x > last->x;
      if (!nextRow && !sameRowRight) {
        wrong.push_back(std::to_string(last->id) + " before " + std::to_string(c.id));
      }
    }
    last = &c;
  }
  return wrong;
}

// The controls that reach outside the dialog.
inline std::vector<int> OutsideTheDialog(const fw::DialogTemplate& dialog) {
  std::vector<int> outside;
  for (const fw::ControlDef& c : dialog.controls) {
    if (c.x < 0 || c.y < 0 || c.x + c.cx > dialog.cx || c.y + c.cy > dialog.cy) {
      outside.push_back(c.id);
    }
  }
  return outside;
}

}  // namespace testing_support
