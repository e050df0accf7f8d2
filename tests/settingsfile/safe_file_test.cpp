// A file is written whole or not at all: an old file is only ever replaced by a complete new
// one beside it, and whatever cannot be done leaves the folder as it was. (A read-only file or
// folder, a missing folder and a full disk are met through the tool's ReportOutput.)
#include "settingsfile/safe_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "framework/headless/headless.h"
#include "tests/settingsfile/temp_folder.h"

using settingsfile_test::TempFolder;

namespace {

using Names = std::vector<std::string>;
const std::string kOld = "old settings\r\n";
const std::string kNew = std::string(3000, 'n') + "\r\n";

// A file system that cannot tell whether, or what, a path is (a stat error).
struct UnsurePlatform : fw::headless::HeadlessPlatform {
  std::optional<bool> PathExists(const std::string&) override { return std::nullopt; }
  std::optional<fw::PathKind> KindOf(const std::string&) override { return std::nullopt; }
};

TEST(SafeFile, ReplacesWholeAndNeverOverAFileOfItsTempName) {
  fw::headless::HeadlessPlatform platform;
  TempFolder folder;
  const std::string path = folder.Path("node.txt"), fresh = folder.Path("new.txt");
  EXPECT_EQ(WriteFileSafely(path, kNew), FileWriteOutcome::kWritten);
  EXPECT_EQ(WriteFileSafely(path, kOld), FileWriteOutcome::kWritten);
  folder.Write("node.txt~1.tmp", "someone's");
  EXPECT_EQ(WriteFileSafely(path, kOld), FileWriteOutcome::kWritten);
  EXPECT_EQ(TempFolder::Read(path) + TempFolder::Read(path + "~1.tmp"), kOld + "someone's");
  EXPECT_EQ(folder.Names(), (Names{"node.txt", "node.txt~1.tmp"}));

  // Every name beside the target taken: an old file is left as it was; a new one is written in
  // place, and removed again when it cannot be completed.
  for (int n = 1; n <= 100; ++n) folder.Write("node.txt~" + std::to_string(n) + ".tmp", "x");
  for (int n = 1; n <= 100; ++n) folder.Write("new.txt~" + std::to_string(n) + ".tmp", "x");
  EXPECT_EQ(WriteFileSafely(path, kNew), FileWriteOutcome::kOpenFailed);
  EXPECT_EQ(TempFolder::Read(path), kOld);
  EXPECT_TRUE(settingsfile_test::RunConfined(
      [&] { EXPECT_EQ(WriteFileSafely(fresh, kNew), FileWriteOutcome::kWriteFailed); }, 100));
  EXPECT_FALSE(std::filesystem::exists(fresh));
  EXPECT_EQ(WriteFileSafely(fresh, kNew), FileWriteOutcome::kWritten);
  EXPECT_EQ(TempFolder::Read(fresh), kNew);
}

// Only a regular file is replaced. Whatever else stands at the path (a folder, a pipe, a link,
// which a rename would turn into a plain file) or cannot be told is left exactly as it was.
TEST(SafeFile, WhatIsNoRegularFileIsLeftAsItIs) {
  TempFolder folder;
  const std::string old = folder.Write("node.txt", kOld);
  std::filesystem::create_directory(folder.Path("folder"));
  ASSERT_EQ(::mkfifo(folder.Path("pipe").c_str(), 0666), 0);
  std::filesystem::create_symlink(old, folder.Path("link.txt"));
  std::filesystem::create_symlink(folder.Path("gone.txt"), folder.Path("dangling.txt"));
  const std::pair<const char*, bool> kTargets[] = {// the name; whether it cannot be told
                                                   {"folder", false},   {"pipe", false},
                                                   {"link.txt", false}, {"dangling.txt", false},
                                                   {"node.txt", true},  {"new.txt", true}};
  for (const auto& [name, unsure] : kTargets) {
    const std::string path = folder.Path(name);
    const auto before = std::filesystem::symlink_status(path).type();
    std::unique_ptr<fw::PlatformImpl> platform(unsure ? new UnsurePlatform
                                                      : new fw::headless::HeadlessPlatform);
    EXPECT_EQ(WriteFileSafely(path, kNew), FileWriteOutcome::kOpenFailed) << name;
    EXPECT_EQ(std::filesystem::symlink_status(path).type(), before) << name;
  }
  EXPECT_EQ(TempFolder::Read(old), kOld);
  EXPECT_EQ(folder.Names(), (Names{"dangling.txt", "folder", "link.txt", "node.txt", "pipe"}));
}

}  // namespace
