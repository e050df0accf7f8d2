#include "framework/platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef _WIN32
#include <direct.h>
#include <io.h>
#else
#include <dirent.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace fw {
namespace {
PlatformImpl* g_platform = nullptr;
}

bool PlatformImpl::MoveOver(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

std::FILE* PlatformImpl::OpenFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

bool PlatformImpl::RemoveFile(const std::string& path) {
  return std::remove(path.c_str()) == 0;
}

std::optional<bool> PlatformImpl::PathExists(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) == 0) return true;
  if (errno == ENOENT || errno == ENOTDIR) return false;
  return std::nullopt;
}

std::optional<uint64_t> PlatformImpl::FileSize(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return static_cast<uint64_t>(info.st_size);
}

uint32_t PlatformImpl::ProcessId() {
  return static_cast<uint32_t>(::getpid());
}

#ifdef _WIN32
// The C runtime's view, for a Windows build that installs no platform of its own (the Win32
// backend answers these through the wide-character API, devices included).
std::optional<PathKind> PlatformImpl::KindOf(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) == 0) {
    return (info.st_mode & S_IFMT) == S_IFREG ? PathKind::kFile : PathKind::kOther;
  }
  if (errno == ENOENT || errno == ENOTDIR) return PathKind::kMissing;
  return std::nullopt;
}

bool PlatformImpl::SyncFile(std::FILE* file) {
  return ::_commit(::_fileno(file)) == 0;
}

bool PlatformImpl::SyncFolderOf(const std::string& /*path*/) {
  return true;  // a rename is written to the volume's journal with the file's entry
}
#else
std::optional<PathKind> PlatformImpl::KindOf(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) == 0) {
    return S_ISREG(info.st_mode) ? PathKind::kFile : PathKind::kOther;
  }
  if (errno == ENOENT || errno == ENOTDIR) return PathKind::kMissing;
  return std::nullopt;
}

bool PlatformImpl::SyncFile(std::FILE* file) {
  return ::fsync(::fileno(file)) == 0;
}

bool PlatformImpl::SyncFolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string(".")
                             : slash == 0               ? std::string("/")
                                                        : path.substr(0, slash);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return false;
  // Some file systems keep no folder data to sync; they say so and lose nothing by it.
  const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
  ::close(fd);
  return synced;
}
#endif
std::optional<FileId> PlatformImpl::IdentifyFile(const std::string& path) {
#ifdef _WIN32
  // The C runtime there gives every file inode 0: only the Win32 backend can tell.
  (void)path;
  return std::nullopt;
#else
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return FileId{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
#endif
}

std::optional<std::vector<std::string>> PlatformImpl::FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  const std::string prefix = folder.empty() ? std::string() : folder + "/";
#ifdef _WIN32
  // The runtime's narrow names, for a Windows build that installs no platform of its own.
  _finddata_t entry;
  const intptr_t search = ::_findfirst((prefix + "*").c_str(), &entry);
  if (search == -1) {
    if (errno == ENOENT) return names;  // an empty folder
    return std::nullopt;
  }
  do {
    if ((entry.attrib & _A_SUBDIR) == 0) names.push_back(entry.name);
  } while (::_findnext(search, &entry) == 0);
  ::_findclose(search);
#else
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return std::nullopt;
  while (const dirent* entry = ::readdir(dir)) {
    struct stat info;
    if (::stat((prefix + entry->d_name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
      names.push_back(entry->d_name);
    }
  }
  ::closedir(dir);
#endif
  return names;
}

bool PlatformImpl::MakeFolder(const std::string& path) {
#ifdef _WIN32
  if (::_mkdir(path.c_str()) == 0) return true;
#else
  if (::mkdir(path.c_str(), 0777) == 0) return true;
#endif
  struct stat info;
  return errno == EEXIST && ::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == S_IFDIR;
}

LocalTime RuntimePlatform::Now() {
  const std::time_t now = std::time(nullptr);
  const std::tm* t = std::localtime(&now);
  if (t == nullptr) return {};
  return {t->tm_year + 1900, t->tm_mon + 1, t->tm_mday, t->tm_hour, t->tm_min, t->tm_sec};
}

bool Platform::Installed() {
  return g_platform != nullptr;
}

PlatformImpl& Platform::Get() {
  if (g_platform == nullptr) {
    // A programming error, not an input error: every entry point installs a platform first.
    std::fputs("no platform installed\n", stderr);
    std::abort();
  }
  return *g_platform;
}

ScopedPlatform::ScopedPlatform(PlatformImpl& impl) : previous_(g_platform) {
  g_platform = &impl;
}

ScopedPlatform::~ScopedPlatform() {
  g_platform = previous_;
}

}  // namespace fw
