#include "framework/platform.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

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

void Platform::Install(PlatformImpl* impl) {
  g_platform = impl;
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
