#include "settingsfile/settings_download.h"

#include <optional>
#include <string>

#include "framework/platform.h"
#include "nvdata/config_part.h"
#include "settingsfile/nv_set.h"
#include "settingsfile/settings_export.h"
#include "settingsfile/value_lines.h"

namespace {

constexpr size_t kProgramIdLength = 23;

// The NV name of a header line: from its third character up to the first space at position 3
// or later; empty when there is no such space.
std::string_view HeaderName(std::string_view line) {
  if (line.size() < 4) return std::string_view();
  const size_t space = line.find(' ', 3);
  if (space == std::string_view::npos) return std::string_view();
  return line.substr(2, space - 2);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Only a line that can hold values is taken as one: a header ("*"), a program ID, name or
// timestamp line ("- "), a comment ("/") or an empty line after a header means the section has
// no values. A line that starts with a negative number ("-4, 0, 0, 0") is a value line.
bool IsValueLine(std::string_view line) {
  if (line.empty() || line[0] == '*' || line[0] == '/') return false;
  if (line[0] != '-') return true;
  return line.size() > 1 && (IsDigit(line[1]) || line[1] == '.');
}

class Downloader {
 public:
  Downloader(LineReader& lines, const NodeIo& node, const std::function<bool()>& ask)
      : lines_(lines), node_(node), ask_(ask) {}

  DownloadResult Run() {
    std::string line;
    bool more = lines_.Next(line);
    while (more) {
      if (!line.empty() && line[0] == '-') {
        ProgramIdLine(line);
      } else if (!line.empty() && line[0] == '*' && result_.enabled) {
        // A header met where the values should be is the next section's header.
        if (Section(line)) continue;
      }
      more = lines_.Next(line);
    }
    if (lines_.Failed()) {
      result_.readFailed = true;
      result_.enabled = false;
    }
    return result_;
  }

 private:
  void ProgramIdLine(const std::string& line) {
    const std::string_view id = std::string_view(line).substr(std::min<size_t>(2, line.size()));
    if (id.size() != kProgramIdLength) return;  // the node name and timestamp lines
    result_.enabled = id == kProgramIdText || (ask_ && ask_());
  }

  // Handles the section that `line` heads. Returns true when the line after the header is to
  // be handled next (it was a header itself); `line` then holds it.
  bool Section(std::string& line) {
    const std::string name(HeaderName(line));
    const bool isPart = name == kPluginCnfName;
    // Part numbers count every part section, with or without values.
    const int part = isPart ? ++partCounter_ : 0;

    std::string values;
    const bool haveLine = lines_.Next(values);
    if (!haveLine || !IsValueLine(values)) {
      if (haveLine && !values.empty() && values[0] == '*') {
        line = std::move(values);
        return true;
      }
      return false;
    }

    if (isPart) {
      WritePart(part, values);
    } else if (const SingleNv* nv = FindSingleNv(name)) {
      Count(WriteSingleNv(node_, *nv, values));
    }
    return false;
  }

  void WritePart(int part, const std::string& values) {
    if (part > kPartCount) return;  // the node has twelve parts: a thirteenth section is skipped
    bool selected = true;
    if (GetConfigPart(node_) != part) selected = Count(SelectConfigPart(node_, part));
    // A part that could not be selected is not written: it would land in another part.
    if (selected) {
      fw::Platform::Sleep(kFilePartPauseMs);
      Count(node_.Write(kIndexPluginCnf, ParseStrIntRecord(values).data(), kStrIntBytes));
    }
    Count(SelectConfigPart(node_, 0));
  }

  bool Count(const WriteResult& result) {
    if (!result.Ok()) ++result_.writeErrors;
    return result.Ok();
  }

  LineReader& lines_;
  const NodeIo& node_;
  const std::function<bool()>& ask_;
  DownloadResult result_;
  int partCounter_ = 0;
};

}  // namespace

DownloadResult DownloadSettings(LineReader& lines, const NodeIo& node,
                                const std::function<bool()>& askDownloadAnyway) {
  return Downloader(lines, node, askDownloadAnyway).Run();
}
