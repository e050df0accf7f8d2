// Reading a whole file: one size limit for every reader, and a message that says what went wrong.
#include "framework/file_layer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "framework/headless/headless.h"
#include "tests/settingsfile/temp_folder.h"

using settingsfile_test::TempFolder;

namespace {

// Files whose reading fails after 10 bytes, as a network share's can.
class FailingReadPlatform : public fw::headless::HeadlessPlatform {
 public:
  std::FILE* OpenFile(const std::string&, const char*) override {
    return settingsfile_test::OpenFailingFile(source_);
  }

 private:
  settingsfile_test::FailingSource source_{std::string(100, 'x'), 10};
};

TEST(FileLayer, ReadsAWholeFileUpToTheLimitAndSaysWhyNot) {
  TempFolder folder;
  const std::string path = folder.Write("Kessel.txt", "");
  const struct {
    size_t bytes;  // the file's size, a hole of zeros
    fw::FileReadStatus status;
    std::string error;
  } kCases[] = {
      {0, fw::FileReadStatus::kRead, ""},
      {fw::kMaxFileBytes, fw::FileReadStatus::kRead, ""},
      {fw::kMaxFileBytes + 1, fw::FileReadStatus::kTooLarge, path + ": larger than 16 MB"},
  };
  for (const auto& c : kCases) {
    std::filesystem::resize_file(path, c.bytes);
    const fw::FileRead read = fw::ReadWholeFile(path);
    EXPECT_EQ(read.status, c.status) << c.bytes;
    EXPECT_EQ(read.error, c.error) << c.bytes;
    EXPECT_EQ(read.text, read.Ok() ? std::string(c.bytes, '\0') : "") << c.bytes;
  }
  // A limit of its own, in bytes: the whole file at it, the message one byte below.
  folder.Write("Kessel.txt", "\r\n* Name\r\nBoiler");
  EXPECT_EQ(fw::ReadWholeFile(path, 16).text, "\r\n* Name\r\nBoiler");
  EXPECT_EQ(fw::ReadWholeFile(path, 15).error, path + ": larger than 15 bytes");

  const std::string missing = folder.Path("missing.txt");
  EXPECT_EQ(fw::ReadWholeFile(missing).status, fw::FileReadStatus::kOpenFailed);
  EXPECT_EQ(fw::ReadWholeFile(missing).error,
            "cannot open " + missing + ": No such file or directory");
  const fw::FileRead aFolder = fw::ReadWholeFile(folder.Folder());
  EXPECT_EQ(aFolder.status, fw::FileReadStatus::kReadFailed);
  EXPECT_EQ(aFolder.error, "cannot read " + folder.Folder() + ": Is a directory");
  FailingReadPlatform failing;
  const fw::FileRead broken = fw::ReadWholeFile(path);
  EXPECT_EQ(broken.status, fw::FileReadStatus::kReadFailed);
  EXPECT_EQ(broken.text, "");
}

}  // namespace
