// Every whole file the project reads or writes goes through here: one reader with one size
// limit, and one replace that never costs the engineer the file that was there, not even in a
// power cut. Files are reached through the installed platform (on Windows its wide-character
// API), or through the C runtime where no platform is installed (the tool's native build).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fw {

// A NodeSettings file is a few kilobytes and a trace at most 8 MB: anything beyond this is
// neither and is not read whole.
constexpr size_t kMaxFileBytes = size_t{16} * 1024 * 1024;

enum class FileReadStatus {
  kRead,
  kOpenFailed,  // not there, or not to be opened for reading
  kReadFailed,  // opened, but a read failed before the end
  kTooLarge,    // longer than the limit
};

struct FileRead {
  FileReadStatus status = FileReadStatus::kRead;
  std::string text;   // the whole file, when read
  std::string error;  // "cannot open PATH: reason", "cannot read PATH: reason",
                      // "PATH: larger than 16 MB"
  bool Ok() const { return status == FileReadStatus::kRead; }
};

// The whole file at `path`, bytes as they are, if it has at most `limit` bytes.
FileRead ReadWholeFile(const std::string& path, size_t limit = kMaxFileBytes);

enum class FileWriteOutcome {
  kWritten,
  // The target could not be opened for writing, or is no regular file (a folder, a device, a
  // pipe, a symbolic link) or cannot be told to be one: nothing was created or changed.
  kOpenFailed,
  // Writing, flushing, closing or replacing failed: the target is as it was. Or, when only the
  // folder could not be synced after the replace, it is already the new file, which a power
  // cut might still undo: worth saving again.
  kWriteFailed,
};

// Writes `bytes` to `path` exactly (binary). The bytes go to a new file beside the target, are
// flushed to the disk and only then take the target's place in one step (on Windows keeping
// its attributes, security and creation time); the folder is synced after. An existing target
// must take writing (a read-only file or one held open is left alone, kOpenFailed). When no new
// file can be made beside the target (the folder takes no new files) a new target is written in
// place and deleted again when left incomplete; an existing target is then left as it was.
FileWriteOutcome WriteFileSafely(const std::string& path, std::string_view bytes);

}  // namespace fw
