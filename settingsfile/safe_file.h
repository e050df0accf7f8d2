// Writing a whole file so that a failure never costs the file that was there: the bytes go to
// a new file beside the target, which replaces the target only once it is complete and closed.
#pragma once

#include <string>
#include <string_view>

enum class FileWriteOutcome {
  kWritten,
  kOpenFailed,   // the target could not be opened for writing: nothing was created or changed
  kWriteFailed,  // writing, closing or replacing failed: the target is as it was
};

// Writes `bytes` to `path` exactly (binary), through the platform's file calls. When the target
// is (or may be) there it must take writing, else kOpenFailed. When no new file can be made
// beside the target (the folder takes no new files) a new target is written in place and
// deleted again when left incomplete; an existing target is then left as it was (kOpenFailed).
FileWriteOutcome WriteFileSafely(const std::string& path, std::string_view bytes);
