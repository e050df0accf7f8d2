#include "framework/win32/win32_platform.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "framework/win32/operation.h"
#include "framework/win32/text.h"
#include "framework/win32/win32_sheet.h"

namespace fw::win32 {

void Win32Platform::Sleep(uint32_t ms) {
  PumpingPause(ms);
}

void Win32Platform::Block(uint32_t ms) {
  ::Sleep(ms);
}

void Win32Platform::KeepAlive() {
  PumpPending();
}

uint64_t Win32Platform::TickCount() {
  return GetTickCount64();
}

LocalTime Win32Platform::Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

HWND Win32Platform::Owner() const {
  if (!sheets_.empty()) return sheets_.back();
  return GetActiveWindow();
}

int Win32Platform::ShowMessageBox(const MessageBoxRequest& request) {
  // A page box with no caption of its own carries the module's title.
  const std::string caption = request.caption.value_or(kModuleTitle);
  return MessageBoxW(Owner(), Widen(request.text).c_str(), Widen(caption).c_str(),
                     request.flags | MB_SETFOREGROUND);
}

std::optional<std::string> Win32Platform::FileDialog(const FileDialogRequest& request) {
  // "Name|*.ext|...|" becomes the NUL-separated, double-NUL-terminated list.
  std::string filter = ToAnsi(request.filter);
  for (char& c : filter) {
    if (c == '|') c = '\0';
  }
  filter.push_back('\0');
  filter.push_back('\0');
  const std::string defaultExt = ToAnsi(request.defaultExt);

  std::vector<char> file(32768, '\0');
  const std::string initial = ToAnsi(request.initialName);
  initial.copy(file.data(), file.size() - 1);

  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = Owner();
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (request.hideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
  const BOOL chosen = request.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!chosen) return std::nullopt;
  return std::string(file.data());
}

int Win32Platform::RunModal(CPropertySheet& sheet) {
  Win32SheetWindow window(sheet, *this);
  return window.RunModal();
}

bool Win32Platform::MoveOver(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

}  // namespace fw::win32
