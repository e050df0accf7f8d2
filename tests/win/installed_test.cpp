// The control as the setup program left it: a client creates it by its program ID, with nothing
// registered from the build's own folder. Run by scripts/installer_test.sh, not by ctest.
//   HD7_3_EXPECT_OCX   the installed module the registration must lead to
//   HD7_3_HOLD_UNTIL   when set, the control stays loaded until this file exists (at most 10 min),
//                      so that the uninstaller meets a host that has it loaded
#include <cstdlib>
#include <string>

#include "tests/win/harness.h"

namespace wintest {

int InstalledControl(Checks& checks) {
  Session session;
  if (!checks.That(SUCCEEDED(session.CreateControl()), "the control is created by its ProgID")) {
    return checks.Finish();
  }
  auto lower = [](std::wstring text) { return Narrow(CharLowerW(text.data())); };
  wchar_t path[MAX_PATH] = {};
  if (HMODULE module = GetModuleHandleW(L"HD7_3.ocx")) GetModuleFileNameW(module, path, MAX_PATH);
  const std::string loaded = lower(path);
  std::printf("control loaded from: %s\n", loaded.c_str());
  checks.That(!loaded.empty() && loaded != lower(ControlPath()),
              "the module comes from the registration, not from beside the client");
  if (const wchar_t* expected = _wgetenv(L"HD7_3_EXPECT_OCX")) {
    checks.Equal(loaded, lower(expected), "the loaded module");
  }
  if (const wchar_t* release = _wgetenv(L"HD7_3_HOLD_UNTIL")) {
    std::puts("holding the control");
    std::fflush(stdout);
    HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    for (int i = 0; i < 6000 && GetFileAttributesW(release) == INVALID_FILE_ATTRIBUTES; ++i) {
      WaitHandlingMessages(never, 100);  // messages handled meanwhile
    }
  }
  return checks.Finish();
}

}  // namespace wintest
