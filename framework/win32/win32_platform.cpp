#include "framework/win32/win32_platform.h"

#include <windows.h>
#include <commdlg.h>
#include <fcntl.h>
#include <io.h>

#include <cstring>
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
  if (request.overwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
  const BOOL chosen = request.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!chosen) return std::nullopt;
  return Narrow(std::wstring(file.data()));
}

int Win32Platform::RunModal(CPropertySheet& sheet) {
  Win32SheetWindow window(sheet, *this);
  return window.RunModal();
}

namespace {

// The full path of a file name as the process sees it: Wine's ReplaceFileW fails on a bare file
// name ("Kessel.html", with no folder in it), which a command-line tool is given often.
std::wstring FullPath(const std::string& path) {
  const std::wstring wide = Widen(path);
  const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return wide;
  std::wstring full(size, L'\0');
  const DWORD used = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  if (used == 0 || used >= size) return wide;
  full.resize(used);
  return full;
}

}  // namespace

bool Win32Platform::MoveOver(const std::string& from, const std::string& to) {
  const std::wstring source = FullPath(from);
  const std::wstring target = FullPath(to);
  WIN32_FILE_ATTRIBUTE_DATA old = {};
  if (GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &old)) {
    // The new file takes the engineer's attributes and creation time before it takes the old
    // file's place: ReplaceFileW keeps them on Windows, but neither the plain move below nor
    // every implementation of ReplaceFileW does.
    // (Not the archive bit: the new file is a change still to be backed up.)
    constexpr DWORD kCarried =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const HANDLE file =
        CreateFileW(source.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      SetFileTime(file, &old.ftCreationTime, nullptr, nullptr);
      CloseHandle(file);
    }
    const DWORD fresh = GetFileAttributesW(source.c_str());
    if ((old.dwFileAttributes & kCarried) != 0 && fresh != INVALID_FILE_ATTRIBUTES) {
      SetFileAttributesW(source.c_str(), fresh | (old.dwFileAttributes & kCarried));
    }
    // ReplaceFileW also keeps the old file's security descriptor.
    if (ReplaceFileW(target.c_str(), source.c_str(), nullptr,
                     REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                     nullptr)) {
      return true;
    }
    // Some file systems (FAT volumes, some network shares) cannot replace a file this way and
    // say so; there a plain move still puts the new file in place whole. Any other failure
    // (the old file held open, no right to delete it) leaves both files as they were.
    // ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 has taken the old file from its name already: the
    // move completes the replace.
    const DWORD error = GetLastError();
    if (error != ERROR_NOT_SUPPORTED && error != ERROR_INVALID_FUNCTION &&
        error != ERROR_INVALID_PARAMETER && error != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
      return false;
    }
  }
  return MoveFileExW(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

std::FILE* Win32Platform::OpenFile(const std::string& path, const char* mode) {
  if (mode[0] != 'a' || std::strchr(mode, '+') != nullptr) {
    return _wfopen(Widen(path).c_str(), Widen(mode).c_str());
  }
  // Appending: a handle that can do nothing but append, so that each write lands whole at the
  // file's end even while another process appends to it (the runtime's own append mode seeks to
  // the end and then writes, two steps). Others may read and append meanwhile, and move the
  // file aside.
  HANDLE handle = CreateFileW(Widen(path).c_str(), FILE_APPEND_DATA | SYNCHRONIZE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  const int flags = _O_APPEND | (std::strchr(mode, 'b') != nullptr ? _O_BINARY : _O_TEXT);
  const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), flags);
  if (descriptor == -1) {
    CloseHandle(handle);
    return nullptr;
  }
  std::FILE* file = _fdopen(descriptor, mode);
  if (file == nullptr) _close(descriptor);
  return file;
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

std::optional<uint64_t> Win32Platform::FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  return static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

uint32_t Win32Platform::ProcessId() {
  return GetCurrentProcessId();
}

std::optional<PathKind> Win32Platform::KindOf(const std::string& path) {
  const std::wstring wide = Widen(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return PathKind::kMissing;
    return std::nullopt;
  }
  if (attributes &
      (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) {
    return PathKind::kOther;
  }
  // A device name (NUL, COM1, \\.\pipe\...) may show plain attributes: only a handle tells
  // that it is no file on a disk. Opening it without access asks nothing of it.
  const HANDLE handle =
      CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  const DWORD type = GetFileType(handle);
  CloseHandle(handle);
  return type == FILE_TYPE_DISK ? PathKind::kFile : PathKind::kOther;
}

bool Win32Platform::SyncFile(std::FILE* file) {
  const intptr_t handle = _get_osfhandle(_fileno(file));
  return handle != -1 && FlushFileBuffers(reinterpret_cast<HANDLE>(handle)) != FALSE;
}

bool Win32Platform::SyncFolderOf(const std::string& /*path*/) {
  // The replace and the move are written through to the volume's journal with the entry.
  return true;
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

std::optional<std::vector<std::string>> Win32Platform::FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW entry;
  const HANDLE search =
      FindFirstFileW(Widen((folder.empty() ? std::string(".") : folder) + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return names;  // an empty folder
    return std::nullopt;
  }
  do {
    if ((entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0) {
      names.push_back(Narrow(entry.cFileName));
    }
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return names;
}

bool Win32Platform::MakeFolder(const std::string& path) {
  const std::wstring wide = Widen(path);
  if (CreateDirectoryW(wide.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
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
