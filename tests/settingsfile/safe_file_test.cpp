// A file is written whole or not at all: an old file is only ever replaced by a complete new
// one beside it, and whatever cannot be done leaves the folder as it was.
#include "settingsfile/safe_file.h"

#include <gtest/gtest.h>

#include "framework/headless/headless.h"
#include "tests/settingsfile/temp_folder.h"

using settingsfile_test::kReadOnly;
using settingsfile_test::RunConfined;
using settingsfile_test::TempFolder;

namespace {

using Names = std::vector<std::string>;
const std::string kOld = "old settings\r\n";
const std::string kNew = std::string(3000, 'n') + "\r\n";

class NoReplacePlatform : public fw::headless::HeadlessPlatform {
 public:
  bool MoveOver(const std::string&, const std::string&) override { return false; }
};

// A file system that cannot tell whether a path is there (a stat error).
class UnsurePlatform : public fw::headless::HeadlessPlatform {
 public:
  std::optional<bool> PathExists(const std::string&) override { return std::nullopt; }
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
  {
    NoReplacePlatform platform;
    EXPECT_EQ(WriteFileSafely(path, kNew), FileWriteOutcome::kWriteFailed);
    expectOld("replace refused");
  }
  // The disk takes no more than 100 bytes: the new file cannot be completed.
  EXPECT_TRUE(RunConfined(
      [&] {
        fw::headless::HeadlessPlatform platform;
        EXPECT_EQ(WriteFileSafely(path, kNew), FileWriteOutcome::kWriteFailed);
      },
      100));
  expectOld("disk full");
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
  EXPECT_EQ(WriteFileSafely(folder.Folder(), kNew), FileWriteOutcome::kOpenFailed);
  EXPECT_EQ(WriteFileSafely(folder.Path("missing/node.txt"), kNew), FileWriteOutcome::kOpenFailed);
  expectOld("a folder or a missing folder");

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

TEST(SafeFile, APathThatMayBeThereIsProbedWithoutCreatingIt) {
  TempFolder folder;
  UnsurePlatform platform;
  EXPECT_EQ(WriteFileSafely(folder.Path("node.txt"), kNew), FileWriteOutcome::kOpenFailed);
  EXPECT_EQ(folder.Names(), Names{});
  // There and writable, but no name for a new file beside it is known to be free: it is not
  // written in place either.
  const std::string path = folder.Write("node.txt", kOld);
  EXPECT_EQ(WriteFileSafely(path, kNew), FileWriteOutcome::kOpenFailed);
  EXPECT_EQ(TempFolder::Read(path), kOld);
  EXPECT_EQ(folder.Names(), Names{"node.txt"});
}

}  // namespace
