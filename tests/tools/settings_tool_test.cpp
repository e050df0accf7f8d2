#include "tools/settings_tool.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "settingsfile/settings_download.h"
#include "settingsfile/settings_reader.h"
#include "sim/simulated_node.h"
#include "tests/support/fixture.h"

namespace {

namespace fs = std::filesystem;

// The tool runs from the source folder, so that the file names in its output are the same
// relative paths on every machine (and under Wine). HD7_3_UPDATE_GOLDEN=1 rewrites the goldens.
struct GoldenCase {
  std::vector<std::string> args;
  int exitCode;
  const char* golden;
};

const GoldenCase kCases[] = {
    {{"show", "tests/tools/files/factory.txt"}, 0, "show_factory.txt"},
    {{"show", "--raw", "tests/tools/files/service.txt"}, 0, "show_raw_service.txt"},
    {{"--json", "show", "tests/tools/files/factory.txt"}, 0, "show_json_factory.txt"},
    {{"diff", "tests/tools/files/factory.txt", "tests/tools/files/service.txt"},
     1,
     "diff_factory_service.txt"},
    {{"diff", "tests/tools/files/factory.txt", "tests/tools/files/factory_lf.txt"},
     0,
     "diff_factory_same.txt"},
    {{"diff", "--json", "tests/tools/files/factory.txt", "tests/tools/files/service.txt"},
     1,
     "diff_json_factory_service.txt"},
    {{"diff", "tests/tools/files/wrong_id.txt", "tests/tools/files/truncated.txt"},
     2,
     "diff_unreadable.txt"},
    {{"check", "tests/tools/files/factory.txt"}, 0, "check_factory.txt"},
    {{"check", "tests/tools/files/faults.txt"}, 1, "check_faults.txt"},
    {{"check", "--json", "tests/tools/files/faults.txt"}, 1, "check_json_faults.txt"},
    {{"check", "tests/tools/files/wrong_id.txt"}, 1, "check_wrong_id.txt"},
    {{"check", "tests/tools/files/truncated.txt"}, 1, "check_truncated.txt"},
    {{"show", "tests/tools/files/no_such_file.txt"}, 2, "show_missing_file.txt"},
    {{"show", "tests/tools/files/factory.txt", "tests/tools/files/service.txt"},
     2,
     "show_two_files.txt"},
    {{"--help"}, 0, "help.txt"},
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class SettingsToolGolden : public ::testing::TestWithParam<GoldenCase> {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    fs::current_path(HD7_3_SOURCE_DIR);
  }
  void TearDown() override { fs::current_path(previous_); }

 private:
  fs::path previous_;
};

// Standard output, then standard error, byte for byte.
TEST_P(SettingsToolGolden, OutputIsTheGoldenFile) {
  const GoldenCase& c = GetParam();
  std::ostringstream out, err;
  const int code = RunSettingsTool(c.args, out, err);
  const std::string text = out.str() + err.str();
  const fs::path golden = fs::path("tests/tools/golden") / c.golden;
  if (std::getenv("HD7_3_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(golden, std::ios::binary) << text;
  }
  EXPECT_EQ(code, c.exitCode);
  EXPECT_EQ(text, ReadAll(golden)) << golden;
  // Errors go to standard error alone, results to standard output alone.
  EXPECT_EQ(err.str().empty(), c.exitCode != 2 || c.args[0] == "--help");
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsToolGolden, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                           std::string name = info.param.golden;
                           name = name.substr(0, name.find('.'));
                           return name;
                         });

// The tool reads each file as a download would: the bytes it shows for every record are the
// bytes a download writes there (the engineer answering Yes to a foreign program ID).
TEST(SettingsToolReader, RecordsAreWhatADownloadWrites) {
  for (const char* file : {"factory.txt", "service.txt", "faults.txt", "wrong_id.txt",
                           "truncated.txt", "factory_lf.txt"}) {
    const std::string text = ReadAll(fs::path(HD7_3_SOURCE_DIR) / "tests/tools/files" / file);
    TextLineReader forTool(text);
    const SettingsFileContent content = ReadSettingsFile(forTool);

    testing_support::NodeFixture f;
    for (int part = 1; part <= 12; ++part) f.node.SetPart(part, std::vector<uint8_t>(31, 0xEE));
    for (int index = 39; index <= 44; ++index) {
      f.node.SetBytes(index, std::vector<uint8_t>(sim::SimulatedNode::SizeOf(index), 0xEE));
    }
    TextLineReader forDownload(text);
    DownloadSettings(forDownload, NodeIo(&f.node, &f.node), [] { return true; });

    for (int r = 0; r < kFileRecords; ++r) {
      const FileRecord& record = content.records[static_cast<size_t>(r)];
      const std::vector<uint8_t> node = r < 6 ? f.node.Bytes(39 + r) : f.node.Part(r - 5);
      if (record.hasValues) {
        EXPECT_EQ(record.bytes, node) << file << " " << RecordName(r);
      } else {
        EXPECT_EQ(node, std::vector<uint8_t>(node.size(), 0xEE)) << file << " " << RecordName(r);
      }
    }
  }
}

}  // namespace
