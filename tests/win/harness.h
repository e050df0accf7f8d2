// What the end-to-end tests under Wine share: the checks, where the control is, and a container
// session: a window, its client site on a simulated node, the control, a driver for its sheet.
#pragma once

#include <windows.h>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/win32/text.h"
#include "framework/win32/win32_platform.h"
#include "host/container.h"
#include "host/sheet_remote.h"
#include "sim/simulated_node.h"

namespace wintest {

// The checks, each counted and printed, failures with what was seen. Both a driver and the
// user-interface thread check.
struct Checks {
  bool That(bool ok, const std::string& what, const std::string& seen = std::string()) {
    AcquireSRWLockExclusive(&lock_);
    ++(ok ? passed_ : failed_);
    std::printf("  %-6s%s%s%s\n", ok ? "ok" : "FAIL", what.c_str(),
                ok || seen.empty() ? "" : "; seen: ", ok ? "" : seen.c_str());
    std::fflush(stdout);
    ReleaseSRWLockExclusive(&lock_);
    return ok;
  }
  bool Equal(const std::string& seen, const std::string& expected, const std::string& what) {
    return That(seen == expected, what + " is \"" + expected + "\"", "\"" + seen + "\"");
  }
  bool Equal(const std::vector<std::string>& seen, const std::vector<std::string>& expected,
             const std::string& what) {
    std::string text;
    for (const std::string& s : seen) text += "\"" + s + "\" ";
    return That(seen == expected, what, text);
  }
  int Finish() {  // the exit code
    std::printf("%d passed, %d failed\n", passed_, failed_);
    return failed_ > 0 ? 1 : 0;
  }

  SRWLOCK lock_ = SRWLOCK_INIT;
  int passed_ = 0;
  int failed_ = 0;
};

constexpr DWORD kWaitMs = 60000;
constexpr int kIdExit = 1;  // the sheet's "Exit"
constexpr int kIdBl1 = 234;
constexpr int kIdBl2 = 235;
constexpr int kIdWrite = 210;
constexpr int kIdPassword = 226;
constexpr int kIdSaveToFile = 427;
constexpr int kIdFileName = 428;
constexpr int kIdReadFromFile = 430;
constexpr int kIdProgress = 431;

using Snapshot = std::map<std::string, std::vector<uint8_t>>;
using fw::win32::Narrow;

// A file beside the test program, as the control is.
std::wstring BesideTheControl(const wchar_t* name);
inline std::wstring ControlPath() {
  return BesideTheControl(L"HD7_3.ocx");
}
// "00 03" (or "0003" without a separator), and back from "0003".
std::string Hex(const std::vector<uint8_t>& bytes, const char* separator = " ");
std::vector<uint8_t> FromHex(const std::string& hex);
// The whole file; empty when it cannot be read.
std::string FileText(const std::wstring& path);
// Waits for a thread or event while this thread's messages are handled.
bool WaitHandlingMessages(HANDLE handle, DWORD timeoutMs);

struct Session {
  Session();
  ~Session();
  HRESULT CreateControl() { return control.Create(L"HD7_3.HD7_3Ctrl.1", *site); }
  // Creates the control when it is not yet and runs the Properties verb here while `driver`
  // works the sheet "HD7_3" from its own thread and closes it with "Exit". A driver that does
  // not finish in time ends the test program. Returns whether the verb returned S_OK.
  bool WithSheet(Checks& checks, const std::function<void(host::SheetRemote&)>& driver);
  // Runs `work` on the user-interface thread (the simulated node lives there).
  void OnUi(const std::function<void()>& work) const;
  Snapshot NodeBytes() const;

  fw::win32::Win32Platform platform;
  std::unique_ptr<fw::ScopedPlatform> installed;
  sim::SimulatedNode node;
  HWND window = nullptr;
  std::unique_ptr<host::ClientSite> site;
  host::EmbeddedControl control;
  std::unique_ptr<host::UiDispatcher> ui;
};

// The scenarios, one per ctest test.
int Registration(Checks& checks);
int NumberTexts(Checks& checks);
int SheetTabsAndRelease(Checks& checks);
int PagesByWindowMessages(Checks& checks);
int ImportExport(Checks& checks);
int InstalledControl(Checks& checks);
int Offline(Checks& checks);
int Smoke(Checks& checks);
// Part of the sheet scenario: sheets with a trace of the node traffic.
void TracedSheets(Checks& checks, Session& session);

// Steps that several scenarios take.
// The module's DllCanUnloadNow, called directly; E_FAIL when the module is not loaded.
HRESULT ModuleCanUnloadNow();
// Brings each tab of set 2 and then of set 1 into view with the set buttons of the first tab;
// returns the captions of the tabs that did not come into view.
std::string TabsNotInView(Checks& checks, host::SheetRemote& sheet);
// A sheet of its own on the Analog Valve page of BL1: Mv1 set to Manual at 100 %, 2-10 volt and
// inverted; exactly those node bytes change.
void AnalogValveWrite(Checks& checks, Session& session);
// Answers the box or dialog that comes up next with `answer`, once it is seen to be owned by
// the sheet, which takes no clicks meanwhile; returns its caption and text.
std::string Answer(Checks& checks, host::SheetRemote& sheet, int answer, const std::string& what);
// "Save to file" of `path`, a file not there yet, through the save dialog.
void SaveToFile(Checks& checks, host::SheetRemote& sheet, const std::string& path);
// "Read from file" of the file named on the page, which holds `value` as the node's first
// status switch, cleared on the node first. `press` presses the download question's Yes.
// Then the closing message, the sheet as it was, the download's node calls and `value`.
void DownloadFromFile(Checks& checks, Session& session, host::SheetRemote& sheet,
                      const std::vector<uint8_t>& value, const std::function<void(HWND)>& press);

}  // namespace wintest
