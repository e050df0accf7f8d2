// Real files for the settings-file tests: a fresh folder under the system's temporary folder,
// removed with everything in it afterwards, and a way to run a scenario in a child process that
// cannot override file permissions (a test run as root drops to an unprivileged user there), so
// that read-only files and folders behave as they do for an engineer.
#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace settingsfile_test {

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("hd73_settings_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    // Open to the unprivileged user of RunConfined.
    std::filesystem::permissions(path_, std::filesystem::perms::all);
  }
  ~TempFolder() {
    std::error_code error;
    std::filesystem::permissions(path_, std::filesystem::perms::all, error);
    std::filesystem::remove_all(path_, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path(const std::string& name) const { return (path_ / name).string(); }
  std::string Folder() const { return path_.string(); }

  // Names of the files in the folder, sorted.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // A file with these bytes that anyone may read and write (`mode` changes that).
  std::string Write(const std::string& name, const std::string& bytes,
                    std::filesystem::perms mode = std::filesystem::perms::owner_read |
                                                  std::filesystem::perms::owner_write |
                                                  std::filesystem::perms::group_read |
                                                  std::filesystem::perms::group_write |
                                                  std::filesystem::perms::others_read |
                                                  std::filesystem::perms::others_write) const {
    const std::string path = Path(name);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    std::filesystem::permissions(path, mode);
    return path;
  }

  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  // Forbids (or allows again) new files in the folder.
  void SetReadOnly(bool readOnly) const {
    using std::filesystem::perms;
    std::filesystem::permissions(path_, readOnly ? perms::owner_read | perms::owner_exec |
                                                       perms::group_read | perms::group_exec |
                                                       perms::others_read | perms::others_exec
                                                 : perms::all);
  }

 private:
  std::filesystem::path path_;
};

// Runs `scenario` in a child process without the right to override file permissions and,
// when `fileSizeLimit` is given, with writes beyond that many bytes failing. Checks made in
// the child report there; the result is whether the child passed them all.
inline bool RunConfined(const std::function<void()>& scenario, long fileSizeLimit = -1) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    if (::geteuid() == 0) {
      const uid_t nobody = 65534;
      if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0) {
        std::fputs("could not leave the root account\n", stderr);
        std::_Exit(3);
      }
    }
    if (fileSizeLimit >= 0) {
      ::signal(SIGXFSZ, SIG_IGN);  // an over-long write fails instead of ending the process
      const rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
      if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) std::_Exit(4);
    }
    scenario();
    std::fflush(nullptr);
    std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace settingsfile_test
