#include "framework/platform.h"

#include <cstdio>
#include <cstdlib>

namespace fw {
namespace {
PlatformImpl* g_platform = nullptr;
}

bool PlatformImpl::MoveOver(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
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
