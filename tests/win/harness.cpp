#include "tests/win/harness.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/fixture.h"
#include "tests/support/page_sets.h"

namespace wintest {

namespace ts = testing_support;

std::string Hex(const std::vector<uint8_t>& bytes, const char* separator) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (uint8_t b : bytes) {
    if (!out.empty()) out += separator;
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

std::vector<uint8_t> FromHex(const std::string& hex) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

std::wstring BesideTheControl(const wchar_t* name) {
  wchar_t self[MAX_PATH] = {};
  const std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

std::string FileText(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WaitHandlingMessages(HANDLE handle, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (WaitForSingleObject(handle, 0) != WAIT_OBJECT_0) {
    if (GetTickCount64() >= end) return false;
    MsgWaitForMultipleObjects(1, &handle, FALSE, 100, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  return true;
}

Session::Session() : platform(GetModuleHandleW(nullptr)) {
  OleInitialize(nullptr);
  installed = std::make_unique<fw::ScopedPlatform>(platform);
  // A plain top-level window, of a class Windows has already.
  window = CreateWindowExW(0, L"STATIC", L"HD7_3 test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20,
                           20, 300, 120, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(window);
  site = std::make_unique<host::ClientSite>(window, RECT{10, 10, 41, 41}, node);
  ui = std::make_unique<host::UiDispatcher>();
}

Session::~Session() {
  control.Release();
  ui.reset();
  if (window != nullptr) DestroyWindow(window);
  installed.reset();
  OleUninitialize();
}

bool Session::WithSheet(Checks& checks, const std::function<void(host::SheetRemote&)>& driver) {
  if (control.Object() == nullptr &&
      !checks.That(SUCCEEDED(CreateControl()), "the control is created by its ProgID")) {
    return false;
  }
  HANDLE thread = host::StartThread([&] {
    host::SheetRemote sheet(*ui);
    if (!checks.That(sheet.Attach("HD7_3", kWaitMs), "the sheet \"HD7_3\" opens")) return;
    driver(sheet);
    checks.That(sheet.ClickSheetButton(kIdExit) && sheet.WaitClosed(kWaitMs),
                "\"Exit\" closes the sheet");
  });
  const HRESULT hr = thread != nullptr ? control.InvokeProperties() : E_FAIL;
  // The verb has returned; a driver not done by now hangs on something.
  if (!checks.That(thread != nullptr && WaitHandlingMessages(thread, kWaitMs),
                   "the driver finishes once the sheet has closed")) {
    std::fflush(stdout);
    ExitProcess(1);  // a driver still waiting on a window: nothing more can be checked
  }
  CloseHandle(thread);
  return checks.That(hr == S_OK, "the Properties verb returns S_OK");
}

void Session::OnUi(const std::function<void()>& work) const {
  ui->Run(work, kWaitMs);
}

Snapshot Session::NodeBytes() const {
  Snapshot bytes;
  OnUi([&] { bytes = node.Snapshot(); });
  return bytes;
}

// Steps that several scenarios take.

HRESULT ModuleCanUnloadNow() {
  HMODULE module = GetModuleHandleW(L"HD7_3.ocx");
  FARPROC fn = module != nullptr ? GetProcAddress(module, "DllCanUnloadNow") : nullptr;
  return fn != nullptr ? reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(fn))()
                       : E_FAIL;
}

std::string TabsNotInView(Checks& checks, host::SheetRemote& sheet) {
  // The button of the set in view is disabled; each page is made as it comes into view.
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
  sim::SimulatedNode& node = session.node;
  // Mv1 Automatic, Mv3 Off; even half-percent positions so that what is shown writes back as is.
  node.SetBytes(29, FromHex("11111100FF0000" + std::string(48, '1')));
  node.SetBytes(30, FromHex("22222222142228" + std::string(48, '2')));
  std::vector<uint8_t> part1 = node.Part(1);
  part1[12] = part1[14] = part1[16] = 0x00;  // value 15 offers the circuit pages
  node.SetPart(1, part1);
  node.SetPart(6, FromHex(std::string(24, '3') + "64" + std::string(36, '3')));
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
    // Mv1 and Mv3 are bytes 3 to 6 of 29 and bytes 4 and 6 of 30.
    checks.Equal(Hex(after["nv29"], ""), "11111100010000" + std::string(48, '1'),
                 "29: Mv1 Manual, Mv3 still Off");
    checks.Equal(Hex(after["nv30"], ""), "22222222C82228" + std::string(48, '2'),
                 "30: Mv1 at 100 %, Mv3 as it was");
    part1[14] = part1[16] = 0x01;
    checks.Equal(Hex(after["part1"]), Hex(part1), "part 1: 2-10 V and inverted for Mv1 only");
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

void DownloadFromFile(Checks& checks, Session& session, host::SheetRemote& sheet,
                      const std::vector<uint8_t>& value, const std::function<void(HWND)>& press) {
  session.OnUi([&] { session.node.SetBytes(41, {0x00, 0x00}); });
  checks.That(sheet.Type(kIdPassword, "Kobalt") && sheet.Click(kIdReadFromFile), "Read from file");
  Answer(checks, sheet, IDOK, "the open dialog");
  const host::MessageBoxSeen question = sheet.WaitForMessageBox(kWaitMs);
  // No program ID question: the name line is not taken for one.
  checks.Equal(question.text, "Download from file to node?", "the file is found");
  session.OnUi([&] { session.node.ClearLog(); });
  press(GetDlgItem(question.window, IDYES));
  sheet.WaitForMessageBox(180000);  // the download's pauses take their time
  checks.Equal(Answer(checks, sheet, IDOK, "the closing message"),
               "Download status: Download completed", "the closing message");
  checks.That(IsWindow(sheet.Sheet()) != FALSE, "the sheet is still open");
  checks.Equal(sheet.TabCaptions()[sheet.ActiveTab()], "Import / Export", "the tab in view");
  checks.Equal(sheet.Text(kIdProgress), "", "the progress is cleared");
  // Six single NVs, then for each part the selector read, the selection, the part, and the
  // selector back to 0.
  std::string calls = "W39 W40 W41 W42 W43 W44";
  for (int part = 1; part <= 12; ++part) calls += " R45 W45 W46 W45";
  std::vector<sim::HostCall> log;
  session.OnUi([&] {
    for (const sim::HostCall& call : session.node.Log()) {
      if (call.kind != sim::HostCall::Kind::kGetNodeName) log.push_back(call);
    }
  });
  checks.Equal(ts::Traffic(log, false, false), ts::Split(calls),
               "the node sees the download's calls, in order");
  checks.Equal(Hex(session.NodeBytes()["nv41"]), Hex(value), "the download wrote the saved value");
}

}  // namespace wintest
