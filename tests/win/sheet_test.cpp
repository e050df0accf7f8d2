// The sheet as the Properties verb opens it in a container, worked by window messages by
// control id from a second thread, against the simulated node.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "tests/support/page_sets.h"
#include "tests/win/harness.h"
#include "tests/win/scenarios.h"

namespace wintest {
namespace {

constexpr int kIdNodeName = 202;
constexpr int kIdBl1 = 234;
constexpr int kIdBl2 = 235;
constexpr int kIdExit = 1;
constexpr int kIdCancel = 2;
constexpr int kIdApply = 12321;
constexpr int kIdWrite = 210;
// Status switch page: override "Day" and the NV it writes.
constexpr int kIdOverrideDay = 336;
constexpr int kIndexOverride1 = 41;
constexpr int kIndexSelector = 45;

using testing_support::kFixedTabs;
using testing_support::kSet1Tabs;
using testing_support::kSet2Tabs;

std::vector<std::string> Tabs(const std::vector<std::string>& set) {
  return testing_support::TabsWith(set);
}

std::string Hex(const std::vector<uint8_t>& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (uint8_t b : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

// Closes the sheet with "Exit" and waits for it to be gone.
void Exit(Checks& checks, host::SheetRemote& sheet) {
  checks.That(sheet.ClickSheetButton(kIdExit) && sheet.WaitClosed(kWaitMs),
              "\"Exit\" closes the sheet");
}

}  // namespace

int SheetTabsAndRelease(Checks& checks) {
  Session session;
  sim::SimulatedNode& node = session.Node();
  node.SetNodeName("Boiler room 2");
  node.SetSelectedPart(1);
  const LONG nodeRefsBefore = node.RefCount();
  if (!checks.That(SUCCEEDED(session.CreateControl()), "the control is created by its ProgID")) {
    return checks.Finish();
  }
  checks.That(ModuleCanUnloadNow() == S_FALSE, "DllCanUnloadNow says S_FALSE while it lives");

  const HRESULT hr = session.RunProperties(checks, [&](host::SheetRemote& sheet) {
    if (!checks.That(sheet.Attach("HD7_3", kWaitMs), "the sheet \"HD7_3\" opens")) return;
    checks.That(sheet.WaitForMessageBox(500).window == nullptr, "no message box");
    checks.Equal(sheet.SheetButtonText(kIdExit), "Exit", "button 1");
    checks.That(!sheet.SheetButtonVisible(kIdCancel) && !sheet.SheetButtonVisible(kIdApply),
                "Cancel and Apply are hidden");
    checks.Equal(sheet.TabCaptions(), Tabs(kSet1Tabs), "the tabs are the fixed pages and set 1");
    checks.That(sheet.ActiveTab() == 0, "the first tab is in view");
    checks.Equal(sheet.Text(kIdNodeName), "Boiler room 2", "the node name on the first tab");
    checks.That(!sheet.Enabled(kIdBl1) && sheet.Enabled(kIdBl2), "BL1 disabled, BL2 enabled");
    int selected = -1;
    LONG refs = 0;
    session.OnUi([&] {
      selected = node.SelectedPart();
      refs = node.RefCount();
    });
    checks.That(selected == 0, "the part selector is 0 once the sheet is up (it was 1)",
                std::to_string(selected));
    checks.That(refs == nodeRefsBefore + 2, "the sheet holds one reference per interface",
                std::to_string(refs));

    checks.That(sheet.Click(kIdBl2), "BL2 takes the click");
    checks.Equal(sheet.TabCaptions(), Tabs(kSet2Tabs), "after BL2: the fixed pages and set 2");
    checks.That(sheet.Enabled(kIdBl1) && !sheet.Enabled(kIdBl2), "BL1 enabled, BL2 disabled");
    checks.That(sheet.Click(kIdBl1), "BL1 takes the click");
    checks.Equal(sheet.TabCaptions(), Tabs(kSet1Tabs), "after BL1: set 1 again, in set order");
    // Every tab of the set opens (pages are made as they come into view).
    bool all = true;
    for (size_t i = 0; i < kSet1Tabs.size() + kFixedTabs.size(); ++i) {
      all = sheet.SelectTab(static_cast<int>(i)) && sheet.ActiveTab() == static_cast<int>(i) && all;
    }
    checks.That(all, "every tab of set 1 comes into view");
    Exit(checks, sheet);
  });
  checks.That(hr == S_OK, "the Properties verb returns S_OK");
  checks.That(node.RefCount() == nodeRefsBefore, "the sheet released both interfaces",
              std::to_string(node.RefCount()));
  session.Control().Release();
  checks.That(session.Site().RefCount() == 0, "the control let its client site go",
              std::to_string(session.Site().RefCount()));
  checks.That(ModuleCanUnloadNow() == S_OK, "DllCanUnloadNow says S_OK once it is released");
  return checks.Finish();
}

int NoNodeAccess(Checks& checks) {
  Session session;
  session.Site().Offer(false, false);
  if (!checks.That(SUCCEEDED(session.CreateControl()), "the control is created")) {
    return checks.Finish();
  }
  const HRESULT hr = session.RunProperties(checks, [&](host::SheetRemote& sheet) {
    if (!checks.That(sheet.Attach("HD7_3", kWaitMs), "the sheet opens")) return;
    const host::MessageBoxSeen box = sheet.WaitForMessageBox(kWaitMs);
    checks.Equal(box.text, "Node not available!", "the message");
    checks.Equal(box.caption, "Plugin", "its caption");
    checks.That(sheet.AnswerMessageBox(box, IDOK), "OK closes it");
    checks.Equal(sheet.TabCaptions(), kFixedTabs, "only the two fixed pages");
    checks.Equal(sheet.Text(kIdNodeName), "", "no node name");
    Exit(checks, sheet);
  });
  checks.That(hr == S_OK, "the Properties verb returns S_OK");
  checks.That(session.Node().Log().empty(), "the node was never called");
  return checks.Finish();
}

int ReaderOnly(Checks& checks) {
  Session session;
  session.Site().Offer(true, false);
  // Without INodeAccess the selector cannot be moved: the node already has part 1 selected.
  session.Node().SetSelectedPart(1);
  if (!checks.That(SUCCEEDED(session.CreateControl()), "the control is created")) {
    return checks.Finish();
  }
  session.RunProperties(checks, [&](host::SheetRemote& sheet) {
    if (!checks.That(sheet.Attach("HD7_3", kWaitMs), "the sheet opens")) return;
    checks.That(sheet.WaitForMessageBox(1000).window == nullptr,
                "no message when INodeAccess2 is offered");
    checks.Equal(sheet.TabCaptions(), Tabs(kSet1Tabs), "reads work: set 1 is offered");
    checks.Equal(sheet.Text(kIdNodeName), "HD7_3 Sim", "the node name");
    Exit(checks, sheet);
  });
  bool wrote = false;
  for (const sim::HostCall& call : session.Node().Log()) {
    wrote = wrote || call.kind == sim::HostCall::Kind::kWrite;
  }
  checks.That(!wrote, "no write reached the node without INodeAccess");
  return checks.Finish();
}

int WriteChangesOnlyItsBytes(Checks& checks) {
  Session session;
  sim::SimulatedNode& node = session.Node();
  node.SetBytes(kIndexOverride1, {0x00, 0x05});  // "Auto"
  if (!checks.That(SUCCEEDED(session.CreateControl()), "the control is created")) {
    return checks.Finish();
  }
  bool built = true;
  session.RunProperties(checks, [&](host::SheetRemote& sheet) {
    if (!checks.That(sheet.Attach("HD7_3", kWaitMs), "the sheet opens")) return;
    checks.That(sheet.SelectTab("Status Switch"), "the Status Switch tab comes into view");
    if (!sheet.HasItem(kIdWrite) || !sheet.HasItem(kIdOverrideDay)) {
      built = false;  // the page is still a placeholder in this build
      Exit(checks, sheet);
      return;
    }
    std::map<std::string, std::vector<uint8_t>> before;
    session.OnUi([&] { before = node.Snapshot(); });
    checks.That(sheet.Click(kIdOverrideDay) && sheet.Checked(kIdOverrideDay), "\"Day\" is chosen");
    checks.That(sheet.Click(kIdWrite), "Write takes the click");
    checks.Equal(sheet.Text(kIdWrite), "Write", "the Write caption is back");
    std::map<std::string, std::vector<uint8_t>> after;
    session.OnUi([&] { after = node.Snapshot(); });
    // Which NVs and parts changed, apart from the part selector (not a page's own bytes).
    std::vector<std::string> changed;
    for (const auto& [name, bytes] : after) {
      if (before[name] != bytes && name != "nv" + std::to_string(kIndexSelector)) {
        changed.push_back(name);
      }
    }
    checks.Equal(changed, {"nv" + std::to_string(kIndexOverride1)},
                 "only index 41 changed (nothing else, selector aside)");
    checks.Equal(Hex(after["nv" + std::to_string(kIndexOverride1)]), "00 03",
                 "index 41 holds the override 3");
    Exit(checks, sheet);
  });
  if (!built) checks.Skip("the Status Switch page has no Write button in this build");
  return checks.Finish();
}

}  // namespace wintest
