// A file is written whole or not at all: an old file is only ever replaced by a complete new
// one beside it, and whatever cannot be done leaves the folder as it was.
#include "settingsfile/safe_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "framework/headless/headless.h"
#include "tests/settingsfile/temp_folder.h"

using settingsfile_test::kReadOnly;
using settingsfile_test::RunConfined;
using settingsfile_test::TempFolder;

namespace {

using Names = std::vector<std::string>;
const std::string kOld = "old settings\r\n";
const std::string kNew = std::string(3000, 'n') + "\r\n";

// A file system that cannot tell whether, or what, a path is (a stat error).
class UnsurePlatform : public fw::headless::HeadlessPlatform {
 public:
  explicit UnsurePlatform(bool unsure = true) : unsure_(unsure) {}
  std::optional<bool> PathExists(const std::string& path) override {
    return unsure_ ? std::nullopt : HeadlessPlatform::PathExists(path);
  }
  std::optional<fw::PathKind> KindOf(const std::string& path) override {
    return unsure_ ? std::nullopt : HeadlessPlatform::KindOf(path);
  }

 private:
  bool unsure_;
};

TEST(SafeFile, WritesANewFileAndReplacesAnOldOneWholeWithoutLeftovers) {
  fw::headless::HeadlessPlatform platform;
  TempFolder folder;
  const std::string path = folder.Path("node.txt");
  EXPECT_EQ(WriteFileSafely(path, kNew), FileWriteOutcome::kWritten);
  EXPECT_EQ(TempFolder::Read(path), kNew);
  EXPECT_EQ(WriteFileSafely(path, "short"), FileWriteOutcome::kWritten);
  EXPECT_EQ(TempFolder::Read(path), "short");
  EXPECT_EQ(folder.Names(), Names{"node.txt"});
  // A file that happens to carry the name of a new file is never touched.
  folder.Write("node.txt~1.tmp", "someone's");
  EXPECT_EQ(WriteFileSafely(path, kNew), FileWriteOutcome::kWritten);
  EXPECT_EQ(TempFolder::Read(folder.Path("node.txt~1.tmp")), "someone's");
  EXPECT_EQ(TempFolder::Read(path), kNew);
  EXPECT_EQ(folder.Names(), (Names{"node.txt", "node.txt~1.tmp"}));
}

TEST(SafeFile, WhatCannotBeDoneLeavesTheOldFileAsItWas) {
  TempFolder folder;
  const std::string path = folder.Write("node.txt", kOld);
  const auto expectOld = [&](const char* what) {
    EXPECT_EQ(TempFolder::Read(path), kOld) << what;
    EXPECT_EQ(folder.Names(), Names{"node.txt"}) << what;
  };
  // A read-only target fails the read-and-write probe; a read-only folder takes no new file
  // beside an existing one, and the existing one is never written in place.
  for (bool folderReadOnly : {false, true}) {
    folder.Write("node.txt", kOld, folderReadOnly ? std::filesystem::perms::all : kReadOnly);
    folder.SetReadOnly(folderReadOnly);
    EXPECT_TRUE(RunConfined([&] {
      fw::headless::HeadlessPlatform platform;
      EXPECT_EQ(WriteFileSafely(path, kNew), FileWriteOutcome::kOpenFailed);
      if (folderReadOnly) {
        EXPECT_EQ(WriteFileSafely(folder.Path("new.txt"), kNew), FileWriteOutcome::kOpenFailed);
      }
    }));
    folder.SetReadOnly(false);
    expectOld(folderReadOnly ? "read-only folder" : "read-only file");
  }
  fw::headless::HeadlessPlatform platform;
  EXPECT_EQ(WriteFileSafely(folder.Path("missing/node.txt"), kNew), FileWriteOutcome::kOpenFailed);
  expectOld("a missing folder");

  // Every name for a new file beside the target is taken: an existing target is left as it
  // was; a new one is written in place, and removed again when it cannot be completed.
  for (int n = 1; n <= 100; ++n) folder.Write("new.txt~" + std::to_string(n) + ".tmp", "x");
  for (int n = 1; n <= 100; ++n) folder.Write("node.txt~" + std::to_string(n) + ".tmp", "x");
  EXPECT_EQ(WriteFileSafely(path, kNew), FileWriteOutcome::kOpenFailed);
  EXPECT_EQ(TempFolder::Read(path), kOld);
  EXPECT_TRUE(RunConfined(
      [&] {
        fw::headless::HeadlessPlatform confined;
        EXPECT_EQ(WriteFileSafely(folder.Path("new.txt"), kNew), FileWriteOutcome::kWriteFailed);
      },
      100));
  EXPECT_FALSE(std::filesystem::exists(folder.Path("new.txt")));
  EXPECT_EQ(WriteFileSafely(folder.Path("new.txt"), kNew), FileWriteOutcome::kWritten);
  EXPECT_EQ(TempFolder::Read(folder.Path("new.txt")), kNew);
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
  const auto kind = [](const std::string& path) {
    return std::filesystem::symlink_status(path).type();
  };
  const struct {
    const char* name;
    bool unsure;
  } kTargets[] = {{"folder", false},       {"pipe", false},    {"link.txt", false},
                  {"dangling.txt", false}, {"node.txt", true}, {"new.txt", true}};
  for (const auto& c : kTargets) {
    const std::string path = folder.Path(c.name);
    const auto before = kind(path);
    UnsurePlatform platform(c.unsure);
    EXPECT_EQ(WriteFileSafely(path, kNew), FileWriteOutcome::kOpenFailed) << c.name;
    EXPECT_EQ(kind(path), before) << c.name;
  }
  EXPECT_EQ(TempFolder::Read(old), kOld);
  EXPECT_EQ(folder.Names(), (Names{"dangling.txt", "folder", "link.txt", "node.txt", "pipe"}));
}

}  // namespace
