// A trace of the node traffic for field diagnosis: while a sheet is open, one plain text line
// per event is appended to the file the platform names (on Windows a registry value read each
// time the sheet opens). Every host call with its bytes and status, every selector change,
// pause and message box, the start and end of the long operations, and the sheet's opening and
// closing, each with the time of day in milliseconds, the sheet's tag and the tab in view.
//
// The trace is never in the way: it forwards every call exactly, adds no pause, and stops
// silently when its file cannot be opened or written. The file stops growing at 8 MB, even with
// several processes tracing into it; the next sheet moves a full one to FILE.1 and starts
// afresh. Without a file named, nothing is wrapped.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/platform.h"
#include "hostaccess/node_access.h"

// The version the control reports in the first line of each sheet's trace.
extern const char* const kControlVersion;

// The sheet, as the trace asks it which tab is in view.
class ITabInView {
 public:
  virtual std::string TabInView() const = 0;

 protected:
  ~ITabInView() = default;
};

// One line of the trace as it is put together. Its quoted texts may be cut afterwards to make
// the line fit, each at a character, with a visible marker, so the line keeps its quotes and
// whatever follows them.
class TraceLine {
 public:
  // The most bytes a line of the trace holds before its line end.
  static constexpr size_t kMostBytes = 2047;
  // The most bytes of a host buffer shown in hex; the host calls ask for 50 bytes at most.
  static constexpr int32_t kMostHexBytes = 256;

  TraceLine& Add(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Bytes in hex, "00 01"; a run of four or more zero bytes at the end as "(29 x 00)"; beyond
  // kMostHexBytes the rest counted, "… (44 more bytes)".
  TraceLine& Hex(const uint8_t* bytes, int32_t count);
  // Text in double quotes: quotes, backslashes and control characters as \n, \r, \t, \", \\ or
  // \xNN, UTF-8 characters as they are, bytes that are not part of one as \xNN, so that nothing
  // breaks the line and every name reads the same as in the tool's output.
  TraceLine& Quoted(const char* text, size_t length);
  const std::string& Text() const { return text_; }

  // The line in at most `most` bytes: when it is longer, the longest quoted texts lose their
  // ends, each then ending "… (N more bytes)" before its closing quote.
  std::string Fitted(size_t most) const;

 private:
  // A quoted text: where its escaped form starts and ends in text_, its length in bytes, and
  // where it may be cut (never inside an escape or a UTF-8 character): source bytes kept, end.
  struct Cuttable {
    size_t begin = 0;
    size_t end = 0;
    size_t sourceBytes = 0;
    std::vector<std::pair<size_t, size_t>> cuts;
  };

  std::string text_;
  std::vector<Cuttable> cuttable_;
};

// The trace file: whole lines appended and flushed one by one, never beyond the limit. The
// limit is judged on the file's real size before each line, so that sheets of several
// processes tracing into one file keep it together.
class TraceFileWriter {
 public:
  static constexpr uint64_t kLimitBytes = 8u << 20;
  // Room a sheet leaves free below the limit: for the note that the file is full and for the
  // longest line another process may be appending at the same moment.
  static constexpr uint64_t kKeptFree = 4096;
  // A file with less room left than this is full when a sheet opens: it becomes FILE.1.
  static constexpr uint64_t kRoomAtOpen = 2 * kKeptFree;
  static constexpr const char* kFullNote = "trace full at 8 MB: nothing more for this sheet";

  explicit TraceFileWriter(uint64_t limitBytes = kLimitBytes) : limit_(limitBytes) {}
  ~TraceFileWriter();
  TraceFileWriter(const TraceFileWriter&) = delete;
  TraceFileWriter& operator=(const TraceFileWriter&) = delete;

  // Opens `path` for appending, after moving a full one aside; false when it cannot.
  bool Open(fw::PlatformImpl& os, const std::string& path);
  // Appends `stamp` and `event` as one line, in one write; when that would leave too little
  // room, the note that the file is full instead, and the file is closed. A failed write
  // closes it too.
  void Write(const std::string& stamp, const std::string& event);
  bool IsOpen() const { return file_ != nullptr; }

 private:
  bool Append(const std::string& line);
  void Stop();

  uint64_t limit_;
  std::FILE* file_ = nullptr;
  // The file ended in half a line (a write that failed): the first line starts a fresh one.
  bool lineEndFirst_ = false;
};

class NodeTrace;

// One host interface seen through the trace: each call is forwarded unchanged, then logged.
class TracedNodeAccess final : public INodeAccess2 {
 public:
  TracedNodeAccess(NodeTrace& trace, INodeAccess* inner, INodeAccess2* innerReader)
      : trace_(trace), inner_(inner), innerReader_(innerReader) {}

  // The sheet owns it for its own lifetime: no reference counting, no other interface.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE Reserved3() override { return inner_->Reserved3(); }
  HRESULT STDMETHODCALLTYPE Reserved4() override { return inner_->Reserved4(); }
  HRESULT STDMETHODCALLTYPE Reserved5() override { return inner_->Reserved5(); }
  HRESULT STDMETHODCALLTYPE Reserved6() override { return inner_->Reserved6(); }
  int32_t STDMETHODCALLTYPE ReadNv(int32_t index, uint8_t* buffer, int32_t capacity) override;
  int32_t STDMETHODCALLTYPE WriteNv(int32_t index, uint8_t* buffer, int32_t length) override;
  int32_t STDMETHODCALLTYPE GetNodeName(uint8_t* buffer, int32_t capacity) override;

 private:
  NodeTrace& trace_;
  INodeAccess* inner_;
  INodeAccess2* innerReader_;  // null when this stands for the writing interface
};

// The trace of one sheet. While it lives it is the installed platform, in front of the one it
// found, so that pauses and message boxes pass through it.
class NodeTrace final : public fw::ForwardingPlatform {
 public:
  // The trace the platform asks for, for a sheet with these interfaces (either may be null);
  // none when no file is named or it cannot be opened.
  static std::unique_ptr<NodeTrace> Start(const ITabInView& sheet, INodeAccess2* reader,
                                          INodeAccess* writer);
  ~NodeTrace() override;  // the sheet closed

  // The interfaces the sheet hands its pages: the traced ones, null where the host has none.
  INodeAccess2* Reader() { return reader_ ? &reader_.value() : nullptr; }
  INodeAccess* Writer() { return writer_ ? &writer_.value() : nullptr; }

  // One line: time of day (at `tick`), tab in view, event.
  void Log(uint64_t tick, const TraceLine& event);
  // The start of a host call's line: kind ("read", "write", "name"), index (none for the
  // name), the size asked, the status, how long it took since `startTick`.
  TraceLine Call(const char* kind, int32_t index, int32_t size, int32_t status, uint64_t startTick);

  // fw::PlatformImpl: everything goes to the platform the trace found; pauses, message boxes
  // and events are logged on the way.
  void Sleep(uint32_t ms) override;
  int ShowMessageBox(const fw::MessageBoxRequest& request) override;
  void TraceEvent(const std::string& event) override;

 private:
  NodeTrace(fw::PlatformImpl& inner, const ITabInView& sheet)
      : ForwardingPlatform(inner), sheet_(sheet) {}

  const ITabInView& sheet_;
  std::string tag_;  // "#4321.3": process 4321, its third traced sheet
  TraceFileWriter file_;
  uint64_t startTick_ = 0;
  uint64_t startMsOfDay_ = 0;
  std::optional<TracedNodeAccess> reader_;
  std::optional<TracedNodeAccess> writer_;
  std::optional<fw::ScopedPlatform> installed_;
};
