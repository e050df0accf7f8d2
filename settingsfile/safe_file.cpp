#include "settingsfile/safe_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "framework/platform.h"

namespace {

constexpr int kTempNameTries = 100;

bool WriteAndClose(std::FILE* file, std::string_view bytes) {
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fflush(file) == 0 && ok;
  ok = std::ferror(file) == 0 && ok;
  return std::fclose(file) == 0 && ok;
}

}  // namespace

bool PathExists(const std::string& path) {
  std::error_code error;
  const bool exists = std::filesystem::exists(std::filesystem::path(path), error);
  return exists || static_cast<bool>(error);
}

FileWriteOutcome WriteFileSafely(const std::string& path, std::string_view bytes) {
  const bool existed = PathExists(path);
  if (existed) {
    // Opening for appending changes nothing but tells whether the target takes writing.
    std::FILE* probe = std::fopen(path.c_str(), "ab");
    if (probe == nullptr) return FileWriteOutcome::kOpenFailed;
    std::fclose(probe);
  }

  for (int n = 1; n <= kTempNameTries; ++n) {
    const std::string temp = path + "~" + std::to_string(n) + ".tmp";
    if (PathExists(temp)) continue;  // never overwrite a file that is not ours
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    if (file == nullptr) break;  // the folder takes no new files: write in place
    if (!WriteAndClose(file, bytes) || !fw::Platform::Get().MoveOver(temp, path)) {
      std::remove(temp.c_str());
      return FileWriteOutcome::kWriteFailed;
    }
    return FileWriteOutcome::kWritten;
  }

  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return FileWriteOutcome::kOpenFailed;
  if (!WriteAndClose(file, bytes)) {
    if (!existed) std::remove(path.c_str());
    return FileWriteOutcome::kWriteFailed;
  }
  return FileWriteOutcome::kWritten;
}
