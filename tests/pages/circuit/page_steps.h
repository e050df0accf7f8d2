// What the circuit settings page tests share: one page of the plug-in sheet, and each step's
// host calls with their times counted from the step's start ("R45@0", "W45@200"; writes
// without their bytes, which the tests check in the node).
#pragma once

#include <string>
#include <vector>

#include "resources/dialogs.h"
#include "tests/support/fixture.h"

namespace testing_support {

using Calls = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

// `bytes` with the given positions replaced.
inline Bytes With(Bytes bytes, const std::vector<std::pair<int, uint8_t>>& changes) {
  for (const auto& [position, value] : changes) bytes[static_cast<size_t>(position)] = value;
  return bytes;
}

struct PageSteps {
  // Opens the sheet on the page set of page `pageIndex` (from 0: CPage23PropPage is 22).
  void Open(int pageIndex) {
    f.OpenSheet();
    page = f.sheet->AllPages()[static_cast<size_t>(pageIndex)];
    if (f.sheet->GetPageIndex(page) < 0) f.driver->Click(kIdShowSet2);
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
  // Replaces bytes of configuration part `part` in the node.
  void Put(int part, const std::vector<std::pair<int, uint8_t>>& changes) {
    f.node.SetPart(part, With(f.node.Part(part), changes));
  }

  NodeFixture f;
  fw::CPropertyPage* page = nullptr;
};

}  // namespace testing_support
