// Reading a whole file: one size limit for every reader, and a message that says what went wrong.
#include "framework/file_layer.h"

#include <gtest/gtest.h>

#include "framework/headless/headless.h"
#include "tests/settingsfile/temp_folder.h"

namespace {

// Files whose reading fails after 10 bytes, as a network share's can.
class FailingReadPlatform : public fw::headless::HeadlessPlatform {
 public:
  std::FILE* OpenFile(const std::string&, const char*) override {
    return settingsfile_test::OpenFailingFile(source_);
  }
  settingsfile_test::FailingSource source_{std::string(100, 'x'), 10};
};

TEST(FileLayer, ReadsAWholeFileUpToTheLimitAndSaysWhyNot) {
  settingsfile_test::TempFolder folder;
  const std::string path = folder.Write("Kessel.txt", "");
  const struct {
    size_t bytes;  // the file's size, a hole of zeros
    size_t limit;
    std::string error;
  } kCases[] = {
      {0, fw::kMaxFileBytes, ""},
      {fw::kMaxFileBytes, fw::kMaxFileBytes, ""},
      {fw::kMaxFileBytes + 1, fw::kMaxFileBytes, path + ": larger than 16 MB"},
      {16, 16, ""},
      {16, 15, path + ": larger than 15 bytes"},
  };
  for (const auto& c : kCases) {
    std::filesystem::resize_file(path, c.bytes);
    const fw::FileRead read = fw::ReadWholeFile(path, c.limit);
    EXPECT_EQ(read.status,
              c.error.empty() ? fw::FileReadStatus::kRead : fw::FileReadStatus::kTooLarge);
    EXPECT_EQ(read.error, c.error) << c.bytes;
    EXPECT_EQ(read.text, c.error.empty() ? std::string(c.bytes, '\0') : "") << c.bytes;
  }
  FailingReadPlatform failing;
  const fw::FileRead broken = fw::ReadWholeFile(path);
  EXPECT_EQ(broken.status, fw::FileReadStatus::kReadFailed);
  EXPECT_EQ(broken.error.rfind("cannot read " + path, 0), 0u) << broken.error;
  EXPECT_EQ(broken.text, "");
}

}  // namespace
