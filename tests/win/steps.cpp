#include "tests/support/page_sets.h"
#include "tests/win/harness.h"

namespace wintest {

namespace ts = testing_support;

HRESULT ModuleCanUnloadNow() {
  HMODULE module = GetModuleHandleW(L"HD7_3.ocx");
  FARPROC fn = module != nullptr ? GetProcAddress(module, "DllCanUnloadNow") : nullptr;
  return fn != nullptr ? reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(fn))()
                       : E_FAIL;
}

std::string TabsNotInView(Checks& checks, host::SheetRemote& sheet) {
  // Each set in turn (the button of the set in view is disabled), each page of it made as it
  // comes into view.
  std::string missing;
  for (const int set : {kIdBl2, kIdBl1}) {
    const bool two = set == kIdBl2;
    checks.That(sheet.SelectTab(0) && !sheet.Enabled(kIdBl1 + kIdBl2 - set) && sheet.Click(set),
                two ? "BL1 disabled, BL2 takes the click" : "BL2 disabled, BL1 takes the click");
    const std::vector<std::string> tabs = sheet.TabCaptions();
    checks.Equal(tabs, ts::TabsWith(two ? ts::kSet2Tabs : ts::kSet1Tabs),
                 two ? "after BL2: the fixed pages and set 2" : "after BL1: set 1 again");
    for (int i = 0; i < static_cast<int>(tabs.size()); ++i) {
      if (!sheet.SelectTab(i) || sheet.ActiveTab() != i) missing += tabs[i] + "; ";
    }
  }
  return missing;
}

void AnalogValveWrite(Checks& checks, Session& session) {
  constexpr int kIdWrite = 210;
  sim::SimulatedNode& node = session.node;
  // Mv1 Automatic, Mv3 Off; even half-percent positions so that what is shown writes back as is.
  std::vector<uint8_t> modes(31, 0x11);
  modes[3] = 0x00, modes[4] = 0xFF, modes[5] = 0x00, modes[6] = 0x00;
  node.SetBytes(29, modes);
  std::vector<uint8_t> positions(31, 0x22);
  positions[4] = 20, positions[6] = 40;
  node.SetBytes(30, positions);
  std::vector<uint8_t> part1 = node.Part(1);
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
}

std::string Answer(Checks& checks, host::SheetRemote& sheet, int answer, const std::string& what) {
  const host::MessageBoxSeen box = sheet.WaitForMessageBox(kWaitMs);
  checks.That(box.window != nullptr && GetWindow(box.window, GW_OWNER) == sheet.Sheet() &&
                  !IsWindowEnabled(sheet.Sheet()) && sheet.AnswerMessageBox(box, answer),
              what + ": owned by the sheet, which waits for the answer");
  return box.caption + ": " + box.text;
}

void SaveToFile(Checks& checks, host::SheetRemote& sheet, const std::string& path) {
  constexpr int kFileTypes = 0x470;  // the file dialog's list of file types (cmb1)
  checks.That(sheet.Type(kIdFileName, path) && sheet.Click(kIdSaveToFile), "Save to file");
  const host::MessageBoxSeen save = sheet.WaitForMessageBox(kWaitMs);
  HWND types = save.window != nullptr ? GetDlgItem(save.window, kFileTypes) : nullptr;
  checks.That(types != nullptr && SendMessageW(types, CB_GETCOUNT, 0, 0) == 2,
              "the save dialog offers the filter's two file types");
  checks.That(sheet.AnswerMessageBox(save, IDOK), "the save dialog takes the path");
  checks.Equal(Answer(checks, sheet, IDOK, "the outcome"), "HD7_3: File written",
               "the outcome, with the module's caption");
  checks.Equal(sheet.Text(kIdFileName), path, "the field shows the path as chosen");
}

std::vector<std::string> NodeCalls(Session& session) {
  std::vector<std::string> calls;
  session.OnUi([&] {
    for (const sim::HostCall& call : session.node.Log()) {
      if (call.kind == sim::HostCall::Kind::kGetNodeName) continue;
      const bool write = call.kind == sim::HostCall::Kind::kWrite;
      calls.push_back((write ? "W" : "R") + std::to_string(call.index));
    }
  });
  return calls;
}

std::vector<std::string> OperationCalls(bool download) {
  std::vector<std::string> calls = {"W39", "W40", "W41", "W42", "W43", "W44"};
  for (int part = 1; part <= 12; ++part) {
    calls.insert(calls.end(), {"R45", "W45", "W46"});
    if (download) calls.push_back("W45");
  }
  if (!download) calls.push_back("W45");
  return calls;
}

void FinishOperation(Checks& checks, Session& session, host::SheetRemote& sheet,
                     const char* message, const std::vector<std::string>& calls) {
  sheet.WaitForMessageBox(180000);  // the operation's pauses take their time
  checks.Equal(Answer(checks, sheet, IDOK, "the closing message"), message, "the closing message");
  checks.That(IsWindow(sheet.Sheet()) != FALSE, "the sheet is still open");
  checks.Equal(sheet.TabCaptions()[sheet.ActiveTab()], "Import / Export", "the tab in view");
  checks.Equal(sheet.Text(kIdProgress), "", "the progress is cleared");
  checks.Equal(NodeCalls(session), calls, "the node sees the operation's calls, in order");
}

}  // namespace wintest
