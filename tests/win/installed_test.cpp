// The control as the setup program left it: a client creates it by its program ID, with nothing
// registered from the build's own folder. Run by scripts/installer_test.sh, not by ctest.
//   HD7_3_EXPECT_OCX   the installed module the registration must lead to
//   HD7_3_HOLD_UNTIL   when set, the control stays loaded until this file exists (at most 90 s),
//                      so that the uninstaller meets a host that has it loaded
#include <cwctype>
#include <string>
#include <vector>

#include "tests/win/harness.h"

namespace wintest {
namespace {

std::wstring Env(const wchar_t* name) {
  std::vector<wchar_t> value(32768, L'\0');
  const DWORD n = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
  return n > 0 && n < value.size() ? std::wstring(value.data(), n) : std::wstring();
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

std::wstring LoadedControlPath() {
  HMODULE module = GetModuleHandleW(L"HD7_3.ocx");
  if (module == nullptr) return std::wstring();
  std::vector<wchar_t> path(32768, L'\0');
  const DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
  return std::wstring(path.data(), n);
}

}  // namespace

int InstalledControl(Checks& checks) {
  Session session;
  if (!checks.That(SUCCEEDED(session.CreateControl()), "the control is created by its ProgID")) {
    return checks.Finish();
  }
  const std::wstring loaded = LoadedControlPath();
  std::printf("control loaded from: %s\n", Narrow(loaded).c_str());
  checks.That(!loaded.empty() && Lower(loaded) != Lower(ControlPath()),
              "the module comes from the registration, not from beside the client");
  const std::wstring expected = Env(L"HD7_3_EXPECT_OCX");
  if (!expected.empty()) {
    checks.Equal(Narrow(Lower(loaded)), Narrow(Lower(expected)), "the loaded module");
  }
  const std::wstring release = Env(L"HD7_3_HOLD_UNTIL");
  if (!release.empty()) {
    std::puts("holding the control");
    std::fflush(stdout);
    const ULONGLONG end = GetTickCount64() + 90000;
    while (GetFileAttributesW(release.c_str()) == INVALID_FILE_ATTRIBUTES &&
           GetTickCount64() < end) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      Sleep(100);
    }
  }
  return checks.Finish();
}

}  // namespace wintest
