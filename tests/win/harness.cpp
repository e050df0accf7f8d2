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

std::wstring BesideTheControl(const wchar_t* name) {
  wchar_t self[MAX_PATH] = {};
  const std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
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

}  // namespace wintest
