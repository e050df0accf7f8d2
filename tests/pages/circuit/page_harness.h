// What the circuit settings page tests share: a sheet with the page in view, its host traffic
// per operation with times counted from the operation's start, and "$x" placeholders that a
// twin's row of literal numbers fills in.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/property_page.h"
#include "resources/dialogs.h"
#include "tests/support/fixture.h"

namespace circuit_test {

using Calls = std::vector<std::string>;

// "R$c@400" with {'c', 39} becomes "R39@400".
inline std::string Fill(std::string text, const std::map<char, int>& values) {
  for (size_t at = text.find('$'); at != std::string::npos && at + 1 < text.size();
       at = text.find('$', at)) {
    const auto it = values.find(text[at + 1]);
    const std::string value = it != values.end() ? std::to_string(it->second) : "?";
    text.replace(at, 2, value);
    at += value.size();
  }
  return text;
}

inline Calls Fill(const Calls& calls, const std::map<char, int>& values) {
  Calls out;
  for (const std::string& c : calls) out.push_back(Fill(c, values));
  return out;
}

class PageHarness {
 public:
  // Opens the sheet and brings page `pageIndex` (of the sheet's 36) into view; a page in neither
  // page set is added to the sheet first. The log starts empty after it.
  fw::CPropertyPage& Open(int pageIndex) {
    f.OpenSheet();
    page = f.sheet->AllPages()[static_cast<size_t>(pageIndex)];
    if (f.sheet->GetPageIndex(page) < 0) {
      f.driver->SelectTab(0);
      f.driver->Click(kIdShowSet2);
    }
    if (f.sheet->GetPageIndex(page) < 0) f.sheet->AddPage(page);
    f.Show(*page);
    f.node.ClearLog();
    return *page;
  }

  // Hides the page (the Node Information tab comes into view) so that the next Show is fresh.
  void Hide() {
    f.driver->SelectTab(0);
    f.node.ClearLog();
  }

  // The host calls `action` makes, with times from its start; bytes only when asked.
  Calls Traffic(const std::function<void()>& action, bool withBytes = false) {
    const size_t from = f.node.Log().size();
    const uint64_t start = f.platform.TickCount();
    action();
    std::vector<sim::HostCall> calls = f.CallsSince(from);
    for (sim::HostCall& c : calls) c.atMs -= start;
    return testing_support::Traffic(calls, true, withBytes);
  }
  Calls Show() {
    return Traffic([&] { f.Show(*page); });
  }
  Calls Tick() {
    return Traffic([&] { f.platform.RunFor(2000); });
  }
  Calls Click(int id) {
    return Traffic([&] { f.driver->Click(id); });
  }

  // The whole word at `byte` of a record.
  static int WordAt(const std::vector<uint8_t>& record, int byte) {
    return record[static_cast<size_t>(byte)] * 256 + record[static_cast<size_t>(byte) + 1];
  }
  static std::vector<uint8_t> Word(int w) {
    return {static_cast<uint8_t>((w >> 8) & 0xFF), static_cast<uint8_t>(w & 0xFF)};
  }

  testing_support::NodeFixture f;
  fw::CPropertyPage* page = nullptr;
};

}  // namespace circuit_test
