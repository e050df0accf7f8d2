#include "settingsfile/settings_sections.h"

#include <algorithm>

#include "settingsfile/nv_set.h"

namespace {

constexpr size_t kProgramIdLength = 23;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

class Walker {
 public:
  Walker(LineReader& lines, SettingsFileVisitor& visitor) : lines_(lines), visitor_(visitor) {}

  void Run() {
    std::string line;
    bool more = Next(line);
    while (more) {
      const int number = number_;
      if (!line.empty() && line[0] == '-' && IsProgramIdLine(line)) {
        enabled_ = visitor_.ProgramId(number, std::string_view(line).substr(2));
      } else if (!line.empty() && line[0] == '*' && enabled_) {
        // A header met where the values should be is the next section's header.
        if (Section(line)) continue;
      } else {
        visitor_.OtherLine(number, line);
      }
      more = Next(line);
    }
  }

 private:
  static bool IsProgramIdLine(std::string_view line) {
    return line.substr(std::min<size_t>(2, line.size())).size() == kProgramIdLength;
  }

  bool Next(std::string& line) {
    if (!lines_.Next(line)) return false;
    ++number_;
    return true;
  }

  // Handles the section that `line` heads. Returns true when the line after the header is to
  // be handled next (it was a header itself); `line` then holds it.
  bool Section(std::string& line) {
    FileSection section;
    section.name = HeaderName(line);
    section.headerLine = number_;
    // Part numbers count every part section, with or without values.
    if (section.name == kPluginCnfName) section.part = ++partCounter_;

    std::string values;
    const bool haveLine = Next(values);
    if (haveLine && IsValueLine(values)) {
      section.values = &values;
      section.valueLine = number_;
    }
    visitor_.Section(section);
    if (!haveLine || section.values != nullptr) return false;
    if (!values.empty() && values[0] == '*') {
      line = std::move(values);
      return true;
    }
    visitor_.OtherLine(number_, values);
    return false;
  }

  LineReader& lines_;
  SettingsFileVisitor& visitor_;
  bool enabled_ = false;
  int partCounter_ = 0;
  int number_ = 0;
};

}  // namespace

std::string_view HeaderName(std::string_view line) {
  if (line.size() < 4) return std::string_view();
  const size_t space = line.find(' ', 3);
  if (space == std::string_view::npos) return std::string_view();
  return line.substr(2, space - 2);
}

bool IsValueLine(std::string_view line) {
  if (line.empty() || line[0] == '*' || line[0] == '/') return false;
  if (line[0] != '-') return true;
  return line.size() > 1 && (IsDigit(line[1]) || line[1] == '.');
}

void WalkSettingsFile(LineReader& lines, SettingsFileVisitor& visitor) {
  Walker(lines, visitor).Run();
}
