// Reading a whole file: one size limit for every reader, and a message that says what went wrong.
// The safe replace cut by a power failure after each of its steps, and each step failing in
// turn, on a disk that keeps only what was synced: file data not yet synced is lost in a cut,
// and a folder entry made or renamed since the folder's last sync may or may not survive it.
#include "framework/file_layer.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "framework/headless/headless.h"
#include "tests/settingsfile/temp_folder.h"

namespace {

// Files whose reading fails after 10 bytes, as a network share's can.
struct FailingReadPlatform : fw::headless::HeadlessPlatform {
  std::FILE* OpenFile(const std::string&, const char*) override {
    return settingsfile_test::OpenFailingFile(source_);
  }
  settingsfile_test::FailingSource source_{std::string(100, 'x'), 10};
};

TEST(FileLayer, ReadsAWholeFileUpToTheLimitAndSaysWhyNot) {
  settingsfile_test::TempFolder folder;
  const std::string path = folder.Write("Kessel.txt", "");
  const size_t kMax = fw::kMaxFileBytes;
  // The file's size (a hole of zeros), the limit, and the error; none: the file is read.
  const std::tuple<size_t, size_t, std::string> kCases[] = {
      {0, kMax, ""},
      {kMax, kMax, ""},
      {kMax + 1, kMax, path + ": larger than 16 MB"},
      {16, 16, ""},
      {16, 15, path + ": larger than 15 bytes"}};
  for (const auto& [bytes, limit, error] : kCases) {
    std::filesystem::resize_file(path, bytes);
    const fw::FileRead read = fw::ReadWholeFile(path, limit);
    EXPECT_EQ(read.status,
              error.empty() ? fw::FileReadStatus::kRead : fw::FileReadStatus::kTooLarge);
    EXPECT_EQ(read.error + read.text, error.empty() ? std::string(bytes, '\0') : error) << bytes;
  }
  FailingReadPlatform failing;
  const fw::FileRead broken = fw::ReadWholeFile(path);
  EXPECT_EQ(broken.status, fw::FileReadStatus::kReadFailed);
  EXPECT_EQ(broken.text + broken.error.substr(0, 12 + path.size()), "cannot read " + path);
}

const std::string kTarget = "/site/Kessel.txt";
const std::string kOld = "old settings\r\n";
const std::string kNew = std::string(20000, 'n') + "\r\n";

struct Inode {
  std::string data, durable;  // what the program sees; what a power cut leaves
};
using Folder = std::map<std::string, std::shared_ptr<Inode>>;
using Target = std::optional<std::string>;  // the target's bytes; none: no file

class PowerCutDisk : public fw::ForwardingPlatform {
 public:
  PowerCutDisk(fw::PlatformImpl& inner, size_t failAt, bool hadOld)
      : ForwardingPlatform(inner), failAt_(failAt) {
    if (hadOld) names_[kTarget] = synced_[kTarget] = std::make_shared<Inode>(Inode{kOld, kOld});
  }
  std::vector<std::string> steps;
  std::vector<std::pair<Target, Target>> cuts;  // after each step: the folder as synced, as left

  Target Live() const { return names_.count(kTarget) ? names_.at(kTarget)->data : Target(); }
  size_t Files() const { return names_.size(); }

  std::optional<fw::PathKind> KindOf(const std::string& path) override {
    return names_.count(path) ? fw::PathKind::kFile : fw::PathKind::kMissing;
  }
  std::optional<bool> PathExists(const std::string& path) override { return names_.count(path); }
  // The read-and-write probe of the target is all that opens a file for anything but writing.
  std::FILE* OpenFile(const std::string& path, const char* mode) override {
    if (mode[0] != 'w') return names_.count(path) ? std::fopen("/dev/null", "rb") : nullptr;
    if (!Step("open")) return nullptr;
    writing_ = names_[path] = std::make_shared<Inode>();
    return Cut(fopencookie(this, mode, {nullptr, &Write, nullptr, &Close}));
  }
  bool SyncFile(std::FILE*) override {
    if (!Step("sync file")) return false;
    writing_->durable = writing_->data;
    return Cut(true);
  }
  bool MoveOver(const std::string& from, const std::string& to) override {
    if (!Step("replace")) return false;
    names_[to] = names_.at(from);
    names_.erase(from);
    return Cut(true);
  }
  bool RemoveFile(const std::string& path) override { return names_.erase(path) > 0; }
  bool SyncFolderOf(const std::string&) override {
    if (!Step("sync folder")) return false;
    synced_ = names_;
    return Cut(true);
  }

 private:
  static ssize_t Write(void* cookie, const char* data, size_t size) {
    auto* disk = static_cast<PowerCutDisk*>(cookie);
    if (!disk->Step("write")) return -1;
    disk->writing_->data.append(data, size);
    return disk->Cut(static_cast<ssize_t>(size));
  }
  static int Close(void* cookie) {
    auto* disk = static_cast<PowerCutDisk*>(cookie);
    return disk->Cut(disk->Step("close")) ? 0 : -1;
  }
  bool Step(const std::string& what) {
    steps.push_back(what);
    return steps.size() != failAt_;
  }
  template <typename T>
  T Cut(T result) {
    const auto durable = [](const Folder& f) {
      return f.count(kTarget) ? f.at(kTarget)->durable : Target();
    };
    if (result) cuts.emplace_back(durable(synced_), durable(names_));
    return result;
  }

  size_t failAt_;
  Folder names_, synced_;
  std::shared_ptr<Inode> writing_;  // the one file open for writing
};

TEST(PowerCut, EveryStepCutOrFailedLeavesTheOldOrTheNewFileWhole) {
  fw::headless::HeadlessPlatform headless;
  int cutPoints = 0, whole = 0;
  for (const bool hadOld : {true, false}) {
    const auto oldOrNew = [&](const Target& t) {
      return t == kNew || t == (hadOld ? kOld : Target());
    };
    PowerCutDisk disk(headless, 0, hadOld);
    fw::ScopedPlatform installed(disk);
    EXPECT_EQ(fw::WriteFileSafely(kTarget, kNew), fw::FileWriteOutcome::kWritten);
    EXPECT_TRUE(disk.Live() == kNew && disk.Files() == 1);
    for (size_t k = 0; k < disk.cuts.size(); ++k, ++cutPoints) {
      const bool ok = oldOrNew(disk.cuts[k].first) && oldOrNew(disk.cuts[k].second);
      EXPECT_TRUE(ok) << "cut after step " << k + 1 << (hadOld ? "" : " of a new file");
      whole += ok ? 1 : 0;
    }
    // Once it says written, a power cut keeps the new file, whatever the folder forgets.
    EXPECT_EQ(disk.cuts.back().first, kNew);

    // The program lives on after a failed step, says so and leaves no new file behind. A new
    // file beside the target that cannot be made is a folder that takes none: an old file is
    // then left alone, a new one written in place.
    for (size_t k = 1; k <= disk.steps.size(); ++k) {
      PowerCutDisk failing(headless, k, hadOld);
      fw::ScopedPlatform failed(failing);
      const fw::FileWriteOutcome expected = k > 1    ? fw::FileWriteOutcome::kWriteFailed
                                            : hadOld ? fw::FileWriteOutcome::kOpenFailed
                                                     : fw::FileWriteOutcome::kWritten;
      EXPECT_EQ(fw::WriteFileSafely(kTarget, kNew), expected) << disk.steps[k - 1];
      EXPECT_TRUE(oldOrNew(failing.Live()) && failing.Files() <= 1) << disk.steps[k - 1];
    }
  }
  std::printf("%d of %d cut points leave the old or the new file\n", whole, cutPoints);
  EXPECT_EQ(whole, cutPoints);
}

}  // namespace
