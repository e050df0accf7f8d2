#include "tools/trace_lines.h"

#include <algorithm>

#include "nvdata/config_part.h"
#include "settingsfile/settings_dictionary.h"

namespace {

// The most bytes the trace shows of one buffer; a run of zeros claiming more is not a trace's.
constexpr long kMostShownBytes = 256;
// What the trace writes for the bytes it leaves out: U+2026.
constexpr const char* kEllipsis = "\xE2\x80\xA6";

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads the event from left to right; every step fails without moving on a mismatch.
class Cursor {
 public:
  explicit Cursor(const std::string& text) : text_(text) {}

  bool Literal(const char* literal) {
    const size_t n = std::char_traits<char>::length(literal);
    if (text_.compare(at_, n, literal) != 0) return false;
    at_ += n;
    return true;
  }
  // A whole number of at most nine digits, with a minus sign where `sign` allows it.
  bool Number(long& value, bool sign = false) {
    size_t i = at_;
    const bool negative = sign && i < text_.size() && text_[i] == '-';
    if (negative) ++i;
    const size_t digits = i;
    long v = 0;
    while (i < text_.size() && IsDigit(text_[i]) && i - digits < 9) v = v * 10 + (text_[i++] - '0');
    if (i == digits || (i < text_.size() && IsDigit(text_[i]))) return false;
    value = negative ? -v : v;
    at_ = i;
    return true;
  }
  bool AtEnd() const { return at_ >= text_.size(); }
  size_t At() const { return at_; }

 private:
  const std::string& text_;
  size_t at_ = 0;
};

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The bytes at the start of `text` as the trace writes them ("00 01 (29 x 00)"); what follows
// them is left in `rest`.
void ParseHex(const std::string& text, std::vector<uint8_t>& bytes, std::string& rest) {
  size_t at = 0;
  while (at < text.size()) {
    const size_t from = at + (at > 0 && text[at] == ' ' ? 1 : 0);
    if (from + 2 <= text.size() && HexDigit(text[from]) >= 0 && HexDigit(text[from + 1]) >= 0 &&
        (from + 2 == text.size() || text[from + 2] == ' ' || text[from + 2] == ',')) {
      bytes.push_back(static_cast<uint8_t>(HexDigit(text[from]) * 16 + HexDigit(text[from + 1])));
      at = from + 2;
      continue;
    }
    if (text.compare(from, 1, "(") == 0) {
      const std::string run = text.substr(from + 1);
      Cursor c(run);
      long zeros = 0;
      if (c.Number(zeros) && zeros >= 4 && zeros <= kMostShownBytes && c.Literal(" x 00)")) {
        bytes.insert(bytes.end(), static_cast<size_t>(zeros), 0);
        at = from + 1 + c.At();
        continue;
      }
    }
    break;
  }
  rest = text.substr(at);
}

// Whether `tail` counts the bytes the line leaves out: " … (44 more bytes)".
bool SaysMore(const std::string& tail) {
  return tail.compare(0, 1 + std::char_traits<char>::length(kEllipsis),
                      std::string(" ") + kEllipsis) == 0;
}

// What may follow a call's bytes: the part a selector write chooses, the node's name in
// quotes, or the count of bytes left out.
bool IsTailOfCall(const TraceCall& call, const std::string& tail) {
  if (tail.empty()) return true;
  Cursor c(tail);
  long n = 0;
  if (call.kind == "write" && call.index == kIndexPartSelector && c.Literal(", selects part ") &&
      c.Number(n) && c.AtEnd()) {
    return true;
  }
  if (call.kind == "name" && tail.size() >= 3 && tail.compare(0, 2, " \"") == 0 &&
      tail.back() == '"') {
    return true;
  }
  return SaysMore(tail);
}

}  // namespace

bool SplitTraceLine(const std::string& line, TraceEntry& out) {
  // "HH:MM:SS.mmm "
  static const char kShape[] = "00:00:00.000 ";
  if (line.size() < 16) return false;
  for (size_t i = 0; i + 1 < sizeof kShape; ++i) {
    if (kShape[i] == '0' ? !IsDigit(line[i]) : line[i] != kShape[i]) return false;
  }
  const auto two = [&](size_t i) { return (line[i] - '0') * 10 + (line[i + 1] - '0'); };
  const int hour = two(0), minute = two(3), second = two(6);
  if (hour > 23 || minute > 59 || second > 59) return false;
  size_t tabStart = 13;
  std::string tag;
  if (line[13] == '#') {
    const size_t tagEnd = line.find(' ', 13);
    if (tagEnd == std::string::npos) return false;
    tag = line.substr(13, tagEnd - 13);
    tabStart = tagEnd + 1;
  }
  const size_t tabEnd = line.find("] ", tabStart);
  if (line.compare(tabStart, 1, "[") != 0 || tabEnd == std::string::npos) return false;
  out.msOfDay = static_cast<uint32_t>(((hour * 60 + minute) * 60 + second) * 1000 + two(9) * 10 +
                                      (line[11] - '0'));
  out.time = line.substr(0, 12);
  out.tag = tag;
  out.tab = line.substr(tabStart + 1, tabEnd - tabStart - 1);
  out.event = line.substr(tabEnd + 2);
  return true;
}

bool ParseTraceCall(const std::string& event, TraceCall& out) {
  TraceCall call;
  call.kind = event.substr(0, event.find(' '));
  Cursor c(event);
  long index = -1, size = 0;
  if (call.kind == "name") {
    c.Literal("name");
  } else if (!(call.kind == "read" || call.kind == "write") || !c.Literal(call.kind.c_str()) ||
             !c.Literal(" ") || !c.Number(index)) {
    return false;
  }
  call.index = static_cast<int>(index);
  if (!c.Literal(" size ") || !c.Number(size) || !c.Literal(" status ") ||
      !c.Number(call.status, true)) {
    return false;
  }
  if (c.Literal(" after ") && !(c.Number(call.tookMs) && c.Literal(" ms"))) return false;
  // A failed call says so; a successful one never does.
  if (c.Literal(" FAILED") != (call.status != 0)) return false;
  if (c.Literal(": ")) {
    std::string tail;
    ParseHex(event.substr(c.At()), call.bytes, tail);
    call.hasBytes = !call.bytes.empty();
    if (!call.hasBytes || !IsTailOfCall(call, tail)) return false;
    // The bytes as written, with the count of those left out where the line has one.
    call.hexText = event.substr(c.At(), event.size() - c.At() - (SaysMore(tail) ? 0 : tail.size()));
  } else if (!c.AtEnd()) {
    return false;
  }
  out = std::move(call);
  return true;
}

bool ParseTracePause(const std::string& event, long& ms) {
  Cursor c(event);
  return c.Literal("pause ") && c.Number(ms) && c.Literal(" ms") && c.AtEnd();
}

std::string TraceNvName(int index, int part) {
  const std::string host = " (" + std::to_string(index) + ")";
  if (index < 0) return "node name";
  if (index == kIndexPartSelector) return "part selector" + host;
  if (index == kIndexPluginCnf && (part < 1 || part > kPartCount)) return "nviPluginCnf" + host;
  const int record = TraceRecordOf(index, part);
  return record >= 0 ? RecordName(record) + host : std::to_string(index);
}

int TraceRecordOf(int index, int part) {
  // The six single NVs of a settings file, nciTemp1PlugIn to nciCalcValve2.
  const int single = index - kFirstRecordIndex;
  if (single >= kRecordTemp1 && single <= kRecordCalcValve2) return single;
  if (index == kIndexPluginCnf && part >= 1 && part <= kPartCount) return RecordOfPart(part);
  return -1;
}

std::vector<std::string> TraceSettings(int record, const std::vector<uint8_t>& bytes,
                                       const std::vector<uint8_t>* before) {
  const auto whole = [&](const std::vector<uint8_t>& b) {
    std::vector<uint8_t> r(b.begin(), b.begin() + std::min<size_t>(b.size(), RecordSize(record)));
    r.resize(static_cast<size_t>(RecordSize(record)), 0);
    return r;
  };
  const std::vector<uint8_t> now = whole(bytes);
  const std::vector<uint8_t> old = before != nullptr ? whole(*before) : std::vector<uint8_t>();
  std::vector<std::string> lines;
  for (const SettingEntry& e : SettingsDictionary()) {
    const SettingField& f = e.field;
    if (f.record != record) continue;
    std::string value = ValueWithUnit(f, now.data());
    if (before != nullptr) {
      if (RawValue(f, old.data()) == RawValue(f, now.data())) continue;
      value = ValueWithUnit(f, old.data()) + " \xE2\x86\x92 " + value;
    }
    std::string line(f.text);
    line.resize(std::max<size_t>(line.size() + 2, 52), ' ');
    lines.push_back(line + value);
  }
  return lines;
}
