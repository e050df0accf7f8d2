#include "settingsfile/settings_download.h"

#include <string>

#include "framework/platform.h"
#include "nvdata/config_part.h"
#include "settingsfile/nv_set.h"
#include "settingsfile/progress.h"
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

// The reader is a state machine over the file's lines, one rule a line:
//   between sections:
//     "-" line          a program ID line enables downloading (or asks); name and time lines
//                       (any other length) change nothing
//     "*" line          while downloading is enabled, a section header: expect its values
//     anything else     ignored (comments, blank lines, values of a section not downloaded)
//   after a header:
//     value line        written to the section's NV or part; back to between sections
//     "*" line          the section had no values; this line heads the next one
//     anything else     the section had no values (a blank, "/" or "- " line is never taken
//                       for values: writing zeros from it would corrupt the node); the line
//                       is used up and the reader is between sections again
class Downloader {
 public:
  Downloader(LineReader& lines, const NodeIo& node, const std::function<bool()>& ask)
      : lines_(lines), node_(node), ask_(ask) {}

  DownloadResult Run() {
    std::string line;
    while (lines_.Next(line)) {
      switch (state_) {
        case State::kBetweenSections:
          BetweenSections(line);
          break;
        case State::kAfterHeader:
          AfterHeader(line);
          break;
      }
    }
    return result_;
  }

 private:
  enum class State { kBetweenSections, kAfterHeader };

  void BetweenSections(const std::string& line) {
    if (!line.empty() && line[0] == '-') {
      ProgramIdLine(line);
    } else if (!line.empty() && line[0] == '*' && result_.enabled) {
      Header(line);
    }
  }

  void AfterHeader(const std::string& line) {
    if (IsValueLine(line)) {
      WriteSection(line);
      state_ = State::kBetweenSections;
    } else if (!line.empty() && line[0] == '*') {
      Header(line);
    } else {
      state_ = State::kBetweenSections;
    }
  }

  void ProgramIdLine(const std::string& line) {
    const std::string_view id = std::string_view(line).substr(std::min<size_t>(2, line.size()));
    if (id.size() != kProgramIdLength) return;  // the node name and timestamp lines
    result_.enabled = id == kProgramIdText || (ask_ && ask_());
  }

  // A header names the section whose values come next. Part numbers count every part section
  // of the file, with or without values.
  void Header(const std::string& line) {
    sectionName_ = std::string(HeaderName(line));
    sectionPart_ = sectionName_ == kPluginCnfName ? ++partCounter_ : 0;
    state_ = State::kAfterHeader;
  }

  void WriteSection(const std::string& values) {
    if (sectionPart_ != 0) {
      WritePart(sectionPart_, values);
    } else if (const SingleNv* nv = FindSingleNv(sectionName_)) {
      ReportProgress(nv->name, "writing");
      Count(WriteSingleNv(node_, *nv, values));
    }
  }

  void WritePart(int part, const std::string& values) {
    if (part > kPartCount) return;  // the node has twelve parts: a thirteenth section is skipped
    bool selected = true;
    ReportPartProgress(part, "selecting");
    if (GetConfigPart(node_) != part) selected = Count(SelectConfigPart(node_, part));
    // A part that could not be selected is not written: it would land in another part.
    if (selected) {
      fw::Platform::Sleep(kFilePartPauseMs);
      ReportPartProgress(part, "writing");
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
  State state_ = State::kBetweenSections;
  std::string sectionName_;
  int sectionPart_ = 0;
  int partCounter_ = 0;
};

}  // namespace

DownloadResult DownloadSettings(LineReader& lines, const NodeIo& node,
                                const std::function<bool()>& askDownloadAnyway) {
  return Downloader(lines, node, askDownloadAnyway).Run();
}
