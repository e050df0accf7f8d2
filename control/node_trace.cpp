#include "control/node_trace.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <utility>

#include "nvdata/config_part.h"

#ifndef HD7_3_VERSION
#define HD7_3_VERSION "unknown"
#endif
const char* const kControlVersion = HD7_3_VERSION;

namespace {

constexpr uint64_t kMsPerDay = 24ull * 60 * 60 * 1000;
// The longest stretch of a buffer the trace shows; the host calls ask for 50 bytes at most.
constexpr int32_t kMostBytesShown = 256;
// Room kept for the line that says the file is full.
constexpr uint64_t kFullLineRoom = 256;

const char* AnswerName(int answer) {
  switch (answer) {
    case fw::kIdOk:
      return "OK";
    case fw::kIdCancel:
      return "Cancel";
    case fw::kIdYes:
      return "Yes";
    case fw::kIdNo:
      return "No";
    default:
      return "another button";
  }
}

}  // namespace

// ---------------------------------------------------------------- a line

TraceLine& TraceLine::Add(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(text_ + used_, sizeof text_ - used_, format, args);
  va_end(args);
  if (n > 0) used_ = std::min(sizeof text_ - 1, used_ + static_cast<size_t>(n));
  return *this;
}

TraceLine& TraceLine::Hex(const uint8_t* bytes, int32_t count) {
  const int32_t shown = std::clamp<int32_t>(count, 0, kMostBytesShown);
  int32_t zeros = 0;
  while (zeros < shown && bytes[shown - 1 - zeros] == 0) ++zeros;
  if (zeros < 4) zeros = 0;
  for (int32_t i = 0; i < shown - zeros; ++i) Add(i > 0 ? " %02X" : "%02X", bytes[i]);
  if (zeros > 0) Add(zeros < shown ? " (%d x 00)" : "(%d x 00)", static_cast<int>(zeros));
  return *this;
}

TraceLine& TraceLine::Quoted(const char* text, size_t length, bool asciiOnly) {
  Add("\"");
  for (size_t i = 0; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const char* escaped = byte == '"'    ? "\\\""
                          : byte == '\\' ? "\\\\"
                          : byte == '\n' ? "\\n"
                          : byte == '\r' ? "\\r"
                          : byte == '\t' ? "\\t"
                                         : nullptr;
    if (escaped != nullptr) {
      Add("%s", escaped);
    } else if (byte < 0x20 || byte == 0x7F || (asciiOnly && byte > 0x7F)) {
      Add("\\x%02X", byte);
    } else {
      Add("%c", byte);
    }
  }
  return Add("\"");
}

// ---------------------------------------------------------------- the file

TraceFileWriter::~TraceFileWriter() {
  Stop();
}

bool TraceFileWriter::Open(fw::PlatformImpl& os, const std::string& path) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    file_ = os.OpenFile(path, "ab");
    if (file_ == nullptr) return false;
    // In append mode the position is only sure to be at the end after seeking there.
    const long size = std::fseek(file_, 0, SEEK_END) == 0 ? std::ftell(file_) : -1;
    if (size < 0) break;
    bytes_ = static_cast<uint64_t>(size);
    if (bytes_ + kRoomAtOpen <= kLimitBytes) return true;
    // Full: it becomes FILE.1 (an older FILE.1 goes) and this sheet starts a new file.
    Stop();
    if (attempt > 0 || !os.MoveOver(path, path + ".1")) return false;
  }
  Stop();
  return false;
}

void TraceFileWriter::Write(const TraceLine& stamp, const TraceLine& line) {
  if (file_ == nullptr) return;
  if (bytes_ + stamp.Length() + line.Length() + 1 + kFullLineRoom <= kLimitBytes) {
    if (!Append(stamp, line.Text(), line.Length())) Stop();
    return;
  }
  Append(stamp, kFullNote, std::strlen(kFullNote));
  Stop();
}

bool TraceFileWriter::Append(const TraceLine& stamp, const char* text, size_t length) {
  const bool written = std::fwrite(stamp.Text(), 1, stamp.Length(), file_) == stamp.Length() &&
                       std::fwrite(text, 1, length, file_) == length &&
                       std::fputc('\n', file_) != EOF && std::fflush(file_) == 0;
  bytes_ += stamp.Length() + length + 1;
  return written;
}

void TraceFileWriter::Stop() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

// ---------------------------------------------------------------- the host calls

HRESULT TracedNodeAccess::QueryInterface(REFIID, void** object) {
  if (object != nullptr) *object = nullptr;
  return E_NOINTERFACE;
}

int32_t TracedNodeAccess::ReadNv(int32_t index, uint8_t* buffer, int32_t capacity) {
  const uint64_t start = trace_.TickCount();
  const int32_t status = inner_->ReadNv(index, buffer, capacity);
  TraceLine line = trace_.Call("read", index, capacity, status, start);
  // A failed read leaves nothing in the buffer worth showing.
  if (status == 0 && buffer != nullptr && capacity > 0) line.Add(": ").Hex(buffer, capacity);
  trace_.Log(start, line);
  return status;
}

int32_t TracedNodeAccess::WriteNv(int32_t index, uint8_t* buffer, int32_t length) {
  const uint64_t start = trace_.TickCount();
  const int32_t status = inner_->WriteNv(index, buffer, length);
  TraceLine line = trace_.Call("write", index, length, status, start);
  if (buffer != nullptr && length > 0) line.Add(": ").Hex(buffer, length);
  if (index == kIndexPartSelector && length == 2 && buffer != nullptr) {
    line.Add(", selects part %d", buffer[0] << 8 | buffer[1]);
  }
  trace_.Log(start, line);
  return status;
}

int32_t TracedNodeAccess::GetNodeName(uint8_t* buffer, int32_t capacity) {
  const uint64_t start = trace_.TickCount();
  const int32_t status = innerReader_->GetNodeName(buffer, capacity);
  TraceLine line = trace_.Call("name", -1, capacity, status, start);
  if (status == 0 && buffer != nullptr && capacity > 0) {
    const int32_t shown = std::min(capacity, kMostBytesShown);
    const auto* end = static_cast<const uint8_t*>(std::memchr(buffer, 0, shown));
    line.Add(": ").Hex(buffer, shown).Add(" ");
    line.Quoted(reinterpret_cast<const char*>(buffer), end != nullptr ? end - buffer : shown, true);
  }
  trace_.Log(start, line);
  return status;
}

// ---------------------------------------------------------------- the trace

std::unique_ptr<NodeTrace> NodeTrace::Start(const ITabInView& sheet, INodeAccess2* reader,
                                            INodeAccess* writer) {
  if (!fw::Platform::Installed()) return nullptr;
  fw::PlatformImpl& os = fw::Platform::Get();
  const std::string path = os.TraceFile();
  if (path.empty()) return nullptr;
  std::unique_ptr<NodeTrace> trace(new NodeTrace(os, sheet));
  if (!trace->file_.Open(os, path)) return nullptr;

  const fw::LocalTime now = os.Now();
  trace->startTick_ = os.TickCount();
  trace->startMsOfDay_ = ((now.hour * 60ull + now.minute) * 60 + now.second) * 1000;
  if (reader != nullptr) trace->reader_.emplace(*trace, reader, reader);
  if (writer != nullptr) trace->writer_.emplace(*trace, writer, nullptr);
  trace->installed_.emplace(*trace);
  trace->Log(trace->startTick_,
             TraceLine().Add("open %04d-%02d-%02d, control %s, host offers%s%s%s", now.year,
                             now.month, now.day, kControlVersion, reader ? " INodeAccess2" : "",
                             writer ? " INodeAccess" : "", reader || writer ? "" : " nothing"));
  return trace;
}

NodeTrace::~NodeTrace() {
  Log(inner_.TickCount(), TraceLine().Add("close"));
  installed_.reset();
}

void NodeTrace::Log(uint64_t tick, const TraceLine& event) {
  if (!file_.IsOpen()) return;
  const uint64_t ms = (startMsOfDay_ + (tick - startTick_)) % kMsPerDay;
  TraceLine stamp;
  stamp.Add("%02u:%02u:%02u.%03u [%s] ", static_cast<unsigned>(ms / 3600000),
            static_cast<unsigned>(ms / 60000 % 60), static_cast<unsigned>(ms / 1000 % 60),
            static_cast<unsigned>(ms % 1000), sheet_.TabInView().c_str());
  file_.Write(stamp, event);
}

TraceLine NodeTrace::Call(const char* kind, int32_t index, int32_t size, int32_t status,
                          uint64_t startTick) {
  TraceLine line;
  line.Add(index >= 0 ? "%s %d" : "%s", kind, static_cast<int>(index));
  line.Add(" size %d status %d", static_cast<int>(size), static_cast<int>(status));
  const uint64_t took = inner_.TickCount() - startTick;
  if (took > 0) line.Add(" after %u ms", static_cast<unsigned>(took));
  if (status != 0) line.Add(" FAILED");
  return line;
}

void NodeTrace::Sleep(uint32_t ms) {
  Log(inner_.TickCount(), TraceLine().Add("pause %u ms", static_cast<unsigned>(ms)));
  inner_.Sleep(ms);
}

void NodeTrace::TraceEvent(const std::string& event) {
  Log(inner_.TickCount(), TraceLine().Add("%s", event.c_str()));
}

int NodeTrace::ShowMessageBox(const fw::MessageBoxRequest& request) {
  const uint64_t shown = inner_.TickCount();
  const int answer = inner_.ShowMessageBox(request);
  TraceLine line;
  line.Add("box");
  const bool module = request.kind == fw::MessageKind::kModule;
  if (module || request.caption) {
    const std::string caption = module ? fw::kModuleTitle : *request.caption;
    line.Add(" ").Quoted(caption.data(), caption.size(), false);
  }
  line.Add(": ").Quoted(request.text.data(), request.text.size(), false);
  Log(shown, line.Add(" answered %s", AnswerName(answer)));
  return answer;
}
