// libFuzzer target for the download reader. Any text goes in; besides the sanitizers it checks
// that every value written came from a value line directly after the header of its own NV, that
// the bytes are that line's, and that no part number above 12 is ever selected.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "framework/platform.h"
#include "tests/fuzz/fuzz_platform.h"
#include "nvdata/config_part.h"
#include "settingsfile/settings_download.h"
#include "settingsfile/value_lines.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "download check failed: %s [%s]\n", what, detail.c_str());
  std::abort();
}

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

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Lines of the header block and section headers: empty, "*", "/", or "-" not starting a number.
bool IsHeaderLike(const std::string& line) {
  if (line.empty() || line[0] == '*' || line[0] == '/') return true;
  return line[0] == '-' && !(line.size() > 1 && (IsDigit(line[1]) || line[1] == '.'));
}

std::string NameOf(const std::string& header) {
  const size_t space = header.size() > 3 ? header.find(' ', 3) : std::string::npos;
  return space == std::string::npos ? std::string() : header.substr(2, space - 2);
}

std::string ExpectedName(int32_t index) {
  switch (index) {
    case 39:
      return "nciTemp1PlugIn";
    case 40:
      return "nciTemp2PlugIn";
    case 41:
      return "nciSwitchExt1";
    case 42:
      return "nciSwitchExt2";
    case 43:
      return "nciCalcValve1";
    case 44:
      return "nciCalcValve2";
    case 46:
      return "nviPluginCnf";
    default:
      return std::string();
  }
}

std::vector<uint8_t> Expected(int32_t index, const std::string& line) {
  if (index == 41 || index == 42) {
    const CountRecord r = ParseCountRecord(line);
    return {r.begin(), r.end()};
  }
  if (index == 43 || index == 44) {
    const TimePassedRecord r = ParseTimePassedRecord(line);
    return {r.begin(), r.end()};
  }
  const StrIntRecord r = ParseStrIntRecord(line);
  return {r.begin(), r.end()};
}

// A node that checks each write against the lines the reader has been given so far.
class CheckingNode : public INodeAccess2 {
 public:
  CheckingNode(const WatchedLines& lines, int failEvery) : lines_(lines), failEvery_(failEvery) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE Reserved3() override { return 0; }
  HRESULT STDMETHODCALLTYPE Reserved4() override { return 0; }
  HRESULT STDMETHODCALLTYPE Reserved5() override { return 0; }
  HRESULT STDMETHODCALLTYPE Reserved6() override { return 0; }
  int32_t STDMETHODCALLTYPE GetNodeName(uint8_t*, int32_t) override { return 1; }

  int32_t STDMETHODCALLTYPE ReadNv(int32_t index, uint8_t* buffer, int32_t capacity) override {
    if (index != kIndexPartSelector || capacity < 2) return 1;
    buffer[0] = static_cast<uint8_t>(selected_ >> 8);
    buffer[1] = static_cast<uint8_t>(selected_ & 0xFF);
    return 0;
  }

  int32_t STDMETHODCALLTYPE WriteNv(int32_t index, uint8_t* buffer, int32_t length) override {
    const bool fail = failEvery_ > 0 && ++writes_ % failEvery_ == 0;
    if (index == kIndexPartSelector) {
      if (length != 2) Fail("selector write of another length", std::to_string(length));
      const int part = buffer[0] * 256 + buffer[1];
      if (part > kPartCount) Fail("part above 12 selected", std::to_string(part));
      if (!fail) selected_ = part;
      return fail ? 1 : 0;
    }
    const std::vector<std::string>& seen = lines_.seen;
    if (seen.size() < 2) Fail("value written before two lines were read", "");
    const std::string& values = seen[seen.size() - 1];
    const std::string& header = seen[seen.size() - 2];
    if (header.empty() || header[0] != '*') Fail("value line not directly after a header", header);
    if (IsHeaderLike(values)) Fail("value taken from a header line", values);
    if (NameOf(header) != ExpectedName(index)) Fail("written to another NV", header);
    if (index == kIndexPluginCnf && (selected_ < 1 || selected_ > kPartCount)) {
      Fail("part written without a part selected", std::to_string(selected_));
    }
    const std::vector<uint8_t> expected = Expected(index, values);
    if (static_cast<size_t>(length) != expected.size() ||
        !std::equal(expected.begin(), expected.end(), buffer)) {
      Fail("bytes differ from the value line", values);
    }
    return fail ? 1 : 0;
  }

 private:
  const WatchedLines& lines_;
  int failEvery_;
  int writes_ = 0;
  int selected_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzPlatform platform;
  fw::ScopedPlatform installed(platform);

  WatchedLines lines(std::string(reinterpret_cast<const char*>(data), size));
  CheckingNode node(lines, static_cast<int>(size % 5));
  int questions = 0;
  const DownloadResult result =
      DownloadSettings(lines, NodeIo(&node, &node), [&] { return (++questions + size) % 2 == 0; });
  if (result.writeErrors < 0) Fail("negative error count", "");
  return 0;
}
