// Every tab of both page sets under Windows, worked by window messages: each page is shown, its
// "Read" and "Write" are pressed where it has them, first on a node that answers everything,
// then on one whose every read fails.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/sheet_walk.h"
#include "tests/win/harness.h"

namespace wintest {
namespace {

// Walks both sets; returns how many presses wrote to the node (selector aside).
int WalkBothSets(Checks& checks, Session& session, host::SheetRemote& sheet, bool nodeAnswers) {
  const std::string pass = nodeAnswers ? "node answers" : "every read fails";
  int writingPresses = 0;
  for (const int setButton : {234, 235}) {  // BL1, BL2
    sheet.SelectTab(0);
    sheet.Click(setButton);  // set 1 is in at start: its button is disabled then
    const std::vector<std::string> tabs = sheet.TabCaptions();
    for (size_t tab = 0; tab < tabs.size(); ++tab) {
      const std::string where =
          pass + ", " + (setButton == 234 ? "BL1" : "BL2") + " \"" + tabs[tab] + "\"";
      if (!checks.That(sheet.SelectTab(static_cast<int>(tab)), where + " comes into view")) {
        continue;
      }
      for (const int id : {kIdRead, kIdWrite}) {
        if (!sheet.HasItem(id)) continue;
        const std::string press = where + (id == kIdRead ? " Read" : " Write");
        const Snapshot before = session.NodeBytes();
        session.OnUi([&] { session.Node().ClearLog(); });
        checks.That(sheet.Click(id), press + " takes the click");
        // A page that refuses what it cannot write says so in message boxes: each is answered.
        // (A page may show its message with the caption already back, as the PID page does
        // for a wrong password: the sheet takes no other tab until it is answered.)
        for (int boxes = 0; boxes < 8; ++boxes) {
          const host::MessageBoxSeen box =
              sheet.WaitForMessageBox(sheet.Text(id) == "Wait" ? kWaitMs : 1000);
          if (box.window == nullptr) break;
          std::printf("  note  %s: message \"%s\"\n", press.c_str(), box.text.c_str());
          sheet.AnswerMessageBox(box, IDOK);
        }
        checks.Equal(sheet.Text(id), id == kIdRead ? "Read" : "Write", press + ": caption");
        std::vector<sim::HostCall> calls;
        session.OnUi([&] { calls = session.Node().Log(); });
        checks.Equal(testing_support::ChangedByWrites(before, session.NodeBytes(), calls), {},
                     press + ": every NV and part written holds what it held");
        checks.Equal(testing_support::WritesAfterFailedReads(calls), {},
                     press + ": nothing written after its read failed");
        int writes = 0;
        for (const sim::HostCall& c : calls) {
          writes += c.kind == sim::HostCall::Kind::kWrite && c.index != 45 ? 1 : 0;
        }
        if (!nodeAnswers)
          checks.That(writes == 0, press + ": nothing written", std::to_string(writes));
        writingPresses += writes > 0 ? 1 : 0;
      }
    }
  }
  return writingPresses;
}

}  // namespace

int WholeSheetWalk(Checks& checks) {
  Session session;
  session.WithSheet(checks, [&](host::SheetRemote& sheet) {
    const int wrote = WalkBothSets(checks, session, sheet, true);
    // 9 writing pages in this build (4 in set 1, 5 in set 2); more once every page writes.
    checks.That(wrote >= 9, "the writing pages wrote", std::to_string(wrote));
    session.OnUi([&] { session.Node().FailAllReads(); });
    // The pages are made afresh as the sets are swapped: their fields stay empty.
    WalkBothSets(checks, session, sheet, false);
    session.OnUi([&] { session.Node().FailAllReads(false); });
  });
  return checks.Finish();
}

}  // namespace wintest
