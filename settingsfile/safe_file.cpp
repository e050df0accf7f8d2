#include "settingsfile/safe_file.h"

#include <cstdio>

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

FileWriteOutcome WriteFileSafely(const std::string& path, std::string_view bytes) {
  fw::PlatformImpl& os = fw::Platform::Get();
  const std::optional<bool> there = os.PathExists(path);
  if (there != false) {
    // Opening for reading and writing neither creates nor changes a file, but tells whether
    // the target takes writing. A target that may be there and does not open is left alone.
    std::FILE* probe = os.OpenFile(path, "r+b");
    if (probe == nullptr) return FileWriteOutcome::kOpenFailed;
    std::fclose(probe);
  }
  const bool existed = there != false;

  for (int n = 1; n <= kTempNameTries; ++n) {
    const std::string temp = path + "~" + std::to_string(n) + ".tmp";
    if (os.PathExists(temp) != false) continue;  // never overwrite a file that is not ours
    std::FILE* file = os.OpenFile(temp, "wb");
    if (file == nullptr) break;  // the folder takes no new files
    if (!WriteAndClose(file, bytes) || !os.MoveOver(temp, path)) {
      os.RemoveFile(temp);
      return FileWriteOutcome::kWriteFailed;
    }
    return FileWriteOutcome::kWritten;
  }

  // Writing in place would cut the old file short before the new text is in: an existing file
  // is only ever replaced whole, from a complete new file beside it.
  if (existed) return FileWriteOutcome::kOpenFailed;
  std::FILE* file = os.OpenFile(path, "wb");
  if (file == nullptr) return FileWriteOutcome::kOpenFailed;
  if (!WriteAndClose(file, bytes)) {
    os.RemoveFile(path);
    return FileWriteOutcome::kWriteFailed;
  }
  return FileWriteOutcome::kWritten;
}
