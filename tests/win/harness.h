// What the end-to-end tests share: where the control is, running regsvr32, and one container
// session (window, client site on a simulated node, the embedded control, the dispatcher that
// lets a driver thread work the sheet while the Properties verb runs).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/win32/win32_platform.h"
#include "host/container.h"
#include "host/sheet_remote.h"
#include "sim/simulated_node.h"
#include "tests/win/win_check.h"

namespace wintest {

constexpr DWORD kWaitMs = 60000;

// HD7_3.ocx beside the test program.
std::wstring ControlPath();
// Runs regsvr32 (silently) on the control; returns its exit code, or -1 when it did not run.
int RunRegsvr32(bool unregister);
// The module's DllCanUnloadNow, called directly; E_FAIL when the module is not loaded.
HRESULT ModuleCanUnloadNow();

std::string Narrow(const std::wstring& text);
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
  HRESULT RunProperties(Checks& checks, const std::function<void(host::SheetRemote&)>& driver);
  // Runs `work` on the user-interface thread (the simulated node lives there).
  void OnUi(const std::function<void()>& work) const;

 private:
  fw::win32::Win32Platform platform_;
  std::unique_ptr<fw::ScopedPlatform> installed_;
  sim::SimulatedNode node_;
  HWND window_ = nullptr;
  std::unique_ptr<host::ClientSite> site_;
  host::EmbeddedControl control_;
  std::unique_ptr<host::UiDispatcher> ui_;
};

}  // namespace wintest
