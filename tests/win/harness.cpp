#include "tests/win/harness.h"

namespace wintest {

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

std::vector<std::string> Changed(const Snapshot& before, const Snapshot& after) {
  std::vector<std::string> changed;
  for (const auto& [name, bytes] : after) {
    const auto old = before.find(name);
    if (name != "nv45" && (old == before.end() || old->second != bytes)) changed.push_back(name);
  }
  return changed;
}

std::wstring BesideTheControl(const wchar_t* name) {
  wchar_t self[MAX_PATH] = {};
  const std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

std::wstring ControlPath() {
  return BesideTheControl(L"HD7_3.ocx");
}

HRESULT ModuleCanUnloadNow() {
  HMODULE module = GetModuleHandleW(L"HD7_3.ocx");
  using Fn = HRESULT(STDAPICALLTYPE*)();
  auto fn = module == nullptr ? nullptr
                              : reinterpret_cast<Fn>(reinterpret_cast<void*>(
                                    GetProcAddress(module, "DllCanUnloadNow")));
  return fn != nullptr ? fn() : E_FAIL;
}

bool WaitHandlingMessages(HANDLE handle, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (WaitForSingleObject(handle, 0) != WAIT_OBJECT_0) {
    if (GetTickCount64() >= end) return false;
    MsgWaitForMultipleObjects(1, &handle, FALSE, 100, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return true;
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
  site_ = std::make_unique<host::ClientSite>(window_, RECT{10, 10, 41, 41}, node_);
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

bool Session::WithSheet(Checks& checks, const Driver& driver) {
  if (control_.Object() == nullptr &&
      !checks.That(SUCCEEDED(CreateControl()), "the control is created by its ProgID")) {
    return false;
  }
  const host::UiDispatcher& ui = *ui_;
  HANDLE thread = host::StartThread([&] {
    host::SheetRemote sheet(ui);
    if (!checks.That(sheet.Attach("HD7_3", kWaitMs), "the sheet \"HD7_3\" opens")) return;
    driver(sheet);
    checks.That(sheet.ClickSheetButton(kIdExit) && sheet.WaitClosed(kWaitMs),
                "\"Exit\" closes the sheet");
  });
  const HRESULT hr = thread != nullptr ? control_.InvokeProperties() : E_FAIL;
  // The verb has returned; the driver must be done as well, or it hangs on something. Messages
  // are still handled meanwhile: the driver may be waiting on this thread.
  if (!checks.That(thread != nullptr && WaitHandlingMessages(thread, kWaitMs),
                   "the driver finishes once the sheet has closed")) {
    std::fflush(stdout);
    ExitProcess(1);  // a driver still waiting on a window: nothing more can be checked
  }
  CloseHandle(thread);
  return checks.That(hr == S_OK, "the Properties verb returns S_OK");
}

void Session::OnUi(const std::function<void()>& work) const {
  ui_->Run(work, kWaitMs);
}

Snapshot Session::NodeBytes() const {
  Snapshot bytes;
  OnUi([&] { bytes = node_.Snapshot(); });
  return bytes;
}

std::vector<std::string> Session::NodeCalls() const {
  std::vector<std::string> calls;
  OnUi([&] {
    for (const sim::HostCall& call : node_.Log()) {
      if (call.kind == sim::HostCall::Kind::kGetNodeName) continue;
      const bool write = call.kind == sim::HostCall::Kind::kWrite;
      calls.push_back((write ? "W" : "R") + std::to_string(call.index));
    }
  });
  return calls;
}

}  // namespace wintest
