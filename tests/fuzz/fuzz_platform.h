// What the fuzz targets install and talk to: a platform whose pauses cost nothing, and a node
// that keeps the part selector (never above part 12) and checks every value written against the
// lines the reader has handed out: from a value line directly after the header of its own NV,
// with that line's bytes. It keeps the last bytes written to each of the file's 18 records.
#pragma once

#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "framework/file_layer.h"
#include "framework/platform.h"
#include "nvdata/config_part.h"
#include "settingsfile/line_reader.h"
#include "settingsfile/settings_dictionary.h"
#include "settingsfile/nv_set.h"

class FuzzPlatform : public fw::PlatformImpl {
 public:
  void Sleep(uint32_t) override {}
  uint64_t TickCount() override { return 0; }
  fw::LocalTime Now() override { return {}; }
  int ShowMessageBox(const fw::MessageBoxRequest&) override { return fw::kIdOk; }
  std::optional<std::string> FileDialog(const fw::FileDialogRequest&) override {
    return std::nullopt;
  }
  int RunModal(fw::CPropertySheet&) override { return fw::kIdOk; }
};

[[noreturn]] inline void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "fuzz check failed: %s [%s]\n", what, detail.c_str());
  std::abort();
}

// Hands the reader the lines and remembers every line handed out.
class WatchedLines : public TextLineReader {
 public:
  using TextLineReader::TextLineReader;
  bool Next(std::string& line) override {
    if (!TextLineReader::Next(line)) return false;
    seen.push_back(line);
    return true;
  }
  std::vector<std::string> seen;
};

// Lines of the header block and section headers: empty, "*", "/", or "-" not starting a number.
inline bool IsHeaderLike(const std::string& line) {
  if (line.empty() || line[0] == '*' || line[0] == '/') return true;
  const bool number = line.size() > 1 && ((line[1] >= '0' && line[1] <= '9') || line[1] == '.');
  return line[0] == '-' && !number;
}

class CheckingNode : public INodeAccess2 {
 public:
  explicit CheckingNode(const WatchedLines& lines) : lines_(lines) {}

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
    const bool refuse = failEvery > 0 && ++writes_ % failEvery == 0;
    if (index == kIndexPartSelector) {
      if (length != 2) Fail("selector write of another length", std::to_string(length));
      const int part = buffer[0] * 256 + buffer[1];
      if (part > kPartCount) Fail("part above 12 selected", std::to_string(part));
      if (!refuse) selected_ = part;
    } else {
      CheckValue(index, buffer, length);
      const int record = index == kIndexPluginCnf ? RecordOfPart(selected_) : index - 39;
      if (!refuse) written[static_cast<size_t>(record)].assign(buffer, buffer + length);
    }
    return refuse ? 1 : 0;
  }

  int failEvery = 0;  // every n-th write is refused (0: none)
  std::array<std::vector<uint8_t>, kFileRecords> written;

 private:
  void CheckValue(int32_t index, const uint8_t* buffer, int32_t length) const {
    static const char* const kNames[] = {"nciTemp1PlugIn",
                                         "nciTemp2PlugIn",
                                         "nciSwitchExt1",
                                         "nciSwitchExt2",
                                         "nciCalcValve1",
                                         "nciCalcValve2",
                                         "-",
                                         "nviPluginCnf"};
    const std::vector<std::string>& seen = lines_.seen;
    if (seen.size() < 2) Fail("value written before two lines were read", "");
    const std::string& values = seen[seen.size() - 1];
    const std::string& header = seen[seen.size() - 2];
    if (header.empty() || header[0] != '*') Fail("value line not directly after a header", header);
    if (IsHeaderLike(values)) Fail("value taken from a header line", values);
    const size_t space = header.size() > 3 ? header.find(' ', 3) : std::string::npos;
    const std::string name = space == std::string::npos ? "" : header.substr(2, space - 2);
    if (index < 39 || index > 46 || name != kNames[index - 39]) {
      Fail("written to another NV", header);
    }
    if (index == kIndexPluginCnf && (selected_ < 1 || selected_ > kPartCount)) {
      Fail("part written without a part selected", std::to_string(selected_));
    }
    const std::vector<uint8_t> expected =
        ParseValueLine(index == 41 || index == 42   ? RecordKind::kCount
                       : index == 43 || index == 44 ? RecordKind::kTimePassed
                                                    : RecordKind::kStrInt,
                       values);
    if (length < 0 || std::vector<uint8_t>(buffer, buffer + length) != expected) {
      Fail("bytes differ from the value line", values);
    }
  }

  const WatchedLines& lines_;
  int writes_ = 0;
  int selected_ = 0;
};

// A complete NodeSettings file to compare against: the factory sample of the tool's tests.
inline const std::string& WholeFile() {
  static const fw::FileRead file =
      fw::ReadWholeFile(HD7_3_SOURCE_DIR "/tests/tools/files/factory.txt");
  if (!file.Ok() || file.text.empty()) Fail("no factory sample", file.error);
  return file.text;
}
