#include "tests/win/harness.h"

#include <vector>

#include "framework/win32/text.h"

namespace wintest {
namespace {
constexpr RECT kControlRect = {10, 10, 41, 41};
}

std::string Narrow(const std::wstring& text) {
  return fw::win32::Narrow(text);
}

std::wstring ControlPath() {
  std::vector<wchar_t> path(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  std::wstring self(path.data(), n);
  return self.substr(0, self.find_last_of(L"\\/") + 1) + L"HD7_3.ocx";
}

int RunRegsvr32(bool unregister) {
  std::wstring command = L"regsvr32.exe /s ";
  if (unregister) command += L"/u ";
  command += L"\"" + ControlPath() + L"\"";
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    return -1;
  }
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(pi.hProcess, kWaitMs) == WAIT_OBJECT_0) {
    GetExitCodeProcess(pi.hProcess, &code);
  } else {
    TerminateProcess(pi.hProcess, 1);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}

HRESULT ModuleCanUnloadNow() {
  HMODULE module = GetModuleHandleW(L"HD7_3.ocx");
  if (module == nullptr) return E_FAIL;
  using Fn = HRESULT(STDAPICALLTYPE*)();
  auto fn =
      reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
  return fn != nullptr ? fn() : E_FAIL;
}

bool WaitHandlingMessages(HANDLE handle, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (WaitForSingleObject(handle, 0) == WAIT_OBJECT_0) return true;
    if (GetTickCount64() >= end) return false;
    MsgWaitForMultipleObjects(1, &handle, FALSE, 100, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

Session::Session() : platform_(GetModuleHandleW(nullptr)) {
  OleInitialize(nullptr);
  installed_ = std::make_unique<fw::ScopedPlatform>(platform_);
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"HD7_3TestHost";
  RegisterClassW(&wc);
  window_ = CreateWindowExW(0, wc.lpszClassName, L"HD7_3 test host", WS_OVERLAPPEDWINDOW, 20, 20,
                            300, 120, nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  SetForegroundWindow(window_);
  site_ = std::make_unique<host::ClientSite>(window_, kControlRect, node_);
  ui_ = std::make_unique<host::UiDispatcher>();
}

Session::~Session() {
  control_.Release();
  ui_.reset();
  if (window_ != nullptr) DestroyWindow(window_);
  installed_.reset();
  OleUninitialize();
}

HRESULT Session::CreateControl() {
  return control_.Create(L"HD7_3.HD7_3Ctrl.1", *site_);
}

HRESULT Session::RunProperties(Checks& checks,
                               const std::function<void(host::SheetRemote&)>& driver) {
  const host::UiDispatcher& ui = *ui_;
  HANDLE thread = host::StartThread([&ui, &driver] {
    host::SheetRemote sheet(ui);
    driver(sheet);
  });
  if (thread == nullptr) {
    checks.That(false, "the driver thread starts");
    return E_FAIL;
  }
  const HRESULT hr = control_.InvokeProperties();
  // The verb has returned; the driver must be done as well, or it hangs on something. Messages
  // are still handled meanwhile: the driver may be waiting on this thread.
  const bool finished = WaitHandlingMessages(thread, kWaitMs);
  checks.That(finished, "the driver finishes once the sheet has closed");
  if (!finished) {
    std::fflush(stdout);
    ExitProcess(1);  // a driver still waiting on a window: nothing more can be checked
  }
  CloseHandle(thread);
  return hr;
}

void Session::OnUi(const std::function<void()>& work) const {
  ui_->Run(work, kWaitMs);
}

}  // namespace wintest
