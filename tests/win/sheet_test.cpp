// The sheet as the Properties verb opens it in the demo container, worked by window messages by
// control id from a second thread: with both node interfaces, with none, with the reader only.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/page_sets.h"
#include "tests/win/harness.h"

namespace wintest {
namespace {

constexpr int kIdNodeName = 202;
constexpr int kIdBl1 = 234;
constexpr int kIdBl2 = 235;
constexpr int kIdCancel = 2;
constexpr int kIdApply = 12321;

using testing_support::kFixedTabs;
using testing_support::kSet1Tabs;
using testing_support::kSet2Tabs;
using testing_support::TabsWith;

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

  session.WithSheet(checks, [&](host::SheetRemote& sheet) {
    checks.That(sheet.WaitForMessageBox(500).window == nullptr, "no message box");
    checks.That(!IsWindowEnabled(session.Window()), "the container's window is disabled");
    checks.Equal(sheet.SheetButtonText(kIdExit), "Exit", "button 1");
    checks.That(!sheet.SheetButtonVisible(kIdCancel) && !sheet.SheetButtonVisible(kIdApply),
                "Cancel and Apply are hidden");
    checks.Equal(sheet.TabCaptions(), TabsWith(kSet1Tabs), "the fixed pages and set 1");
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
    checks.Equal(sheet.TabCaptions(), TabsWith(kSet2Tabs), "after BL2: the fixed pages and set 2");
    checks.That(sheet.Enabled(kIdBl1) && !sheet.Enabled(kIdBl2), "BL1 enabled, BL2 disabled");
    checks.That(sheet.Click(kIdBl1), "BL1 takes the click");
    checks.Equal(sheet.TabCaptions(), TabsWith(kSet1Tabs), "after BL1: set 1 again, in order");
  });
  checks.That(IsWindowEnabled(session.Window()) != FALSE, "the container's window is enabled");
  checks.That(node.RefCount() == nodeRefsBefore, "the sheet released both interfaces",
              std::to_string(node.RefCount()));

  // A container that offers neither node interface.
  session.Site().Offer(false, false);
  node.ClearLog();
  session.WithSheet(checks, [&](host::SheetRemote& sheet) {
    const host::MessageBoxSeen box = sheet.WaitForMessageBox(kWaitMs);
    checks.Equal(box.text, "Node not available!", "without node access: the message");
    checks.Equal(box.caption, "Plugin", "its caption");
    checks.That(sheet.AnswerMessageBox(box, IDOK), "OK closes it");
    checks.Equal(sheet.TabCaptions(), kFixedTabs, "only the two fixed pages");
    checks.Equal(sheet.Text(kIdNodeName), "", "no node name");
  });
  checks.That(node.Log().empty(), "the node was never called");

  // The reader only: the selector cannot be moved, so the node has part 1 selected already.
  session.Site().Offer(true, false);
  node.SetSelectedPart(1);
  session.WithSheet(checks, [&](host::SheetRemote& sheet) {
    checks.That(sheet.WaitForMessageBox(1000).window == nullptr,
                "no message when INodeAccess2 is offered");
    checks.Equal(sheet.TabCaptions(), TabsWith(kSet1Tabs), "reads work: set 1 is offered");
    checks.Equal(sheet.Text(kIdNodeName), "Boiler room 2", "the node name");
  });
  bool wrote = false;
  for (const sim::HostCall& call : node.Log()) wrote |= call.kind == sim::HostCall::Kind::kWrite;
  checks.That(!wrote, "no write reached the node without INodeAccess");

  session.Control().Release();
  checks.That(session.Site().RefCount() == 0, "the control let its client site go",
              std::to_string(session.Site().RefCount()));
  checks.That(ModuleCanUnloadNow() == S_OK, "DllCanUnloadNow says S_OK once it is released");
  return checks.Finish();
}

}  // namespace wintest
