// What the circuit settings page tests share: one page of the plug-in sheet in view, and each
// step's host calls with their times counted from the step's start ("R45@0", "W45@200";
// writes without their bytes, which the tests check in the node).
#pragma once

#include <string>
#include <vector>

#include "resources/dialogs.h"
#include "tests/support/fixture.h"

namespace testing_support {

using Calls = std::vector<std::string>;

class PageSteps {
 public:
  // Opens the sheet with the page set of the page in view, the page not yet shown;
  // `pageIndex` counts the sheet's pages from 0 (CPage23PropPage is 22).
  fw::CPropertyPage& Open(int pageIndex) {
    f.OpenSheet();
    page = f.sheet->AllPages()[static_cast<size_t>(pageIndex)];
    if (f.sheet->GetPageIndex(page) < 0) f.driver->Click(kIdShowSet2);
    f.node.ClearLog();
    return *page;
  }
  template <typename Step>
  Calls Timed(Step step) {
    const size_t from = f.node.Log().size();
    const uint64_t start = f.platform.TickCount();
    step();
    Calls out;
    for (const sim::HostCall& c : f.CallsSince(from)) {
      out.push_back(Traffic({c}, false, false)[0] + "@" + std::to_string(c.atMs - start));
    }
    return out;
  }
  Calls Show() {
    return Timed([&] { f.Show(*page); });
  }
  Calls Click(int id) {
    return Timed([&] { f.driver->Click(id); });
  }
  Calls Wait(uint64_t ms) {
    return Timed([&] { f.platform.RunFor(ms); });
  }
  void Type(int id, const std::string& text) { f.driver->Type(id, text); }
  std::string Text(int id) const { return f.driver->Text(id); }
  bool Checked(int id) const { return f.driver->Checked(id); }
  bool Enabled(int id) const { return f.driver->Enabled(id); }

  // A part or NV with some bytes replaced: what a write of the page should leave.
  static std::vector<uint8_t> With(std::vector<uint8_t> bytes,
                                   const std::vector<std::pair<int, uint8_t>>& changes) {
    for (const auto& [position, value] : changes) bytes[static_cast<size_t>(position)] = value;
    return bytes;
  }

  NodeFixture f;
  fw::CPropertyPage* page = nullptr;
};

}  // namespace testing_support
