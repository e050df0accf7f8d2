// What the pump and extended operation tests share: host calls timed from the start of an
// action, and the checks of a page's template (the texts an engineer must see; tab stops in
// reading order, row by row from the top and left to right, as the Win32 sheet walks them in
// template order and focuses the first).
#pragma once

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "framework/dialog_template.h"
#include "tests/support/fixture.h"

namespace testing_support {

// "R38@0", "W38@2000": the calls of `action`, bytes left out, times counted from its start.
inline std::vector<std::string> Timed(NodeFixture& f, const std::function<void()>& action) {
  const size_t from = f.node.Log().size();
  const uint64_t t0 = f.platform.TickCount();
  action();
  std::vector<std::string> calls;
  for (const sim::HostCall& c : f.CallsSince(from)) {
    calls.push_back(Traffic({c}, false, false)[0] + "@" + std::to_string(c.atMs - t0));
  }
  return calls;
}

// Texts of `wanted` no control shows, then each tab stop out of reading order ("a before b").
inline std::vector<std::string> LayoutFaults(const fw::DialogTemplate& dialog,
                                             const std::vector<std::string>& wanted) {
  std::vector<std::string> faults;
  for (const std::string& text : wanted) {
    bool found = false;
    for (const fw::ControlDef& c : dialog.controls) found = found || c.text == text;
    if (!found) faults.push_back("missing " + text);
  }
  const fw::ControlDef* last = nullptr;
  for (const fw::ControlDef& c : dialog.controls) {
    if (c.kind == fw::ControlKind::kStatic || c.kind == fw::ControlKind::kGroupBox) continue;
    // Middles within 4 dialog units of height share a row.
    const int dy = last == nullptr ? 99 : (2 * c.y + c.cy - 2 * last->y - last->cy) / 2;
    if (dy <= 4 && !(std::abs(dy) <= 4 && c.x > last->x)) {
      faults.push_back(std::to_string(last->id) + " before " + std::to_string(c.id));
    }
    last = &c;
  }
  return faults;
}

inline std::vector<int> TabStops(const fw::DialogTemplate& dialog) {
  std::vector<int> ids;
  for (const fw::ControlDef& c : dialog.controls) {
    if (c.kind != fw::ControlKind::kStatic && c.kind != fw::ControlKind::kGroupBox) {
      ids.push_back(c.id);
    }
  }
  return ids;
}

}  // namespace testing_support
