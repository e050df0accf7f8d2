#include "framework/file_identity.h"

#include <optional>

#include "framework/platform.h"

namespace fw {

bool SameFile(const std::string& a, const std::string& b) {
  PlatformImpl& os = Platform::Get();
  const std::optional<FileId> first = os.IdentifyFile(a);
  if (!first) return false;
  const std::optional<FileId> second = os.IdentifyFile(b);
  return second && *first == *second;
}

}  // namespace fw
