#include "tools/trace_summary.h"

#include <cstdlib>
#include <iomanip>
#include <map>
#include <sstream>
#include <tuple>

namespace {

// One line of a trace: "09:05:07.800 #4321.3 [Pump, BL1] read 31 size 32 status 1 FAILED". The
// sheet's tag ("#4321.3") is missing from traces written before sheets were tagged.
struct TraceLine {
  std::string time;
  std::string tag;
  std::string tab;
  std::string event;
};

bool Split(const std::string& line, TraceLine& out) {
  if (line.size() < 16 || line[2] != ':' || line[8] != '.' || line[12] != ' ') return false;
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
  out = {line.substr(0, 12), tag, line.substr(tabStart + 1, tabEnd - tabStart - 1),
         line.substr(tabEnd + 2)};
  return true;
}

struct Failure {
  int count = 0;
  std::string first;  // time and tab of the first one
};

struct IndexCalls {
  int reads = 0;
  int writes = 0;
  int failed = 0;
};

}  // namespace

int TraceSummary(const std::string& name, const std::string& text, std::ostream& out,
                 std::ostream& err) {
  std::istringstream in(text);
  int lines = 0, sheets = 0;
  std::string firstTime, lastTime, full, longestAt;
  long longestPause = -1;
  // Failed calls by kind, index and status; calls by index ("name" counts as a read).
  std::map<std::tuple<std::string, int, long>, Failure> failures;
  std::map<int, IndexCalls> calls;
  for (std::string raw; std::getline(in, raw);) {
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    TraceLine line;
    if (!Split(raw, line)) continue;
    ++lines;
    if (firstTime.empty()) firstTime = line.time;
    lastTime = line.time;
    const std::string at = line.time + " [" + line.tab + "]";
    std::istringstream words(line.event);
    std::string kind, word;
    words >> kind;
    int index = -1;
    long size = 0, status = 0;
    if (kind == "open") {
      ++sheets;
    } else if (kind == "trace" && line.event.find("full") != std::string::npos) {
      full = at;
    } else if (kind == "pause" && (words >> size) && size > longestPause) {
      longestPause = size;
      longestAt = at;
    } else if ((kind == "read" || kind == "write" || kind == "name") &&
               (kind == "name" || (words >> index)) && (words >> word >> size) && word == "size" &&
               (words >> word >> status) && word == "status") {
      IndexCalls& c = calls[index];
      ++(kind == "write" ? c.writes : c.reads);
      if (status != 0) {
        ++c.failed;
        Failure& f = failures[{kind, index, status}];
        if (f.count++ == 0) f.first = at;
      }
    }
  }
  if (lines == 0) {
    err << name << ": no trace lines\n";
    return 2;
  }

  out << name << ": " << lines << " lines, " << sheets << (sheets == 1 ? " sheet" : " sheets")
      << ", " << firstTime << " to " << lastTime << "\n";
  if (!full.empty()) out << "The trace stopped at 8 MB at " << full << ".\n";
  out << "\n";
  if (failures.empty()) {
    out << "No failed calls.\n";
  } else {
    out << "Failed calls:\n";
    for (const auto& [key, f] : failures) {
      const auto& [kind, index, status] = key;
      std::string call = kind + (index >= 0 ? " " + std::to_string(index) : "");
      out << "  " << std::left << std::setw(10) << call << " status " << status << ": " << f.count
          << (f.count == 1 ? " time" : " times") << ", first at " << f.first << "\n";
    }
  }
  out << "\nCalls per index:\n  index    reads   writes   failed\n";
  for (const auto& [index, c] : calls) {
    out << "  " << std::left << std::setw(5) << (index < 0 ? "name" : std::to_string(index))
        << std::right << std::setw(8) << c.reads << std::setw(9) << c.writes << std::setw(9)
        << c.failed << "\n";
  }
  out << "\n";
  if (longestPause < 0) {
    out << "No pauses.\n";
  } else {
    out << "Longest pause: " << longestPause << " ms at " << longestAt << "\n";
  }
  return failures.empty() ? 0 : 1;
}
