// libFuzzer target for the download reader. Any text goes in; besides the sanitizers it checks
// that every value written came from a value line directly after the header of its own NV, that
// the bytes are that line's, and that no part number above 12 is ever selected.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "settingsfile/settings_download.h"
#include "settingsfile/value_lines.h"
#include "tests/fuzz/fuzz_platform.h"

namespace {

// Hands the reader the lines and remembers every line handed out.
class WatchedLines : public LineReader {
 public:
  explicit WatchedLines(std::string text) : inner_(std::move(text)) {}
  bool Next(std::string& line) override {
    if (!inner_.Next(line)) return false;
    seen.push_back(line);
    return true;
  }
  std::vector<std::string> seen;

 protected:
  int Get() override { return EOF; }

 private:
  TextLineReader inner_;
};

// Lines of the header block and section headers: empty, "*", "/", or "-" not starting a number.
bool IsHeaderLike(const std::string& line) {
  if (line.empty() || line[0] == '*' || line[0] == '/') return true;
  const bool number = line.size() > 1 && ((line[1] >= '0' && line[1] <= '9') || line[1] == '.');
  return line[0] == '-' && !number;
}

std::string NameOf(const std::string& header) {
  const size_t space = header.size() > 3 ? header.find(' ', 3) : std::string::npos;
  return space == std::string::npos ? std::string() : header.substr(2, space - 2);
}

template <class Record>
std::vector<uint8_t> Bytes(const Record& r) {
  return {r.begin(), r.end()};
}

// Checks each write against the lines the reader has been given so far.
class CheckingNode : public FuzzNode {
 public:
  explicit CheckingNode(const WatchedLines& lines) : lines_(lines) {}

  void WriteValue(int32_t index, const uint8_t* buffer, int32_t length) override {
    static const char* const kNames[] = {"nciTemp1PlugIn",
                                         "nciTemp2PlugIn",
                                         "nciSwitchExt1",
                                         "nciSwitchExt2",
                                         "nciCalcValve1",
                                         "nciCalcValve2",
                                         "",
                                         "nviPluginCnf"};
    const std::vector<std::string>& seen = lines_.seen;
    if (seen.size() < 2) Fail("value written before two lines were read", "");
    const std::string& values = seen[seen.size() - 1];
    const std::string& header = seen[seen.size() - 2];
    if (header.empty() || header[0] != '*') Fail("value line not directly after a header", header);
    if (IsHeaderLike(values)) Fail("value taken from a header line", values);
    if (index < 39 || index > 46 || NameOf(header) != kNames[index - 39]) {
      Fail("written to another NV", header);
    }
    if (index == kIndexPluginCnf && (selected < 1 || selected > kPartCount)) {
      Fail("part written without a part selected", std::to_string(selected));
    }
    const std::vector<uint8_t> expected =
        index == 41 || index == 42   ? Bytes(ParseCountRecord(values))
        : index == 43 || index == 44 ? Bytes(ParseTimePassedRecord(values))
                                     : Bytes(ParseStrIntRecord(values));
    if (static_cast<size_t>(length) != expected.size() ||
        !std::equal(expected.begin(), expected.end(), buffer)) {
      Fail("bytes differ from the value line", values);
    }
  }

 private:
  const WatchedLines& lines_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzPlatform platform;
  fw::ScopedPlatform installed(platform);
  WatchedLines lines(std::string(reinterpret_cast<const char*>(data), size));
  CheckingNode node(lines);
  node.failEvery = static_cast<int>(size % 5);
  int questions = 0;
  const DownloadResult result =
      DownloadSettings(lines, NodeIo(&node, &node), [&] { return (++questions + size) % 2 == 0; });
  if (result.writeErrors < 0) Fail("negative error count", "");
  return 0;
}
