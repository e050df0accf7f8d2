#include "settingsfile/settings_sections.h"

#include <algorithm>

#include "settingsfile/nv_set.h"

namespace {

constexpr size_t kProgramIdLength = 23;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The NV name of a header line: from its third character up to the first space at position 3
// or later; empty when there is no such space.
std::string_view HeaderName(std::string_view line) {
  if (line.size() < 4) return std::string_view();
  const size_t space = line.find(' ', 3);
  if (space == std::string_view::npos) return std::string_view();
  return line.substr(2, space - 2);
}

// Whether a line after a header is its value line: a header ("*"), a comment ("/"), an empty
// line or a "-" line that does not start a negative number means the section has no values.
bool IsValueLine(std::string_view line) {
  if (line.empty() || line[0] == '*' || line[0] == '/') return false;
  if (line[0] != '-') return true;
  return line.size() > 1 && (IsDigit(line[1]) || line[1] == '.');
}

// The walk is a state machine over the file's lines, one rule a line:
//   between sections:
//     "-" line of a program ID   enables taking sections (or asks); name and time lines, of
//                                another length, are other lines
//     "*" line                   while sections are taken, a section header: expect its values
//     anything else              another line (comments, blank lines, sections not taken)
//   after a header:
//     value line                 the section's values; back to between sections
//     "*" line                   the section had no values; this line heads the next one
//     anything else              the section had no values (a blank, "/" or "- " line is never
//                                taken for values: writing zeros from it would corrupt the
//                                node); the line is used up, back to between sections
//   end of the file after a header: the section had no values.
class Walker {
 public:
  Walker(LineReader& lines, SettingsFileVisitor& visitor) : lines_(lines), visitor_(visitor) {}

  void Run() {
    std::string line;
    while (lines_.Next(line)) {
      ++number_;
      switch (state_) {
        case State::kBetweenSections:
          BetweenSections(line);
          break;
        case State::kAfterHeader:
          AfterHeader(line);
          break;
      }
    }
    if (state_ == State::kAfterHeader) EndSection(nullptr);
  }

 private:
  enum class State { kBetweenSections, kAfterHeader };

  static bool IsProgramIdLine(std::string_view line) {
    return line.substr(std::min<size_t>(2, line.size())).size() == kProgramIdLength;
  }

  void BetweenSections(const std::string& line) {
    if (!line.empty() && line[0] == '-' && IsProgramIdLine(line)) {
      enabled_ = visitor_.ProgramId(number_, std::string_view(line).substr(2));
    } else if (!line.empty() && line[0] == '*' && enabled_) {
      Header(line);
    } else {
      visitor_.OtherLine(number_, line);
    }
  }

  void AfterHeader(const std::string& line) {
    if (IsValueLine(line)) {
      EndSection(&line);
    } else if (!line.empty() && line[0] == '*') {
      EndSection(nullptr);
      Header(line);
    } else {
      EndSection(nullptr);
      visitor_.OtherLine(number_, line);
    }
  }

  // A header names the section whose values come next. Part numbers count every part section
  // of the file, with or without values.
  void Header(const std::string& line) {
    header_ = line;
    headerLine_ = number_;
    part_ = HeaderName(header_) == kPluginCnfName ? ++partCounter_ : 0;
    state_ = State::kAfterHeader;
  }

  void EndSection(const std::string* values) {
    const int valueLine = values != nullptr ? number_ : 0;
    visitor_.Section({HeaderName(header_), part_, headerLine_, values, valueLine});
    state_ = State::kBetweenSections;
  }

  LineReader& lines_;
  SettingsFileVisitor& visitor_;
  State state_ = State::kBetweenSections;
  bool enabled_ = false;
  std::string header_;
  int headerLine_ = 0;
  int part_ = 0;
  int partCounter_ = 0;
  int number_ = 0;
};

}  // namespace

void WalkSettingsFile(LineReader& lines, SettingsFileVisitor& visitor) {
  Walker(lines, visitor).Run();
}
