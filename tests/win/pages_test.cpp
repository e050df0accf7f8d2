// The clock and valve pages in the real sheet, worked by window messages: the Tab key walks
// each page's fields as they are read, from the field that has the focus when the page comes
// into view; a write on the Analog Valve page changes exactly the node bytes it should.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "tests/win/harness.h"
#include "tests/win/scenarios.h"

namespace wintest {
namespace {

constexpr int kIdExit = 1;
constexpr int kIdWrite = 210;

std::string Hex(const std::vector<uint8_t>& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (uint8_t b : bytes) {
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

std::vector<std::string> Ids(const std::vector<int>& ids) {
  std::vector<std::string> out;
  for (int id : ids) out.push_back(std::to_string(id));
  return out;
}

// From the focused control of the page in view, the controls the Tab key reaches, in turn,
// until it comes back.
std::vector<int> TabWalk(Session& session, host::SheetRemote& sheet, int* focusedId) {
  std::vector<int> ids;
  HWND page = sheet.Page();
  session.OnUi([&] {
    HWND focus = GetFocus();
    *focusedId = focus != nullptr && GetParent(focus) == page ? GetDlgCtrlID(focus) : -1;
    HWND first = focus != nullptr && GetParent(focus) == page
                     ? focus
                     : GetNextDlgTabItem(page, nullptr, FALSE);
    HWND item = first;
    do {
      ids.push_back(GetDlgCtrlID(item));
      item = GetNextDlgTabItem(page, item, FALSE);
    } while (item != nullptr && item != first && ids.size() < 100);
  });
  return ids;
}

}  // namespace

int TabOrder(Checks& checks) {
  Session session;
  sim::SimulatedNode& node = session.Node();
  // Cascade on and both valves on "Manual": every control of the valve page is enabled.
  std::vector<uint8_t> part1 = node.Part(1);
  part1[12] |= 0x01;
  node.SetPart(1, part1);
  std::vector<uint8_t> modes = node.Bytes(29);
  modes[3] = 0, modes[4] = 1, modes[5] = 0, modes[6] = 1;
  node.SetBytes(29, modes);
  if (!checks.That(SUCCEEDED(session.CreateControl()), "the control is created")) {
    return checks.Finish();
  }
  struct Walk {
    const char* tab;
    std::vector<int> ids;
  };
  const Walk walks[] = {
      {"Calender Start / Stop", {208, 209, 218, 219, 220, 221, 222, 223, 224, 225, 226, 227, 228,
                                 229, 230, 231, 232, 233, 234, 235, 236, 237, 238, 239, 240, 241,
                                 242, 243, 244, 245, 326, 333, 334, 259, 260, 211, 210}},
      {"Calender Pir",
       {381, 380, 382, 383, 384, 385, 386, 387, 388, 389, 390, 391, 392, 393, 400, 260, 211, 210}},
      // Of each set of radio buttons the Tab key stops at the one that is on (as a group of
      // radio buttons does in any dialog): "Manual" and "0-10 volt" here.
      {"Analog Valve", {297, 299, 300, 301, 303, 305, 307, 308, 309, 311, 246, 280, 211, 210}},
  };
  session.RunProperties(checks, [&](host::SheetRemote& sheet) {
    if (!checks.That(sheet.Attach("HD7_3", kWaitMs), "the sheet opens")) return;
    for (const Walk& w : walks) {
      if (!checks.That(sheet.SelectTab(w.tab), std::string("the tab ") + w.tab + " comes up")) {
        continue;
      }
      int focused = 0;
      const std::vector<int> seen = TabWalk(session, sheet, &focused);
      checks.Equal(std::to_string(focused), std::to_string(w.ids.front()),
                   std::string(w.tab) + ": the focused field");
      checks.Equal(Ids(seen), Ids(w.ids), std::string(w.tab) + ": the Tab order");
    }
    checks.That(sheet.ClickSheetButton(kIdExit) && sheet.WaitClosed(kWaitMs), "Exit closes");
  });
  return checks.Finish();
}

int ValveWrite(Checks& checks) {
  Session session;
  sim::SimulatedNode& node = session.Node();
  // Mv1 Automatic, Mv3 Off; even half-percent positions so that what is shown writes back as is.
  std::vector<uint8_t> modes(31, 0x11);
  modes[3] = 0x00, modes[4] = 0xFF, modes[5] = 0x00, modes[6] = 0x00;
  node.SetBytes(29, modes);
  std::vector<uint8_t> positions(31, 0x22);
  positions[4] = 20, positions[6] = 40;
  node.SetBytes(30, positions);
  std::vector<uint8_t> part1 = node.Part(1);  // value 15 offers the circuit pages
  part1[12] = part1[14] = part1[16] = 0x00;
  node.SetPart(1, part1);
  std::vector<uint8_t> part6(31, 0x33);
  part6[12] = 100;
  node.SetPart(6, part6);
  if (!checks.That(SUCCEEDED(session.CreateControl()), "the control is created")) {
    return checks.Finish();
  }
  session.RunProperties(checks, [&](host::SheetRemote& sheet) {
    if (!checks.That(sheet.Attach("HD7_3", kWaitMs), "the sheet opens")) return;
    checks.That(sheet.SelectTab("Analog Valve"), "the Analog Valve tab comes into view");
    checks.That(sheet.Checked(298) && sheet.Checked(304), "Mv1 Automatic, Mv3 Off as read");
    checks.That(!sheet.Enabled(304) && !sheet.Enabled(280), "cascade off: Mv3 disabled");
    std::map<std::string, std::vector<uint8_t>> before;
    session.OnUi([&] { before = node.Snapshot(); });
    checks.That(sheet.Click(297) && sheet.Enabled(299), "\"Manual\" enables the position");
    checks.That(sheet.Type(299, "200"), "200 typed as the Mv1 position");
    checks.That(sheet.Click(302) && sheet.Checked(302) && !sheet.Checked(301), "2-10 volt");
    checks.That(sheet.Click(303) && sheet.Checked(303), "Invert");
    checks.That(sheet.Click(kIdWrite), "Write takes the click");
    checks.Equal(sheet.Text(kIdWrite), "Write", "the Write caption is back");
    checks.Equal(sheet.Text(299), "100", "the position reads back clamped");
    std::map<std::string, std::vector<uint8_t>> after;
    session.OnUi([&] { after = node.Snapshot(); });
    std::vector<std::string> changed;
    for (const auto& [name, bytes] : after) {
      if (before[name] != bytes && name != "nv45") changed.push_back(name);
    }
    checks.Equal(changed, {"nv29", "nv30", "part1"}, "only 29, 30 and part 1 changed");
    checks.Equal(Hex(after["nv29"]),
                 "111111"
                 "0001"
                 "0000" +
                     std::string(48, '1'),
                 "29: Mv1 Manual, Mv3 still Off");
    checks.Equal(Hex(after["nv30"]),
                 "22222222"
                 "C8"
                 "22"
                 "28" +
                     std::string(48, '2'),
                 "30: Mv1 at 100 %, Mv3 as it was");
    part1[14] = 0x01;
    part1[16] = 0x01;
    checks.Equal(Hex(after["part1"]), Hex(part1), "part 1: 2-10 V and inverted for Mv1 only");
    checks.That(sheet.ClickSheetButton(kIdExit) && sheet.WaitClosed(kWaitMs), "Exit closes");
  });
  return checks.Finish();
}

}  // namespace wintest
