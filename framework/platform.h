// What the pages need of the operating system besides their own controls: pauses, the clock,
// message boxes, file dialogs and running a sheet modally. A backend installs one
// implementation; the headless one keeps time virtually and answers dialogs from a script.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "framework/file_identity.h"
#include "framework/local_time.h"

namespace fw {

class CPropertySheet;

// Message box styles and answers, with the values Windows gives them (named apart from the
// Windows macros so that both can be in scope in the Win32 backend).
constexpr unsigned kMbOk = 0x0;
constexpr unsigned kMbOkCancel = 0x1;
constexpr unsigned kMbYesNo = 0x4;
constexpr unsigned kMbIconExclamation = 0x30;
constexpr unsigned kMbTypeMask = 0xF;
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// Title of the control module: the caption of its own message boxes.
constexpr const char* kModuleTitle = "HD7_3";

enum class MessageKind {
  kPage,    // a page's own message box; caption as given, or the platform's default
  kModule,  // the control module's message box, captioned with the module title
};

struct MessageBoxRequest {
  MessageKind kind = MessageKind::kPage;
  std::string text;
  std::optional<std::string> caption;  // none: the platform's default caption
  unsigned flags = kMbOk;
};

// What stands at a path, as the safe replace of a file needs to know it.
enum class PathKind {
  kMissing,  // nothing
  kFile,     // a regular file
  kOther,    // a folder, a device, a pipe, or a symbolic link (never followed: see KindOf)
};

struct FileDialogRequest {
  bool save = false;  // save form, else open form
  std::string initialName;
  std::string defaultExt;
  std::string filter;  // "Name|*.ext|...|" as the pages give it
  bool hideReadOnly = true;
  bool overwritePrompt = false;  // the save form asks before a file there is replaced
};

class PlatformImpl {
 public:
  virtual ~PlatformImpl() = default;
  // A pause of the page cycle or a file operation. On Windows the sheet keeps painting while
  // it lasts but takes no input and no page timer fires.
  virtual void Sleep(uint32_t ms) = 0;
  // Time the thread spends blocked without painting, as in a host call that takes long (the
  // simulated node's latency). By default a plain pause.
  virtual void Block(uint32_t ms) { Sleep(ms); }
  // Lets the sheet paint what is due, without waiting: called after every host call, so that a
  // run of slow host calls between two pauses never freezes the window.
  virtual void KeepAlive() {}
  virtual uint64_t TickCount() = 0;  // milliseconds, monotonic
  virtual LocalTime Now() = 0;       // the PC's local date and time
  virtual int ShowMessageBox(const MessageBoxRequest& request) = 0;
  // The chosen full path, or nothing when the engineer cancelled.
  virtual std::optional<std::string> FileDialog(const FileDialogRequest& request) = 0;
  // Shows the sheet modally; returns the id of the button that closed it.
  virtual int RunModal(CPropertySheet& sheet) = 0;
  // Puts the file `from` in the place of `to`, replacing `to` if it exists, in one step where
  // the OS offers one; false when it could not be done (then `to` is as it was). The default
  // uses std::rename, which replaces on POSIX but refuses an existing target on Windows: the
  // Win32 backend overrides it.
  virtual bool MoveOver(const std::string& from, const std::string& to);
  // Files by the path the engineer sees (UTF-8 text, as the fields give it). The defaults use
  // the C runtime; the Win32 backend goes through the wide-character API, so that a name in any
  // language reaches the file system as it was chosen.
  virtual std::FILE* OpenFile(const std::string& path, const char* mode);
  virtual bool RemoveFile(const std::string& path);
  // Whether something is at `path`; nothing when that cannot be told. Never changes a file.
  virtual std::optional<bool> PathExists(const std::string& path);
  // The size in bytes of the file at `path` as the file system has it now (another process may
  // be appending to it); nothing when there is no such file or it cannot be told.
  virtual std::optional<uint64_t> FileSize(const std::string& path);
  // This process's id, as the OS shows it to the engineer (the task manager, ps).
  virtual uint32_t ProcessId();
  // What is at `path`; nothing when that cannot be told. A symbolic link is kOther, whatever
  // it points to: replacing it would put a plain file in the link's place, and writing through
  // it would change a file elsewhere, so the safe replace refuses it. Never changes a file.
  virtual std::optional<PathKind> KindOf(const std::string& path);
  // Hands the data of a file open for writing (flushed from its stream buffer already) to the
  // disk, so that it survives a power cut; false when the disk did not confirm it.
  virtual bool SyncFile(std::FILE* file);
  // Makes the folder entry of `path` (a file made, renamed or replaced there) survive a power
  // cut; false when the folder could not be synced.
  virtual bool SyncFolderOf(const std::string& path);
  // The identity of the file at `path`, links followed; nothing when no file is there or it
  // cannot be told. Never changes a file.
  virtual std::optional<FileId> IdentifyFile(const std::string& path);
  // The names of the regular files directly in `folder` (links followed; no folders), in no
  // particular order; nothing when the folder cannot be read. Never changes a file.
  virtual std::optional<std::vector<std::string>> FilesIn(const std::string& folder);
  // Makes the folder `path` (its parent must be there); true when a folder is there now.
  virtual bool MakeFolder(const std::string& path);
  // The file where the engineer asked for a trace of the node traffic, asked afresh each time a
  // sheet opens (on Windows a registry value); empty: no trace.
  virtual std::string TraceFile() { return {}; }
  // An event worth a line in that trace (the start and end of a long operation). Only the trace
  // of a sheet that is open takes it; otherwise nothing happens.
  virtual void TraceEvent(const std::string& /*event*/) {}
};

// The C runtime's files and the PC's clock, with no pauses, no dialogs and no sheet: for a
// program that installs no platform of its own (the settings tool's native build).
class RuntimePlatform : public PlatformImpl {
 public:
  void Sleep(uint32_t) override {}
  uint64_t TickCount() override { return 0; }
  LocalTime Now() override;
  int ShowMessageBox(const MessageBoxRequest&) override { return 0; }
  std::optional<std::string> FileDialog(const FileDialogRequest&) override { return {}; }
  int RunModal(CPropertySheet&) override { return 0; }
};

// A platform that hands everything to another one: the base of those that change one or two
// things about the platform they find (pauses taken out, events traced) and keep the rest.
class ForwardingPlatform : public PlatformImpl {
 public:
  explicit ForwardingPlatform(PlatformImpl& inner) : inner_(inner) {}
  void Sleep(uint32_t ms) override { inner_.Sleep(ms); }
  void Block(uint32_t ms) override { inner_.Block(ms); }
  void KeepAlive() override { inner_.KeepAlive(); }
  uint64_t TickCount() override { return inner_.TickCount(); }
  LocalTime Now() override { return inner_.Now(); }
  int ShowMessageBox(const MessageBoxRequest& request) override {
    return inner_.ShowMessageBox(request);
  }
  std::optional<std::string> FileDialog(const FileDialogRequest& request) override {
    return inner_.FileDialog(request);
  }
  int RunModal(CPropertySheet& sheet) override { return inner_.RunModal(sheet); }
  bool MoveOver(const std::string& from, const std::string& to) override {
    return inner_.MoveOver(from, to);
  }
  std::FILE* OpenFile(const std::string& path, const char* mode) override {
    return inner_.OpenFile(path, mode);
  }
  bool RemoveFile(const std::string& path) override { return inner_.RemoveFile(path); }
  std::optional<bool> PathExists(const std::string& path) override {
    return inner_.PathExists(path);
  }
  std::optional<uint64_t> FileSize(const std::string& path) override {
    return inner_.FileSize(path);
  }
  uint32_t ProcessId() override { return inner_.ProcessId(); }
  std::optional<PathKind> KindOf(const std::string& path) override { return inner_.KindOf(path); }
  bool SyncFile(std::FILE* file) override { return inner_.SyncFile(file); }
  bool SyncFolderOf(const std::string& path) override { return inner_.SyncFolderOf(path); }
  std::optional<FileId> IdentifyFile(const std::string& path) override {
    return inner_.IdentifyFile(path);
  }
  std::string TraceFile() override { return inner_.TraceFile(); }
  void TraceEvent(const std::string& event) override { inner_.TraceEvent(event); }

 protected:
  PlatformImpl& inner_;
};

// The installed implementation. Pages call these; they never reach the OS directly.
class Platform {
 public:
  static PlatformImpl& Get();
  static bool Installed();

  static void Sleep(uint32_t ms) { Get().Sleep(ms); }
  static void Block(uint32_t ms) { Get().Block(ms); }
  static void KeepAlive() {
    if (Installed()) Get().KeepAlive();
  }
  static uint64_t TickCount() { return Get().TickCount(); }
  static void TraceEvent(const std::string& event) {
    if (Installed()) Get().TraceEvent(event);
  }
  static LocalTime Now() { return Get().Now(); }
};

// Installs an implementation for the lifetime of the object and puts the previous one back.
class ScopedPlatform {
 public:
  explicit ScopedPlatform(PlatformImpl& impl);
  ~ScopedPlatform();
  ScopedPlatform(const ScopedPlatform&) = delete;
  ScopedPlatform& operator=(const ScopedPlatform&) = delete;

 private:
  PlatformImpl* previous_;
};

}  // namespace fw
