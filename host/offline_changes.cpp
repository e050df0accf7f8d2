#include "host/offline_changes.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "framework/win32/text.h"

namespace host {
namespace {

// A dialog template in memory: the window, then its controls, each on a DWORD boundary.
class DialogTemplate {
 public:
  DialogTemplate(const std::wstring& title, short width, short height, WORD items) {
    Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | DS_SETFONT |
          DS_CENTER);
    Dword(0);
    words_.insert(words_.end(), {items, 0, 0, static_cast<WORD>(width), static_cast<WORD>(height),
                                 0, 0});  // no menu, the dialog class
    Text(title);
    words_.push_back(8);
    Text(L"MS Shell Dlg");
  }

  // `atom`: 0x0080 button, 0x0081 edit.
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom,
            const std::wstring& text) {
    if (words_.size() % 2 != 0) words_.push_back(0);
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    words_.insert(words_.end(), {static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(cx),
                                 static_cast<WORD>(cy), id, 0xFFFF, atom});
    Text(text);
    words_.push_back(0);  // no creation data
  }

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Dword(DWORD value) { words_.insert(words_.end(), {LOWORD(value), HIWORD(value)}); }
  void Text(const std::wstring& text) {
    words_.insert(words_.end(), text.begin(), text.end());
    words_.push_back(0);
  }

  std::vector<WORD> words_;
};

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
  DialogTemplate dialog(title, 360, 240, 2);
  dialog.Item(ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL |
                  ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
              7, 7, 346, 206, kIdChangesText, 0x0081, L"");
  dialog.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 303, 219, 50, 14, IDOK, 0x0080, L"OK");
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), owner, &ChangesProc,
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
