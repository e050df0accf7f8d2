// Real files for the settings-file tests: a fresh folder, removed afterwards; a scenario run
// where read-only files and folders hold as they do for an engineer (a child process that cannot
// override file permissions); a file whose reading fails part way, as a network share's can.
#pragma once

#include <gtest/gtest.h>

#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace settingsfile_test {

namespace fs = std::filesystem;
constexpr fs::perms kReadOnly =
    fs::perms::all & ~(fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write);

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("hd73_settings_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
    fs::remove_all(path_);
    fs::create_directories(path_);
    fs::permissions(path_, fs::perms::all);  // open to the user of RunConfined
  }
  ~TempFolder() {
    std::error_code error;
    fs::permissions(path_, fs::perms::all, error);
    fs::remove_all(path_, error);
  }

  std::string Path(const std::string& name) const { return (path_ / name).string(); }
  std::string Folder() const { return path_.string(); }

  std::vector<std::string> Names() const { return NamesIn(Folder()); }
  // The sorted names in `folder`; none when it is no folder.
  static std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    if (!fs::is_directory(folder)) return names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // A file with these bytes that anyone may read and write, unless `mode` says otherwise.
  std::string Write(const std::string& name, const std::string& bytes,
                    fs::perms mode = fs::perms::all) const {
    const std::string path = Path(name);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    fs::permissions(path, mode);
    return path;
  }

  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // A file of the source tree, "tests/tools/files/factory.txt", and its bytes.
  static std::string Source(const std::string& path) {
    return std::string(HD7_3_SOURCE_DIR) + "/" + path;
  }
  static std::string Sample(const std::string& name) {
    return Read(Source("tests/tools/files/" + name));
  }

  void SetReadOnly(bool readOnly) const {
    fs::permissions(path_, readOnly ? kReadOnly : fs::perms::all);
  }

 private:
  fs::path path_;
};

// Runs `scenario` in a child process without the right to override file permissions and,
// when `fileSizeLimit` is given, with writes beyond that many bytes failing. Checks made in
// the child report there; the result is whether the child passed them all.
inline bool RunConfined(const std::function<void()>& scenario, long fileSizeLimit = -1) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    const uid_t nobody = 65534;
    if (::geteuid() == 0 && (::setgroups(0, nullptr) || ::setgid(nobody) || ::setuid(nobody))) {
      std::_Exit(3);
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

// A file whose reading fails after `goodBytes` bytes.
struct FailingSource {
  std::string bytes;
  size_t goodBytes;
  size_t next = 0;
};

inline std::FILE* OpenFailingFile(FailingSource& source) {
  cookie_io_functions_t io = {};
  io.read = [](void* cookie, char* buffer, size_t size) -> ssize_t {
    auto& s = *static_cast<FailingSource*>(cookie);
    const size_t end = std::min(s.goodBytes, s.bytes.size());
    if (s.next >= end) return s.next < s.bytes.size() ? -1 : 0;
    const size_t n = std::min(size, end - s.next);
    std::memcpy(buffer, s.bytes.data() + s.next, n);
    s.next += n;
    return static_cast<ssize_t>(n);
  };
  return fopencookie(&source, "rb", io);
}

// The bytes of a 31-byte record as its value line reads: value 0 as one byte, then fifteen
// big-endian words (missing ones 0).
inline std::vector<uint8_t> StrInt(std::vector<int> values) {
  values.resize(16);
  std::vector<uint8_t> bytes{static_cast<uint8_t>(values[0])};
  for (size_t k = 1; k < 16; ++k) {
    bytes.push_back(static_cast<uint8_t>(values[k] >> 8));
    bytes.push_back(static_cast<uint8_t>(values[k] & 0xFF));
  }
  return bytes;
}

// A pass over the twelve parts from `start` ms on, one every `step` ms: the selector read, the
// part selected `select` ms later, then `access` to it ("R46" or "W46") at the end of the step.
inline std::vector<std::string> PartPass(int start, int step, int select, const char* access) {
  std::vector<std::string> calls;
  for (int part = 1; part <= 12; ++part) {
    const int t = start + step * (part - 1);
    char selector[24];
    std::snprintf(selector, sizeof selector, "W45:%04X@%d", part, t + select);
    calls.insert(calls.end(),
                 {"R45@" + std::to_string(t), selector, access + ("@" + std::to_string(t + step))});
  }
  return calls;
}

}  // namespace settingsfile_test
