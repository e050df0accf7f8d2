#include "control/node_trace.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <utility>

#include "framework/text_escape.h"
#include "nvdata/config_part.h"

#ifndef HD7_3_VERSION
#define HD7_3_VERSION "unknown"
#endif
const char* const kControlVersion = HD7_3_VERSION;

namespace {

constexpr uint64_t kMsPerDay = 24ull * 60 * 60 * 1000;
// What stands for the bytes a line leaves out: U+2026 and their count.
constexpr const char* kEllipsis = "\xE2\x80\xA6";

std::string Marker(size_t leftOut) {
  return std::string(kEllipsis) + " (" + std::to_string(leftOut) + " more bytes)";
}

// Traced sheets of this process so far. With the process id it tells one sheet's lines from
// another's in a file that several processes share: the process id is unique among the running
// processes, and the count among one process's sheets, so no two sheets that could write at the
// same time share a tag, and the header line names both.
uint32_t g_sheetsTraced = 0;

const char* AnswerName(int answer) {
  static constexpr std::pair<int, const char*> kNames[] = {
      {fw::kIdOk, "OK"}, {fw::kIdCancel, "Cancel"}, {fw::kIdYes, "Yes"}, {fw::kIdNo, "No"}};
  for (const auto& [id, name] : kNames) {
    if (id == answer) return name;
  }
  return "another button";
}

// The last byte of the file at `path`; none for an empty file or one that cannot be read.
std::optional<int> LastByte(fw::PlatformImpl& os, const std::string& path) {
  std::FILE* file = os.OpenFile(path, "rb");
  if (file == nullptr) return std::nullopt;
  const int byte = std::fseek(file, -1, SEEK_END) == 0 ? std::fgetc(file) : EOF;
  std::fclose(file);
  return byte == EOF ? std::nullopt : std::optional<int>(byte);
}

}  // namespace

// ---------------------------------------------------------------- a line

TraceLine& TraceLine::Add(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int n = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (n > 0) {
    const size_t used = text_.size();
    text_.resize(used + static_cast<size_t>(n) + 1);
    std::vsnprintf(&text_[used], static_cast<size_t>(n) + 1, format, again);
    text_.pop_back();  // the terminating zero
  }
  va_end(again);
  return *this;
}

TraceLine& TraceLine::Hex(const uint8_t* bytes, int32_t count) {
  const int32_t shown = std::clamp<int32_t>(count, 0, kMostHexBytes);
  int32_t zeros = 0;
  while (zeros < shown && bytes[shown - 1 - zeros] == 0) ++zeros;
  if (zeros < 4) zeros = 0;
  for (int32_t i = 0; i < shown - zeros; ++i) Add(i > 0 ? " %02X" : "%02X", bytes[i]);
  if (zeros > 0) Add(zeros < shown ? " (%d x 00)" : "(%d x 00)", static_cast<int>(zeros));
  if (count > shown) Add(" %s", Marker(static_cast<size_t>(count - shown)).c_str());
  return *this;
}

TraceLine& TraceLine::Quoted(const char* text, size_t length) {
  Add("\"");
  Cuttable quoted;
  quoted.begin = text_.size();
  quoted.sourceBytes = length;
  // A character, or an escape, is kept whole or left out whole.
  fw::AppendTraceText(text_, std::string_view(text, length), [&](size_t source, size_t written) {
    quoted.cuts.emplace_back(source, written);
  });
  quoted.end = text_.size();
  cuttable_.push_back(std::move(quoted));
  return Add("\"");
}

std::string TraceLine::Fitted(size_t most) const {
  if (text_.size() <= most) return text_;
  size_t excess = text_.size() - most;
  // The longest texts give up their ends first; each keeps as much as leaves the line fitting.
  std::vector<size_t> order(cuttable_.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return cuttable_[a].end - cuttable_[a].begin > cuttable_[b].end - cuttable_[b].begin;
  });
  std::vector<const std::pair<size_t, size_t>*> cutAt(cuttable_.size(), nullptr);
  for (size_t i : order) {
    if (excess == 0) break;
    const Cuttable& q = cuttable_[i];
    const size_t whole = q.end - q.begin;
    for (auto cut = q.cuts.rbegin(); cut != q.cuts.rend(); ++cut) {
      const size_t kept = cut->second - q.begin + Marker(q.sourceBytes - cut->first).size();
      if (kept + excess <= whole || cut + 1 == q.cuts.rend()) {
        if (kept < whole) {
          cutAt[i] = &*cut;
          excess -= std::min(excess, whole - kept);
        }
        break;
      }
    }
  }
  std::string line;
  size_t from = 0;
  for (size_t i = 0; i < cuttable_.size(); ++i) {
    if (cutAt[i] == nullptr) continue;
    line.append(text_, from, cutAt[i]->second - from);
    line += Marker(cuttable_[i].sourceBytes - cutAt[i]->first);
    from = cuttable_[i].end;
  }
  line.append(text_, from, std::string::npos);
  if (excess > 0) {
    // Nothing quoted left to give (not a line the trace makes): its end goes, at a character.
    size_t keep = most > Marker(line.size()).size() ? most - Marker(line.size()).size() : 0;
    while (keep > 0 && (static_cast<unsigned char>(line[keep]) & 0xC0) == 0x80) --keep;
    line = line.substr(0, keep) + Marker(line.size() - keep);
  }
  return line;
}

// ---------------------------------------------------------------- the file

TraceFileWriter::~TraceFileWriter() {
  Stop();
}

bool TraceFileWriter::Open(fw::PlatformImpl& os, const std::string& path) {
  Stop();
  // (No file, or none that can be measured, counts as empty.)
  uint64_t size = os.FileSize(path).value_or(0);
  if (size > 0 && size + kRoomAtOpen > limit_) {
    // Full: it becomes FILE.1 (an older FILE.1 goes) and this sheet starts a new file.
    if (!os.MoveOver(path, path + ".1")) return false;
    size = 0;
  }
  file_ = os.OpenFile(path, "ab");
  if (file_ == nullptr) return false;
  // A sheet whose write failed may have left half a line: this one starts on a fresh line.
  const std::optional<int> last = size > 0 ? LastByte(os, path) : std::nullopt;
  lineEndFirst_ = last && *last != '\n';
  return true;
}

void TraceFileWriter::Write(const std::string& stamp, const std::string& event) {
  if (file_ == nullptr) return;
  // The size of the file as it is now, with what other processes appended to it: seeking to
  // the end asks the file system. It is the file this handle writes to, even when another
  // sheet has since moved it aside.
  const long end = std::fseek(file_, 0, SEEK_END) == 0 ? std::ftell(file_) : -1;
  if (end < 0) return Stop();
  const uint64_t size = static_cast<uint64_t>(end);
  std::string line = lineEndFirst_ ? "\n" : "";
  if (size + line.size() + stamp.size() + event.size() + 1 + kKeptFree <= limit_) {
    line += stamp + event + "\n";
    if (!Append(line)) Stop();
    return;
  }
  line += stamp + kFullNote + "\n";
  // The note too leaves room for a line another process may be appending.
  if (size + line.size() + TraceLine::kMostBytes + 1 <= limit_) Append(line);
  Stop();
}

bool TraceFileWriter::Append(const std::string& line) {
  // One write of the whole line, so that lines of processes sharing the file never mix (the
  // stream's buffer holds a whole line: it goes to the file in one piece at the flush).
  const bool written =
      std::fwrite(line.data(), 1, line.size(), file_) == line.size() && std::fflush(file_) == 0;
  if (written) lineEndFirst_ = false;
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
    const int32_t shown = std::min(capacity, TraceLine::kMostHexBytes);
    const auto* end = static_cast<const uint8_t*>(std::memchr(buffer, 0, shown));
    line.Add(": ").Hex(buffer, capacity).Add(" ");
    line.Quoted(reinterpret_cast<const char*>(buffer), end != nullptr ? end - buffer : shown);
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
  const uint32_t process = os.ProcessId();
  const uint32_t number = ++g_sheetsTraced;
  trace->tag_ = "#" + std::to_string(process) + "." + std::to_string(number);
  TraceLine open;
  open.Add("open %04d-%02d-%02d, control %s (%d-bit), process %u, sheet %u, host offers%s%s%s",
           now.year, now.month, now.day, kControlVersion, static_cast<int>(sizeof(void*) * 8),
           static_cast<unsigned>(process), static_cast<unsigned>(number),
           reader ? " INodeAccess2" : "", writer ? " INodeAccess" : "",
           reader || writer ? "" : " nothing");
  trace->Log(trace->startTick_, open);
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
  stamp.Add("%02u:%02u:%02u.%03u %s [%s] ", static_cast<unsigned>(ms / 3600000),
            static_cast<unsigned>(ms / 60000 % 60), static_cast<unsigned>(ms / 1000 % 60),
            static_cast<unsigned>(ms % 1000), tag_.c_str(), sheet_.TabInView().c_str());
  const std::string& head = stamp.Text();
  file_.Write(head,
              event.Fitted(TraceLine::kMostBytes - std::min(head.size(), TraceLine::kMostBytes)));
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
    line.Add(" ").Quoted(caption.data(), caption.size());
  }
  line.Add(": ").Quoted(request.text.data(), request.text.size());
  Log(shown, line.Add(" answered %s", AnswerName(answer)));
  return answer;
}
