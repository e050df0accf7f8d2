// The clock and valve pages in the real sheet, worked by window messages: the Tab key walks
// each page's fields as they are read, from the field that has the focus when the page comes
// into view; a write on the Analog Valve page changes exactly the node bytes it should.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/harness.h"

namespace wintest {
namespace {

constexpr int kIdWrite = 210;

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
    {"Calender Start / Stop",
     "208 209 218 219 220 221 222 223 224 225 226 227 228 229 230 231 232 233 234 235 236 237 238 "
     "239 240 241 242 243 244 245 326 333 334 259 260 211 210"},
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
      if (checks.That(sheet.SelectTab(tab), std::string("the tab ") + tab + " comes up")) {
        checks.Equal(TabWalk(session, sheet), ids,
                     std::string(tab) + ": the Tab order from the focused field");
      }
    }
  });

  // Mv1 Automatic, Mv3 Off; even half-percent positions so that what is shown writes back as is.
  modes.assign(31, 0x11);
  modes[3] = 0x00, modes[4] = 0xFF, modes[5] = 0x00, modes[6] = 0x00;
  node.SetBytes(29, modes);
  std::vector<uint8_t> positions(31, 0x22);
  positions[4] = 20, positions[6] = 40;
  node.SetBytes(30, positions);
  part1[12] = part1[14] = part1[16] = 0x00;  // value 15 offers the circuit pages
  node.SetPart(1, part1);
  std::vector<uint8_t> part6(31, 0x33);
  part6[12] = 100;
  node.SetPart(6, part6);
  session.WithSheet(checks, [&](host::SheetRemote& sheet) {
    checks.That(sheet.SelectTab("Analog Valve"), "the Analog Valve tab comes into view");
    checks.That(sheet.Checked(298) && sheet.Checked(304), "Mv1 Automatic, Mv3 Off as read");
    checks.That(!sheet.Enabled(304) && !sheet.Enabled(280), "cascade off: Mv3 disabled");
    Snapshot before = session.NodeBytes();
    checks.That(sheet.Click(297) && sheet.Enabled(299), "\"Manual\" enables the position");
    checks.That(sheet.Type(299, "200"), "200 typed as the Mv1 position");
    checks.That(sheet.Click(302) && sheet.Checked(302) && !sheet.Checked(301), "2-10 volt");
    checks.That(sheet.Click(303) && sheet.Checked(303), "Invert");
    checks.That(sheet.Click(kIdWrite), "Write takes the click");
    checks.Equal(sheet.Text(kIdWrite), "Write", "the Write caption is back");
    checks.Equal(sheet.Text(299), "100", "the position reads back clamped");
    Snapshot after = session.NodeBytes();
    // Mv1 and Mv3 are bytes 3 to 6 of 29 and bytes 4 and 6 of 30; the rest stays as it was.
    checks.Equal(Hex(after["nv29"], ""), "11111100010000" + std::string(48, '1'),
                 "29: Mv1 Manual, Mv3 still Off");
    checks.Equal(Hex(after["nv30"], ""), "22222222C82228" + std::string(48, '2'),
                 "30: Mv1 at 100 %, Mv3 as it was");
    part1[14] = part1[16] = 0x01;
    checks.Equal(Hex(after["part1"]), Hex(part1), "part 1: 2-10 V and inverted for Mv1 only");
    // Apart from those three and the part selector, the node is as it was.
    for (const char* name : {"nv29", "nv30", "part1", "nv45"}) after[name] = before[name];
    checks.That(after == before, "nothing else changed");
  });
  return checks.Finish();
}

}  // namespace wintest
