// The safe replace against a power cut at every step and a failure of every step, on a disk
// that keeps only what was synced: file data written but not synced to the disk is lost in a
// cut, and a folder entry made or renamed since the folder's last sync may or may not be there.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "framework/file_layer.h"
#include "framework/headless/headless.h"

namespace {

struct Inode {
  std::string data;     // what the program sees
  std::string durable;  // what a power cut leaves
};
using Folder = std::map<std::string, std::shared_ptr<Inode>>;
using Contents = std::map<std::string, std::string>;

class PowerCutDisk : public fw::ForwardingPlatform {
 public:
  PowerCutDisk(fw::PlatformImpl& inner, int failAt) : ForwardingPlatform(inner), failAt_(failAt) {}

  void Put(const std::string& name, const std::string& text) {
    names_[name] = synced_[name] = std::make_shared<Inode>(Inode{text, text});
  }
  // Each cut point: what a power cut right after that step leaves, once with the folder as last
  // synced and once with every later entry kept.
  const std::vector<std::pair<Contents, Contents>>& Cuts() const { return cuts_; }
  const std::vector<std::string>& Steps() const { return steps_; }
  Contents Now() const {
    Contents c;
    for (const auto& [name, inode] : names_) c[name] = inode->data;
    return c;
  }

  std::optional<fw::PathKind> KindOf(const std::string& path) override {
    return names_.count(path) ? fw::PathKind::kFile : fw::PathKind::kMissing;
  }
  std::optional<bool> PathExists(const std::string& path) override {
    return names_.count(path) > 0;
  }
  std::FILE* OpenFile(const std::string& path, const char* mode) override {
    const bool write = mode[0] == 'w';
    if (!write && !names_.count(path)) return nullptr;
    if (write && !Step("open " + path)) return nullptr;
    auto& inode = names_[path];
    if (!inode) inode = std::make_shared<Inode>();
    if (write) inode->data.clear();
    auto* handle = new Handle{this, inode, write};
    std::FILE* file = fopencookie(handle, mode, {nullptr, &Handle::Write, nullptr, &Handle::Close});
    handles_[file] = handle;
    if (write) Cut();
    return file;
  }
  bool SyncFile(std::FILE* file) override {
    if (!Step("sync file")) return false;
    handles_.at(file)->inode->durable = handles_.at(file)->inode->data;
    return Cut();
  }
  bool MoveOver(const std::string& from, const std::string& to) override {
    if (!Step("replace") || !names_.count(from)) return false;
    names_[to] = names_[from];
    names_.erase(from);
    return Cut();
  }
  bool RemoveFile(const std::string& path) override { return names_.erase(path) > 0; }
  bool SyncFolderOf(const std::string&) override {
    if (!Step("sync folder")) return false;
    synced_ = names_;
    return Cut();
  }

 private:
  struct Handle {
    PowerCutDisk* disk;
    std::shared_ptr<Inode> inode;
    bool write;
    static ssize_t Write(void* cookie, const char* data, size_t size) {
      auto* h = static_cast<Handle*>(cookie);
      if (!h->disk->Step("write " + std::to_string(size))) return -1;
      h->inode->data.append(data, size);
      h->disk->Cut();
      return static_cast<ssize_t>(size);
    }
    static int Close(void* cookie) {
      auto* h = static_cast<Handle*>(cookie);
      const bool ok = !h->write || h->disk->Step("close");
      if (ok && h->write) h->disk->Cut();
      for (auto it = h->disk->handles_.begin(); it != h->disk->handles_.end(); ++it) {
        if (it->second == h) {
          h->disk->handles_.erase(it);
          break;
        }
      }
      delete h;
      return ok ? 0 : -1;
    }
  };

  bool Step(const std::string& what) {
    steps_.push_back(what);
    return static_cast<int>(steps_.size()) != failAt_;
  }
  bool Cut() {
    const auto durable = [](const Folder& folder) {
      Contents c;
      for (const auto& [name, inode] : folder) c[name] = inode->durable;
      return c;
    };
    cuts_.emplace_back(durable(synced_), durable(names_));
    return true;
  }

  int failAt_;
  Folder names_, synced_;
  std::map<std::FILE*, Handle*> handles_;
  std::vector<std::string> steps_;
  std::vector<std::pair<Contents, Contents>> cuts_;
};

const std::string kTarget = "/site/Kessel.txt";
const std::string kOld = "old settings\r\n";
const std::string kNew = std::string(20000, 'n') + "\r\n";

// The target holds the old file whole (or is still absent where there was none) or the new one.
bool OldOrNew(const Contents& files, bool hadOld) {
  const auto it = files.find(kTarget);
  if (it == files.end()) return !hadOld;
  return it->second == kNew || (hadOld && it->second == kOld);
}

TEST(PowerCut, EveryStepCutOrFailedLeavesTheOldOrTheNewFileWhole) {
  int cutPoints = 0;
  int whole = 0;
  for (const bool hadOld : {true, false}) {
    fw::headless::HeadlessPlatform headless;
    std::vector<std::string> steps;
    {
      PowerCutDisk disk(headless, 0);
      fw::ScopedPlatform installed(disk);
      if (hadOld) disk.Put(kTarget, kOld);
      EXPECT_EQ(fw::WriteFileSafely(kTarget, kNew), fw::FileWriteOutcome::kWritten);
      EXPECT_EQ(disk.Now(), (Contents{{kTarget, kNew}}));
      // Once it says written, a power cut keeps the new file, whatever the folder forgets.
      ASSERT_FALSE(disk.Cuts().empty());
      EXPECT_EQ(disk.Cuts().back().first, (Contents{{kTarget, kNew}}));
      for (size_t k = 0; k < disk.Cuts().size(); ++k) {
        const auto& [folderAsSynced, folderAsLeft] = disk.Cuts()[k];
        const bool ok = OldOrNew(folderAsSynced, hadOld) && OldOrNew(folderAsLeft, hadOld);
        EXPECT_TRUE(ok) << "cut after " << disk.Steps()[k] << (hadOld ? "" : " (new file)");
        ++cutPoints;
        whole += ok ? 1 : 0;
      }
      steps = disk.Steps();
    }
    // Each step fails in turn; the program lives on and says so, leaving no new file behind.
    // A new file beside the target that cannot be made is a folder that takes none: an old
    // file is then left alone, a new one written in place.
    for (size_t k = 1; k <= steps.size(); ++k) {
      PowerCutDisk disk(headless, static_cast<int>(k));
      fw::ScopedPlatform installed(disk);
      if (hadOld) disk.Put(kTarget, kOld);
      const fw::FileWriteOutcome expected = k > 1    ? fw::FileWriteOutcome::kWriteFailed
                                            : hadOld ? fw::FileWriteOutcome::kOpenFailed
                                                     : fw::FileWriteOutcome::kWritten;
      EXPECT_EQ(fw::WriteFileSafely(kTarget, kNew), expected) << steps[k - 1];
      const Contents now = disk.Now();
      EXPECT_TRUE(OldOrNew(now, hadOld) && now.size() <= 1) << steps[k - 1];
    }
  }
  std::printf("%d of %d cut points leave the old or the new file\n", whole, cutPoints);
  EXPECT_EQ(whole, cutPoints);
}

}  // namespace
