// What the end-to-end tests under Wine share: the checks, where the control is, and one
// container session (window, client site on a simulated node, the embedded control, the
// dispatcher that lets a driver thread work the sheet while the Properties verb runs).
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

// The checks, each counted and printed, failures with what was seen. Several threads may check
// (a driver and the user-interface thread).
class Checks {
 public:
  Checks() { InitializeCriticalSection(&lock_); }
  ~Checks() { DeleteCriticalSection(&lock_); }
  Checks(const Checks&) = delete;
  Checks& operator=(const Checks&) = delete;

  bool That(bool ok, const std::string& what, const std::string& seen = std::string()) {
    EnterCriticalSection(&lock_);
    ++(ok ? passed_ : failed_);
    const bool showSeen = !ok && !seen.empty();
    std::printf("  %-6s%s%s%s\n", ok ? "ok" : "FAIL", what.c_str(), showSeen ? "; seen: " : "",
                showSeen ? seen.c_str() : "");
    std::fflush(stdout);
    LeaveCriticalSection(&lock_);
    return ok;
  }
  bool Equal(const std::string& seen, const std::string& expected, const std::string& what) {
    return That(seen == expected, what + " is \"" + expected + "\"", "\"" + seen + "\"");
  }
  bool Equal(const std::vector<std::string>& seen, const std::vector<std::string>& expected,
             const std::string& what) {
    std::string text;
    for (const std::string& s : seen) text += (text.empty() ? "\"" : ", \"") + s + "\"";
    return That(seen == expected, what, "[" + text + "]");
  }

  // The closing line, and the exit code: 1 on a failure, else 0.
  int Finish() {
    std::printf("%d passed, %d failed\n", passed_, failed_);
    std::fflush(stdout);
    return failed_ > 0 ? 1 : 0;
  }

 private:
  CRITICAL_SECTION lock_;
  int passed_ = 0;
  int failed_ = 0;
};

constexpr DWORD kWaitMs = 60000;
constexpr int kIdExit = 1;  // the sheet's "Exit"

using Snapshot = std::map<std::string, std::vector<uint8_t>>;
using Driver = std::function<void(host::SheetRemote&)>;

// HD7_3.ocx beside the test program, and another file there.
std::wstring ControlPath();
std::wstring BesideTheControl(const wchar_t* name);
// The module's DllCanUnloadNow, called directly; E_FAIL when the module is not loaded.
HRESULT ModuleCanUnloadNow();

using fw::win32::Narrow;
// "00 03" (or "0003" without a separator).
std::string Hex(const std::vector<uint8_t>& bytes, const char* separator = " ");
// The NVs and parts whose bytes differ, the part selector (index 45) aside.
std::vector<std::string> Changed(const Snapshot& before, const Snapshot& after);
// Waits for a thread or event while this thread's messages are handled (a driver thread may be
// waiting on them).
bool WaitHandlingMessages(HANDLE handle, DWORD timeoutMs);

class Session {
 public:
  Session();
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  sim::SimulatedNode& Node() { return node_; }
  host::ClientSite& Site() { return *site_; }
  host::EmbeddedControl& Control() { return control_; }
  const host::UiDispatcher& Ui() const { return *ui_; }
  HWND Window() const { return window_; }

  HRESULT CreateControl();
  // Creates the control when it is not yet and runs the Properties verb here while `driver`
  // works the sheet "HD7_3" from its own thread and closes it with "Exit". A driver that does
  // not finish in time ends the test program. Returns whether the verb returned S_OK.
  bool WithSheet(Checks& checks, const Driver& driver);
  // Runs `work` on the user-interface thread (the simulated node lives there).
  void OnUi(const std::function<void()>& work) const;
  Snapshot NodeBytes() const;
  // The node's reads and writes since its log was last cleared, as "R45" and "W46".
  std::vector<std::string> NodeCalls() const;

 private:
  fw::win32::Win32Platform platform_;
  std::unique_ptr<fw::ScopedPlatform> installed_;
  sim::SimulatedNode node_;
  HWND window_ = nullptr;
  std::unique_ptr<host::ClientSite> site_;
  host::EmbeddedControl control_;
  std::unique_ptr<host::UiDispatcher> ui_;
};

// The scenarios, one per ctest test; each returns the exit code (0 passed, 1 failed).
int Registration(Checks& checks);
int NumberTexts(Checks& checks);
int SheetTabsAndRelease(Checks& checks);
int PagesByWindowMessages(Checks& checks);
int ImportExport(Checks& checks);
int InstalledControl(Checks& checks);

}  // namespace wintest
