// The Win32 backend of the framework: real pauses and clock, message boxes and common file
// dialogs owned by the running sheet, and the modal property sheet itself.
#pragma once

#include <vector>

#include "framework/platform.h"

struct HWND__;

namespace fw::win32 {

// Where the engineer names the file for a trace of the node traffic: a REG_SZ value under
// HKEY_CURRENT_USER, read each time a sheet opens.
constexpr wchar_t kTraceKey[] = L"Software\\HD7_3";
constexpr wchar_t kTraceValue[] = L"TraceFile";

class Win32Platform : public PlatformImpl {
 public:
  // The module whose resources the sheet uses (the control's DLL or the executable).
  explicit Win32Platform(void* module = nullptr) : module_(module) {}

  // Pauses keep the sheet painting and take no input (operation.h); Block is a plain wait.
  void Sleep(uint32_t ms) override;
  void Block(uint32_t ms) override;
  void KeepAlive() override;
  uint64_t TickCount() override;
  LocalTime Now() override;
  int ShowMessageBox(const MessageBoxRequest& request) override;
  std::optional<std::string> FileDialog(const FileDialogRequest& request) override;
  int RunModal(CPropertySheet& sheet) override;
  // Replaces an existing target in one step (the runtime's rename refuses one on Windows),
  // keeping its attributes, security and creation time.
  bool MoveOver(const std::string& from, const std::string& to) override;
  std::FILE* OpenFile(const std::string& path, const char* mode) override;
  bool RemoveFile(const std::string& path) override;
  std::optional<bool> PathExists(const std::string& path) override;
  std::optional<uint64_t> FileSize(const std::string& path) override;
  uint32_t ProcessId() override;
  std::optional<PathKind> KindOf(const std::string& path) override;
  bool SyncFile(std::FILE* file) override;
  bool SyncFolderOf(const std::string& path) override;
  // The volume serial number and file index: the same for every spelling, case and link.
  std::optional<FileId> IdentifyFile(const std::string& path) override;
  std::optional<std::vector<std::string>> FilesIn(const std::string& folder) override;
  bool MakeFolder(const std::string& path) override;
  std::string TraceFile() override;

  // The window that owns message boxes and file dialogs: the innermost running sheet, else the
  // thread's active window.
  HWND__* Owner() const;
  void* Module() const { return module_; }

 private:
  void* module_;
  std::vector<HWND__*> sheets_;  // running sheets, innermost last
  friend class Win32SheetWindow;
};

}  // namespace fw::win32
