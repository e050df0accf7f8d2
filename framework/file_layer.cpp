#include "framework/file_layer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "framework/platform.h"

namespace fw {
namespace {

constexpr int kTempNameTries = 100;
constexpr size_t kMegabyte = 1024 * 1024;

PlatformImpl& Files() {
  static RuntimePlatform runtime;
  return Platform::Installed() ? Platform::Get() : runtime;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// The reason the C runtime gives for the last failure, as ": reason", or nothing when the
// platform's call left none.
std::string Reason(int error) {
  return error == 0 ? std::string() : std::string(": ") + std::strerror(error);
}

std::string SizeText(size_t bytes) {
  return bytes % kMegabyte == 0 ? std::to_string(bytes / kMegabyte) + " MB"
                                : std::to_string(bytes) + " bytes";
}

// Writes the bytes, flushes them out of the stream and onto the disk, and closes the file:
// true only when all of it succeeded. The file is closed in any case.
bool WriteToDiskAndClose(PlatformImpl& os, std::FILE* file, std::string_view bytes) {
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fflush(file) == 0 && ok;
  ok = ok && std::ferror(file) == 0 && os.SyncFile(file);
  return std::fclose(file) == 0 && ok;
}

}  // namespace

FileRead ReadWholeFile(const std::string& path, size_t limit) {
  FileRead read;
  errno = 0;
  const std::unique_ptr<std::FILE, FileCloser> file(Files().OpenFile(path, "rb"));
  if (!file) {
    read.status = FileReadStatus::kOpenFailed;
    read.error = "cannot open " + path + Reason(errno);
    return read;
  }
  // One byte past the limit tells a file over it without asking for its size.
  char buffer[8192];
  errno = 0;
  while (read.text.size() <= limit) {
    const size_t left = limit - read.text.size();  // then one more
    const size_t n =
        std::fread(buffer, 1, left < sizeof buffer ? left + 1 : sizeof buffer, file.get());
    if (n == 0) break;
    read.text.append(buffer, n);
  }
  if (read.text.size() > limit) {
    read.status = FileReadStatus::kTooLarge;
    read.error = path + ": larger than " + SizeText(limit);
  } else if (std::ferror(file.get())) {
    read.status = FileReadStatus::kReadFailed;
    read.error = "cannot read " + path + Reason(errno);
  }
  if (!read.Ok()) read.text.clear();
  return read;
}

FileWriteOutcome WriteFileSafely(const std::string& path, std::string_view bytes) {
  PlatformImpl& os = Files();
  // Only a regular file is replaced: a device, folder, pipe or link at the path stays as it is,
  // and so does whatever cannot be told.
  const std::optional<PathKind> kind = os.KindOf(path);
  if (kind != PathKind::kFile && kind != PathKind::kMissing) return FileWriteOutcome::kOpenFailed;
  const bool existed = kind == PathKind::kFile;
  if (existed) {
    // Opening for reading and writing neither creates nor changes a file, but tells whether
    // the target takes writing (not read-only, not held open by another program).
    std::FILE* probe = os.OpenFile(path, "r+b");
    if (probe == nullptr) return FileWriteOutcome::kOpenFailed;
    std::fclose(probe);
  }

  for (int n = 1; n <= kTempNameTries; ++n) {
    const std::string temp = path + "~" + std::to_string(n) + ".tmp";
    if (os.PathExists(temp) != false) continue;  // never overwrite a file that is not ours
    std::FILE* file = os.OpenFile(temp, "wb");
    if (file == nullptr) break;  // the folder takes no new files
    // The new file's data is on the disk before its name replaces the target's: a power cut
    // at any moment leaves one of the two files whole under the target's name.
    if (!WriteToDiskAndClose(os, file, bytes) || !os.MoveOver(temp, path)) {
      os.RemoveFile(temp);
      return FileWriteOutcome::kWriteFailed;
    }
    return os.SyncFolderOf(path) ? FileWriteOutcome::kWritten : FileWriteOutcome::kWriteFailed;
  }

  // Writing in place would cut the old file short before the new text is in: an existing file
  // is only ever replaced whole, from a complete new file beside it.
  if (existed) return FileWriteOutcome::kOpenFailed;
  std::FILE* file = os.OpenFile(path, "wb");
  if (file == nullptr) return FileWriteOutcome::kOpenFailed;
  if (!WriteToDiskAndClose(os, file, bytes)) {
    os.RemoveFile(path);
    return FileWriteOutcome::kWriteFailed;
  }
  return os.SyncFolderOf(path) ? FileWriteOutcome::kWritten : FileWriteOutcome::kWriteFailed;
}

}  // namespace fw
