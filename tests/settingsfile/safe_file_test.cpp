#include "settingsfile/safe_file.h"

#include <gtest/gtest.h>

#include "framework/headless/headless.h"
#include "tests/settingsfile/temp_folder.h"

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

TEST(SafeFile, WritesANewFileAndReplacesAnOldOneWholeWithoutLeftovers) {
  fw::headless::HeadlessPlatform platform;
  TempFolder folder;
  const std::string path = folder.Path("node.txt");
  EXPECT_EQ(WriteFileSafely(path, kNew), FileWriteOutcome::kWritten);
  EXPECT_EQ(TempFolder::Read(path), kNew);

  folder.Write("node.txt", kOld);
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

TEST(SafeFile, AFailedReplaceOrCloseKeepsTheOldFile) {
  TempFolder folder;
  const std::string path = folder.Write("node.txt", kOld);
  {
    NoReplacePlatform platform;
    EXPECT_EQ(WriteFileSafely(path, kNew), FileWriteOutcome::kWriteFailed);
  }
  EXPECT_EQ(TempFolder::Read(path), kOld);
  EXPECT_EQ(folder.Names(), Names{"node.txt"});

  // The disk takes no more than 100 bytes: the new file cannot be completed.
  EXPECT_TRUE(RunConfined(
      [&] {
        fw::headless::HeadlessPlatform platform;
        EXPECT_EQ(WriteFileSafely(path, kNew), FileWriteOutcome::kWriteFailed);
      },
      100));
  EXPECT_EQ(TempFolder::Read(path), kOld);
  EXPECT_EQ(folder.Names(), Names{"node.txt"});
}

TEST(SafeFile, ATargetThatTakesNoWritingIsLeftAlone) {
  TempFolder folder;
  using std::filesystem::perms;
  const std::string path =
      folder.Write("node.txt", kOld, perms::owner_read | perms::group_read | perms::others_read);
  EXPECT_TRUE(RunConfined([&] {
    fw::headless::HeadlessPlatform platform;
    EXPECT_EQ(WriteFileSafely(path, kNew), FileWriteOutcome::kOpenFailed);
  }));
  EXPECT_EQ(TempFolder::Read(path), kOld);
  EXPECT_EQ(folder.Names(), Names{"node.txt"});

  fw::headless::HeadlessPlatform platform;
  EXPECT_EQ(WriteFileSafely(folder.Folder(), kNew), FileWriteOutcome::kOpenFailed);
  EXPECT_EQ(WriteFileSafely(folder.Path("missing/node.txt"), kNew), FileWriteOutcome::kOpenFailed);
}

TEST(SafeFile, AnExistingFileIsNeverWrittenInPlace) {
  TempFolder folder;
  const std::string path = folder.Write("node.txt", kOld);
  folder.SetReadOnly(true);
  EXPECT_TRUE(RunConfined([&] {
    fw::headless::HeadlessPlatform platform;
    EXPECT_EQ(WriteFileSafely(path, kNew), FileWriteOutcome::kOpenFailed);
    EXPECT_EQ(WriteFileSafely(folder.Path("other.txt"), kNew), FileWriteOutcome::kOpenFailed);
  }));
  folder.SetReadOnly(false);
  EXPECT_EQ(TempFolder::Read(path), kOld);
  EXPECT_EQ(folder.Names(), Names{"node.txt"});

  // Every name for a new file beside the target is taken: a new target is written in place,
  // and removed again when it cannot be completed; an existing one is left as it was.
  for (int n = 1; n <= 100; ++n) folder.Write("new.txt~" + std::to_string(n) + ".tmp", "x");
  for (int n = 1; n <= 100; ++n) folder.Write("node.txt~" + std::to_string(n) + ".tmp", "x");
  fw::headless::HeadlessPlatform platform;
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

// A file system that cannot tell whether a path is there (a stat error).
class UnsurePlatform : public fw::headless::HeadlessPlatform {
 public:
  std::optional<bool> PathExists(const std::string&) override { return std::nullopt; }
};

TEST(SafeFile, APathThatMayBeThereIsProbedWithoutCreatingIt) {
  TempFolder folder;
  UnsurePlatform platform;
  EXPECT_EQ(WriteFileSafely(folder.Path("node.txt"), kNew), FileWriteOutcome::kOpenFailed);
  EXPECT_TRUE(folder.Names().empty());

  // There and writable, but no name for a new file beside it is known to be free: it is not
  // written in place either, and stays as it was.
  const std::string path = folder.Write("node.txt", kOld);
  EXPECT_EQ(WriteFileSafely(path, kNew), FileWriteOutcome::kOpenFailed);
  EXPECT_EQ(TempFolder::Read(path), kOld);
  EXPECT_EQ(folder.Names(), Names{"node.txt"});
}

TEST(SafeFile, PlatformTellsWhatIsThere) {
  TempFolder folder;
  fw::headless::HeadlessPlatform platform;
  EXPECT_EQ(platform.PathExists(folder.Write("a.txt", "a")), true);
  EXPECT_EQ(platform.PathExists(folder.Path("b.txt")), false);
  EXPECT_EQ(platform.PathExists(folder.Path("b.txt/c.txt")), false);
  EXPECT_EQ(platform.PathExists(folder.Path("a.txt/c.txt")), false);
  folder.SetReadOnly(true);
  std::filesystem::permissions(folder.Folder(), std::filesystem::perms::none);
  EXPECT_TRUE(RunConfined([&] {
    fw::headless::HeadlessPlatform confined;
    EXPECT_EQ(confined.PathExists(folder.Path("a.txt")), std::nullopt);
  }));
  folder.SetReadOnly(false);
}

}  // namespace
