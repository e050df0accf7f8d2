// The safe replace cut by a power failure after each of its steps, and each step failing in
// turn, on a disk that keeps only what was synced: file data not yet synced is lost in a cut,
// and a folder entry made or renamed since the folder's last sync may or may not survive it.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "framework/file_layer.h"
#include "framework/headless/headless.h"

namespace {

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
  std::FILE* OpenFile(const std::string& path, const char* mode) override {
    const bool write = mode[0] == 'w';
    if ((!write && !names_.count(path)) || (write && !Step("open"))) return nullptr;
    std::shared_ptr<Inode>& inode = names_[path];
    if (write) inode = std::make_shared<Inode>();
    handles_.push_back(std::make_unique<Handle>(Handle{this, inode, write}));
    std::FILE* file = fopencookie(handles_.back().get(), mode, {nullptr, &Write, nullptr, &Close});
    byFile_[file] = handles_.back().get();
    return write ? Cut(file) : file;
  }
  bool SyncFile(std::FILE* file) override {
    if (!Step("sync file")) return false;
    byFile_.at(file)->inode->durable = byFile_.at(file)->inode->data;
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
  struct Handle {
    PowerCutDisk* disk;
    std::shared_ptr<Inode> inode;
    bool write;
  };
  static ssize_t Write(void* cookie, const char* data, size_t size) {
    auto* h = static_cast<Handle*>(cookie);
    if (!h->disk->Step("write")) return -1;
    h->inode->data.append(data, size);
    return h->disk->Cut(static_cast<ssize_t>(size));
  }
  static int Close(void* cookie) {
    auto* h = static_cast<Handle*>(cookie);
    return !h->write || h->disk->Cut(h->disk->Step("close")) ? 0 : -1;
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
  std::vector<std::unique_ptr<Handle>> handles_;
  std::map<std::FILE*, Handle*> byFile_;
};

TEST(PowerCut, EveryStepCutOrFailedLeavesTheOldOrTheNewFileWhole) {
  fw::headless::HeadlessPlatform headless;
  int cutPoints = 0, whole = 0;
  for (const bool hadOld : {true, false}) {
    const auto oldOrNew = [&](const Target& t) {
      return t == kNew || t == (hadOld ? kOld : Target());
    };
    PowerCutDisk disk(headless, 0, hadOld);
    {
      fw::ScopedPlatform installed(disk);
      EXPECT_EQ(fw::WriteFileSafely(kTarget, kNew), fw::FileWriteOutcome::kWritten);
    }
    EXPECT_EQ(disk.Live(), kNew);
    EXPECT_EQ(disk.Files(), 1u);
    for (size_t k = 0; k < disk.cuts.size(); ++k) {
      const bool ok = oldOrNew(disk.cuts[k].first) && oldOrNew(disk.cuts[k].second);
      EXPECT_TRUE(ok) << "cut after step " << k + 1 << (hadOld ? "" : " of a new file");
      ++cutPoints;
      whole += ok ? 1 : 0;
    }
    // Once it says written, a power cut keeps the new file, whatever the folder forgets.
    EXPECT_EQ(disk.cuts.back().first, kNew);

    // The program lives on after a failed step, says so and leaves no new file behind. A new
    // file beside the target that cannot be made is a folder that takes none: an old file is
    // then left alone, a new one written in place.
    for (size_t k = 1; k <= disk.steps.size(); ++k) {
      PowerCutDisk failing(headless, k, hadOld);
      fw::ScopedPlatform installed(failing);
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
