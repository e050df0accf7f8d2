#include "control/node_trace.h"

#include <algorithm>
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

std::string TwoDigits(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

std::string AnswerName(int answer) {
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
      return std::to_string(answer);
  }
}

}  // namespace

std::string TraceHex(const uint8_t* bytes, int32_t count) {
  static const char* digits = "0123456789ABCDEF";
  int32_t shown = std::clamp<int32_t>(count, 0, kMostBytesShown);
  int32_t zeros = 0;
  while (zeros < shown && bytes[shown - 1 - zeros] == 0) ++zeros;
  if (zeros < 4) zeros = 0;
  std::string out;
  for (int32_t i = 0; i < shown - zeros; ++i) {
    if (!out.empty()) out += ' ';
    out += digits[bytes[i] >> 4];
    out += digits[bytes[i] & 15];
  }
  if (zeros > 0) out += (out.empty() ? "(" : " (") + std::to_string(zeros) + " x 00)";
  return out;
}

std::string TraceQuoted(const std::string& text, bool asciiOnly) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (byte < 0x20 || byte == 0x7F || (asciiOnly && byte > 0x7F)) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    } else {
      out += c;
    }
  }
  return out + "\"";
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

void TraceFileWriter::Write(const std::string& line, const std::string& fullLine) {
  if (file_ == nullptr) return;
  if (bytes_ + line.size() + 1 + kFullLineRoom <= kLimitBytes) {
    if (!Append(line)) Stop();
    return;
  }
  Append(fullLine);
  Stop();
}

bool TraceFileWriter::Append(const std::string& text) {
  const std::string line = text + "\n";
  const bool written =
      std::fwrite(line.data(), 1, line.size(), file_) == line.size() && std::fflush(file_) == 0;
  bytes_ += line.size();
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
  // A failed read leaves nothing in the buffer worth showing.
  trace_.LogCall("read", index, capacity, status, start, buffer, status == 0 ? capacity : 0, "");
  return status;
}

int32_t TracedNodeAccess::WriteNv(int32_t index, uint8_t* buffer, int32_t length) {
  const uint64_t start = trace_.TickCount();
  const int32_t status = inner_->WriteNv(index, buffer, length);
  std::string tail;
  if (index == kIndexPartSelector && length == 2 && buffer != nullptr) {
    tail = ", selects part " + std::to_string(buffer[0] << 8 | buffer[1]);
  }
  trace_.LogCall("write", index, length, status, start, buffer, length, tail);
  return status;
}

int32_t TracedNodeAccess::GetNodeName(uint8_t* buffer, int32_t capacity) {
  const uint64_t start = trace_.TickCount();
  const int32_t status = innerReader_->GetNodeName(buffer, capacity);
  int32_t shown = 0;
  std::string tail;
  if (status == 0 && buffer != nullptr && capacity > 0) {
    shown = std::min(capacity, kMostBytesShown);
    const auto* end = static_cast<const uint8_t*>(std::memchr(buffer, 0, shown));
    const char* text = reinterpret_cast<const char*>(buffer);
    tail = " " + TraceQuoted(std::string(text, end != nullptr ? end - buffer : shown), true);
  }
  trace_.LogCall("name", -1, capacity, status, start, buffer, shown, tail);
  return status;
}

// ---------------------------------------------------------------- the trace

NodeTrace::NodeTrace(fw::PlatformImpl& inner, TabInView tabInView)
    : inner_(inner), tabInView_(std::move(tabInView)) {}

std::unique_ptr<NodeTrace> NodeTrace::Start(INodeAccess2* reader, INodeAccess* writer,
                                            TabInView tabInView) {
  if (!fw::Platform::Installed()) return nullptr;
  fw::PlatformImpl& os = fw::Platform::Get();
  const std::string path = os.TraceFile();
  if (path.empty()) return nullptr;
  std::unique_ptr<NodeTrace> trace(new NodeTrace(os, std::move(tabInView)));
  if (!trace->file_.Open(os, path)) return nullptr;

  const fw::LocalTime now = os.Now();
  trace->startTick_ = os.TickCount();
  trace->startMsOfDay_ = ((now.hour * 60ull + now.minute) * 60 + now.second) * 1000;
  if (reader != nullptr) trace->reader_.emplace(*trace, reader, reader);
  if (writer != nullptr) trace->writer_.emplace(*trace, writer, nullptr);
  trace->installed_.emplace(*trace);

  std::string offers = reader != nullptr ? " INodeAccess2" : "";
  offers += writer != nullptr ? " INodeAccess" : "";
  trace->Log("open " + std::to_string(now.year) + "-" + TwoDigits(now.month) + "-" +
             TwoDigits(now.day) + ", control " + kControlVersion + ", host offers" +
             (offers.empty() ? std::string(" nothing") : offers));
  return trace;
}

NodeTrace::~NodeTrace() {
  Log("close");
  installed_.reset();
}

std::string NodeTrace::StampAt(uint64_t tick) {
  const uint64_t ms = (startMsOfDay_ + (tick - startTick_)) % kMsPerDay;
  char text[32];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u.%03u", static_cast<unsigned>(ms / 3600000),
                static_cast<unsigned>(ms / 60000 % 60), static_cast<unsigned>(ms / 1000 % 60),
                static_cast<unsigned>(ms % 1000));
  return std::string(text) + " [" + (tabInView_ ? tabInView_() : std::string("-")) + "] ";
}

void NodeTrace::Log(const std::string& event) {
  LogAt(inner_.TickCount(), event);
}

void NodeTrace::LogAt(uint64_t tick, const std::string& event) {
  if (!file_.IsOpen()) return;
  const std::string stamp = StampAt(tick);
  file_.Write(stamp + event, stamp + TraceFileWriter::kFullNote);
}

void NodeTrace::LogCall(const char* kind, int32_t index, int32_t size, int32_t status,
                        uint64_t startMs, const uint8_t* bytes, int32_t count,
                        const std::string& tail) {
  if (!file_.IsOpen()) return;
  std::string line = kind;
  if (index >= 0) line += " " + std::to_string(index);
  line += " size " + std::to_string(size) + " status " + std::to_string(status);
  const uint64_t took = inner_.TickCount() - startMs;
  if (took > 0) line += " after " + std::to_string(took) + " ms";
  if (status != 0) line += " FAILED";
  if (count > 0 && bytes != nullptr) line += ": " + TraceHex(bytes, count);
  LogAt(startMs, line + tail);  // the time the call started
}

void NodeTrace::Sleep(uint32_t ms) {
  Log("pause " + std::to_string(ms) + " ms");
  inner_.Sleep(ms);
}

int NodeTrace::ShowMessageBox(const fw::MessageBoxRequest& request) {
  const uint64_t shown = inner_.TickCount();
  const int answer = inner_.ShowMessageBox(request);
  std::string caption;
  if (request.kind == fw::MessageKind::kModule) {
    caption = " " + TraceQuoted(fw::kModuleTitle, false);
  } else if (request.caption) {
    caption = " " + TraceQuoted(*request.caption, false);
  }
  LogAt(shown, "box" + caption + ": " + TraceQuoted(request.text, false) + " answered " +
                   AnswerName(answer));
  return answer;
}
