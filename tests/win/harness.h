// What the end-to-end tests share: where the control is, running regsvr32, and one container
// session (window, client site on a simulated node, the embedded control, the dispatcher that
// lets a driver thread work the sheet while the Properties verb runs).
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/win32/win32_platform.h"
#include "host/container.h"
#include "host/sheet_remote.h"
#include "sim/simulated_node.h"
#include "tests/win/win_check.h"

namespace wintest {

constexpr DWORD kWaitMs = 60000;
// Ids every page and the sheet share.
constexpr int kIdExit = 1;
constexpr int kIdWrite = 210;
constexpr int kIdRead = 211;

using Snapshot = std::map<std::string, std::vector<uint8_t>>;
using Driver = std::function<void(host::SheetRemote&)>;

// HD7_3.ocx beside the test program, and another file there.
std::wstring ControlPath();
std::wstring BesideTheControl(const wchar_t* name);
// Runs regsvr32 (silently) on the control; returns its exit code, or -1 when it did not run.
int RunRegsvr32(bool unregister);
// The module's DllCanUnloadNow, called directly; E_FAIL when the module is not loaded.
HRESULT ModuleCanUnloadNow();

std::string Narrow(const std::wstring& text);
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
  // Runs `driver` on its own thread while the Properties verb runs here; returns the verb's
  // result. A driver that does not finish in time fails the test.
  HRESULT RunProperties(Checks& checks, const Driver& driver);
  // Creates the control when it is not yet, opens its sheet "HD7_3" with the Properties verb,
  // lets `driver` work it and closes it with "Exit". False when the sheet did not run.
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
int Win32Backend(Checks& checks);
int ControlObject(Checks& checks);
int SheetTabsAndRelease(Checks& checks);
int PagesByWindowMessages(Checks& checks);
int WholeSheetWalk(Checks& checks);
int ImportExport(Checks& checks);
int InstalledControl(Checks& checks);

}  // namespace wintest
