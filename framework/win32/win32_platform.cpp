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
  // The wide-character dialog: a path in any language comes back whole, as UTF-8.
  // "Name|*.ext|...|" becomes the NUL-separated, double-NUL-terminated list.
  std::wstring filter = Widen(request.filter);
  for (wchar_t& c : filter) {
    if (c == L'|') c = L'\0';
  }
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  const std::wstring defaultExt = Widen(request.defaultExt);

  std::vector<wchar_t> file(32768, L'\0');
  const std::wstring initial = Widen(request.initialName);
  initial.copy(file.data(), file.size() - 1);

  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = Owner();
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (request.hideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
  const BOOL chosen = request.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!chosen) return std::nullopt;
  return Narrow(std::wstring(file.data()));
}

int Win32Platform::RunModal(CPropertySheet& sheet) {
  Win32SheetWindow window(sheet, *this);
  return window.RunModal();
}

bool Win32Platform::MoveOver(const std::string& from, const std::string& to) {
  return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

std::FILE* Win32Platform::OpenFile(const std::string& path, const char* mode) {
  return _wfopen(Widen(path).c_str(), Widen(mode).c_str());
}

bool Win32Platform::RemoveFile(const std::string& path) {
  return DeleteFileW(Widen(path).c_str()) != FALSE;
}

std::optional<bool> Win32Platform::PathExists(const std::string& path) {
  if (GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return false;
  return std::nullopt;
}

std::optional<FileId> Win32Platform::IdentifyFile(const std::string& path) {
  // No access asked, every sharing allowed: opens a file another program holds, and a folder
  // (backup semantics), without changing anything.
  HANDLE file =
      CreateFileW(Widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info = {};
  const BOOL known = GetFileInformationByHandle(file, &info);
  CloseHandle(file);
  if (!known) return std::nullopt;
  return FileId{info.dwVolumeSerialNumber,
                (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

std::string Win32Platform::TraceFile() {
  // The path in any language. A REG_EXPAND_SZ value passes too, its %VARIABLES% expanded (which
  // may need a larger buffer than the first answer said).
  DWORD bytes = 0;
  LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, kTraceKey, kTraceValue, RRF_RT_REG_SZ, nullptr,
                                nullptr, &bytes);
  std::wstring path;
  for (int attempt = 0; attempt < 3 && status == ERROR_SUCCESS; ++attempt) {
    path.assign(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(path.size() * sizeof(wchar_t));
    status = RegGetValueW(HKEY_CURRENT_USER, kTraceKey, kTraceValue, RRF_RT_REG_SZ, nullptr,
                          path.data(), &bytes);
    if (status == ERROR_SUCCESS) return Narrow(path.substr(0, wcsnlen(path.c_str(), path.size())));
    if (status == ERROR_MORE_DATA) status = ERROR_SUCCESS;
  }
  return {};
}

}  // namespace fw::win32
