#include "host/offline_changes.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "framework/win32/dialog_builder.h"
#include "framework/win32/text.h"

namespace host {
namespace {

INT_PTR CALLBACK ChangesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      // As long as the list is: the edit box's own limit is some thirty thousand characters.
      SendDlgItemMessageW(dialog, kIdChangesText, EM_SETLIMITTEXT, 0, 0);
      SetDlgItemTextW(dialog, kIdChangesText, reinterpret_cast<const wchar_t*>(lParam));
      SetFocus(GetDlgItem(dialog, IDOK));
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDOK);
      return TRUE;
    default:
      return FALSE;
  }
}

bool IsOpen(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
         GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void ShowChangesWindow(HWND owner, const std::string& caption, const std::string& text) {
  std::wstring wide;
  for (wchar_t c : fw::win32::Widen(text)) {
    if (c == L'\n') wide += L'\r';  // the edit box breaks lines at CR LF only
    wide += c;
  }
  const std::wstring title = fw::win32::Widen(caption);
  if (std::count(text.begin(), text.end(), '\n') <= kChangesBoxLines) {
    MessageBoxW(owner, wide.c_str(), title.c_str(), MB_OK | MB_ICONINFORMATION);
    return;
  }
  const fw::DialogTemplate dialog{0,
                                  360,
                                  240,
                                  {{kIdChangesText, fw::ControlKind::kEdit, "", 7, 7, 346, 206,
                                    fw::kReadOnly | fw::kMultiLine | fw::kScrollsSideways},
                                   {IDOK, fw::ControlKind::kPushButton, "OK", 303, 219, 50, 14}}};
  const std::vector<uint16_t> words = fw::win32::BuildWindowTemplate(dialog, caption);
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                          reinterpret_cast<const DLGTEMPLATE*>(words.data()), owner, &ChangesProc,
                          reinterpret_cast<LPARAM>(wide.c_str()));
}

void PrintWhereSeen(const std::string& out, const std::string& err) {
  if (IsOpen(STD_OUTPUT_HANDLE)) {
    std::fputs(out.c_str(), stdout);
    std::fputs(err.c_str(), stderr);
    std::fflush(stdout);
    std::fflush(stderr);
    return;
  }
  // Started from a command prompt without redirection: its console, in its own characters.
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  HANDLE console = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
  if (console != INVALID_HANDLE_VALUE) {
    std::wstring text = fw::win32::Widen(out + err);
    DWORD written = 0;
    WriteConsoleW(console, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(console);
  }
  FreeConsole();
}

}  // namespace host
