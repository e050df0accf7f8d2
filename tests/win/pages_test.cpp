// A clock and a valve page in the real sheet, worked by window messages: the Tab key walks each
// page's fields as they are read, from the field that has the focus when the page comes into
// view; a write on the Analog Valve page changes exactly the node bytes it should.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/harness.h"

namespace wintest {
namespace {

// From the focused control of the page in view, the ids of the controls the Tab key reaches,
// in turn, until it comes back; the first is the focused one ("-1" when the focus is elsewhere).
std::string TabWalk(Session& session, host::SheetRemote& sheet) {
  std::string ids;
  HWND page = sheet.Page();
  session.OnUi([&] {
    HWND focus = GetFocus();
    const bool onPage = focus != nullptr && GetParent(focus) == page;
    HWND first = onPage ? focus : GetNextDlgTabItem(page, nullptr, FALSE);
    HWND item = first;
    ids = onPage ? "" : "-1 ";
    do {
      ids += std::to_string(GetDlgCtrlID(item)) + " ";
      item = GetNextDlgTabItem(page, item, FALSE);
    } while (item != nullptr && item != first && ids.size() < 1000);
  });
  return ids.substr(0, ids.size() - 1);
}

const char* const kWalks[][2] = {
    {"Calender Pir", "381 380 382 383 384 385 386 387 388 389 390 391 392 393 400 260 211 210"},
    // Of each set of radio buttons the Tab key stops at the one that is on (as a group of
    // radio buttons does in any dialog): "Manual" and "0-10 volt" here.
    {"Analog Valve", "297 299 300 301 303 305 307 308 309 311 246 280 211 210"},
};

}  // namespace

int PagesByWindowMessages(Checks& checks) {
  Session session;
  sim::SimulatedNode& node = session.node;
  // Cascade on and both valves on "Manual": every control of the valve page is enabled.
  std::vector<uint8_t> part1 = node.Part(1);
  part1[12] |= 0x01;
  node.SetPart(1, part1);
  std::vector<uint8_t> modes = node.Bytes(29);
  modes[3] = 0, modes[4] = 1, modes[5] = 0, modes[6] = 1;
  node.SetBytes(29, modes);
  session.WithSheet(checks, [&](host::SheetRemote& sheet) {
    for (const auto& [tab, ids] : kWalks) {
      checks.Equal(sheet.SelectTab(tab) ? TabWalk(session, sheet) : "(not in view)", ids,
                   std::string(tab) + ": the Tab order from the focused field");
    }
  });

  AnalogValveWrite(checks, session);
  return checks.Finish();
}

}  // namespace wintest
