#include "tools/trace_summary.h"

#include <algorithm>
#include <cstdio>
#include <iomanip>
#include <map>
#include <sstream>
#include <tuple>
#include <vector>

#include "control/node_trace.h"
#include "framework/local_time.h"
#include "nvdata/config_part.h"
#include "tools/trace_lines.h"

namespace {

constexpr uint32_t kMsPerDay = 24u * 60 * 60 * 1000;
constexpr size_t kWaitsShown = 5;

// Days since 1970-01-01 of a date of the Gregorian calendar, and back, through the clock's own
// arithmetic.
constexpr int64_t kSecondsPerDay = 24 * 60 * 60;

long DaysFromDate(int year, int month, int day) {
  return static_cast<long>(fw::ToEpochSeconds({year, month, day, 0, 0, 0}) / kSecondsPerDay);
}

std::string DateText(long days) {
  const fw::LocalTime t = fw::FromEpochSeconds(static_cast<int64_t>(days) * kSecondsPerDay);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", t.year, t.month, t.day);
  return text;
}

// "4.800 s", "2 min 05.000 s", "26 h 00 min 01.250 s".
std::string SpanText(uint64_t ms) {
  char text[64];
  const auto s = static_cast<unsigned>(ms / 1000 % 60), milli = static_cast<unsigned>(ms % 1000);
  if (ms < 60000) {
    std::snprintf(text, sizeof text, "%u.%03u s", s, milli);
  } else if (ms < 3600000) {
    std::snprintf(text, sizeof text, "%u min %02u.%03u s", static_cast<unsigned>(ms / 60000), s,
                  milli);
  } else {
    std::snprintf(text, sizeof text, " h %02u min %02u.%03u s",
                  static_cast<unsigned>(ms / 60000 % 60), s, milli);
    return std::to_string(ms / 3600000) + text;
  }
  return text;
}

// A message box: `box "CAPTION": "TEXT" answered OK`, or `box: "TEXT" answered OK`.
bool IsBox(const std::string& event) {
  const size_t text = event.find(": \"");
  const size_t answer = event.rfind("\" answered ");
  return event.compare(0, 3, "box") == 0 && text != std::string::npos &&
         (text == 3 || (event.compare(3, 2, " \"") == 0 && text > 5 && event[text - 1] == '"')) &&
         answer != std::string::npos && answer > text + 2 && answer + 11 < event.size();
}

// One sheet as its lines tell it. Its lines carry the time of day only: the date is its open
// line's, moved on by each midnight its lines cross (a time earlier than the one before).
struct Sheet {
  std::string tag;
  std::string opened;  // "control 1.0.0.1 (64-bit), process 4321, sheet 1"
  bool hasOpen = false;
  bool closed = false;
  long openDay = 0;  // days since 1970 of the open line's date
  long days = 0;     // midnights since the first line
  uint32_t lastMs = 0;
  bool anyLine = false;
  std::string firstAt;
  uint64_t spanMs = 0;
  uint64_t pausedMs = 0;
  int part = -1;  // the part selected, as far as the lines tell
  std::map<std::pair<int, int>, std::vector<uint8_t>> known;  // last bytes by index and part
};

struct Failure {
  int count = 0;
  std::string first;  // when and where the first one was
};

struct NvCalls {
  int reads = 0;
  int writes = 0;
  int failed = 0;
};

struct Wait {
  long ms;
  std::string what;
};

// Everything the summary lists, gathered line by line.
class Summary {
 public:
  void Line(const std::string& raw);
  int Write(const std::string& name, std::ostream& out, std::ostream& err) const;

 private:
  bool Open(const TraceEntry& e);
  bool Event(Sheet& s, const TraceEntry& e, const std::string& at);
  bool Call(Sheet& s, const std::string& event, const std::string& at);

  int lines_ = 0, understood_ = 0, notUnderstood_ = 0;
  std::string firstAt_, lastAt_, full_;
  std::vector<Sheet> sheets_;
  std::map<std::string, size_t> current_;                      // the last sheet of each tag
  std::map<std::tuple<std::string, long>, Failure> failures_;  // by call and status
  std::map<std::pair<int, int>, NvCalls> calls_;               // by index and part
  std::vector<std::string> writes_, boxes_;
  std::vector<Wait> waits_;
};

bool Summary::Open(const TraceEntry& e) {
  // "open 2026-12-07, control 1.0.0.1 (64-bit), process 4321, sheet 3, host offers ..."
  int year = 0, month = 0, day = 0, used = 0;
  if (std::sscanf(e.event.c_str(), "open %4d-%2d-%2d,%n", &year, &month, &day, &used) != 3 ||
      used != 16 || year < 1 || month < 1 || month > 12 || day < 1 || day > 31) {
    return false;
  }
  Sheet s;
  s.tag = e.tag;
  s.hasOpen = true;
  s.openDay = DaysFromDate(year, month, day);
  s.opened = e.event.substr(std::min(e.event.size(), static_cast<size_t>(used) + 1));
  s.opened = s.opened.substr(0, s.opened.find(", host offers"));
  current_[e.tag] = sheets_.size();
  sheets_.push_back(std::move(s));
  return true;
}

void Summary::Line(const std::string& raw) {
  if (raw.empty()) return;
  ++lines_;
  TraceEntry e;
  if (!SplitTraceLine(raw, e)) {
    ++notUnderstood_;
    return;
  }
  const bool opens = e.event.compare(0, 5, "open ") == 0 && Open(e);
  if (current_.count(e.tag) == 0) {
    current_[e.tag] = sheets_.size();
    sheets_.push_back(Sheet{});
    sheets_.back().tag = e.tag;
  }
  Sheet& s = sheets_[current_[e.tag]];
  if (s.anyLine) {
    s.days += e.msOfDay < s.lastMs;
    s.spanMs += e.msOfDay + (e.msOfDay < s.lastMs ? kMsPerDay : 0) - s.lastMs;
  }
  s.lastMs = e.msOfDay;
  const std::string stamp = s.hasOpen ? DateText(s.openDay + s.days) + " " + e.time : e.time;
  const std::string at = stamp + (e.tag.empty() ? "" : " " + e.tag) + " [" + e.tab + "]";
  if (!s.anyLine) s.firstAt = stamp;
  s.anyLine = true;
  if (firstAt_.empty()) firstAt_ = stamp;
  lastAt_ = stamp;
  if (opens || Event(s, e, at)) {
    ++understood_;
  } else {
    ++notUnderstood_;
  }
}

bool Summary::Event(Sheet& s, const TraceEntry& e, const std::string& at) {
  const std::string& event = e.event;
  long ms = 0;
  if (event == "close") {
    s.closed = true;
  } else if (event == TraceFileWriter::kFullNote) {
    full_ = at;
  } else if (ParseTracePause(event, ms)) {
    s.pausedMs += static_cast<uint64_t>(ms);
    waits_.push_back({ms, "pause at " + at});
  } else if (IsBox(event)) {
    boxes_.push_back(at + " " + event.substr(event[3] == ':' ? 5 : 4));
  } else if ((event.compare(0, 6, "start ") == 0 && event.size() > 6) ||
             (event.compare(0, 4, "end ") == 0 && event.size() > 4)) {
    // The long operations frame their calls; the calls themselves are what is summed up.
  } else {
    return Call(s, event, at);
  }
  return true;
}

bool Summary::Call(Sheet& s, const std::string& event, const std::string& at) {
  TraceCall call;
  if (!ParseTraceCall(event, call)) return false;
  const int part = call.index == kIndexPluginCnf ? s.part : -1;
  const std::string nv = TraceNvName(call.index, part);
  const std::string label = call.kind == "name" ? "name" : call.kind + " " + nv;
  NvCalls& c = calls_[{call.index, part}];
  ++(call.kind == "write" ? c.writes : c.reads);
  if (call.status != 0) {
    ++c.failed;
    Failure& f = failures_[{label, call.status}];
    if (f.count++ == 0) f.first = at;
  }
  if (call.tookMs > 0) waits_.push_back({call.tookMs, label + " at " + at});
  if (call.index == kIndexPartSelector) {
    // The selector as the node holds it: what a read found or a write set; a refused write
    // leaves it unknown.
    if (call.status == 0 && call.bytes.size() >= 2) {
      s.part = call.bytes[0] << 8 | call.bytes[1];
    } else if (call.kind == "write") {
      s.part = -1;
    }
    return true;
  }
  const int record = TraceRecordOf(call.index, part);
  auto known = s.known.find({call.index, part});
  if (call.kind == "write") {
    std::string text = "  " + at + " " + nv;
    if (call.status != 0) text += " FAILED, status " + std::to_string(call.status);
    if (record < 0) {
      text += "\n    " + (call.hasBytes ? call.hexText : "no bytes");
    } else {
      // What the write changed against what the sheet last saw of the NV; all of it otherwise.
      const std::vector<std::string> settings =
          TraceSettings(record, call.bytes, known != s.known.end() ? &known->second : nullptr);
      for (const std::string& setting : settings) text += "\n    " + setting;
      if (settings.empty()) text += "\n    no setting changed";
    }
    writes_.push_back(text);
  }
  if (record >= 0 && call.status == 0 && call.hasBytes && call.kind != "name") {
    s.known[{call.index, part}] = call.bytes;
  }
  return true;
}

int Summary::Write(const std::string& name, std::ostream& out, std::ostream& err) const {
  if (understood_ == 0) {
    err << name << ": no trace lines\n";
    return 2;
  }
  out << name << ": " << lines_ << " lines, " << sheets_.size()
      << (sheets_.size() == 1 ? " sheet" : " sheets") << ", " << firstAt_ << " to " << lastAt_
      << "\n";
  if (!full_.empty()) out << "The trace stopped at 8 MB at " << full_ << ".\n";

  out << "\nSheets:\n";
  for (const Sheet& s : sheets_) {
    out << "  " << (s.tag.empty() ? "" : s.tag + " ");
    if (s.hasOpen) {
      out << "opened " << s.firstAt << (s.opened.empty() ? "" : ", " + s.opened);
    } else {
      out << "from " << s.firstAt << " (its open line is not in the trace)";
    }
    const bool byPauses = s.pausedMs > s.spanMs;
    const bool whole = s.hasOpen && s.closed && !byPauses;
    out << ": open " << (whole ? "" : "at least ") << SpanText(byPauses ? s.pausedMs : s.spanMs)
        << (byPauses ? ", the sum of its pauses" : ", from its first to its last line")
        << (s.closed ? "" : " (no close line)") << "\n";
  }

  out << "\n";
  if (failures_.empty()) {
    out << "No failed calls.\n";
  } else {
    size_t width = 0;
    for (const auto& [key, f] : failures_) width = std::max(width, std::get<0>(key).size());
    out << "Failed calls:\n";
    for (const auto& [key, f] : failures_) {
      out << "  " << std::left << std::setw(static_cast<int>(width)) << std::get<0>(key)
          << " status " << std::get<1>(key) << ": " << f.count
          << (f.count == 1 ? " time" : " times") << ", first at " << f.first << "\n";
    }
  }

  out << (writes_.empty() ? "\nNo writes.\n" : "\nWrites:\n");
  for (const std::string& w : writes_) out << w << "\n";
  out << (boxes_.empty() ? "\nNo message boxes.\n" : "\nMessage boxes:\n");
  for (const std::string& b : boxes_) out << "  " << b << "\n";

  size_t width = 2;
  for (const auto& [key, c] : calls_)
    width = std::max(width, TraceNvName(key.first, key.second).size());
  out << "\nCalls per NV:\n  " << std::left << std::setw(static_cast<int>(width)) << "NV"
      << "    reads   writes   failed\n";
  for (const auto& [key, c] : calls_) {
    out << "  " << std::left << std::setw(static_cast<int>(width))
        << TraceNvName(key.first, key.second) << std::right << std::setw(9) << c.reads
        << std::setw(9) << c.writes << std::setw(9) << c.failed << "\n";
  }

  std::vector<Wait> longest = waits_;
  std::stable_sort(longest.begin(), longest.end(),
                   [](const Wait& a, const Wait& b) { return a.ms > b.ms; });
  longest.resize(std::min(longest.size(), kWaitsShown));
  out << (longest.empty() ? "\nNo waits.\n" : "\nLongest waits:\n");
  for (const Wait& w : longest)
    out << "  " << std::right << std::setw(6) << w.ms << " ms  " << w.what << "\n";

  out << "\n"
      << notUnderstood_ << (notUnderstood_ == 1 ? " line" : " lines") << " not understood\n";
  return failures_.empty() ? 0 : 1;
}

}  // namespace

int TraceSummary(const std::string& name, const std::string& text, std::ostream& out,
                 std::ostream& err) {
  std::istringstream in(text);
  Summary summary;
  for (std::string raw; std::getline(in, raw);) {
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    summary.Line(raw);
  }
  return summary.Write(name, out, err);
}
