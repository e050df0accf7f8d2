// Whether two paths name one file, told by the file system's own identity of the file (device
// and inode on POSIX, volume serial number and file index on Windows), not by the spelling: a
// relative and an absolute path, a hard or symbolic link, or the name in another case on
// Windows all name the same file.
#pragma once

#include <cstdint>
#include <string>

namespace fw {

struct FileId {
  uint64_t volume = 0;
  uint64_t index = 0;
  bool operator==(const FileId& other) const {
    return volume == other.volume && index == other.index;
  }
};

// Through the installed platform. False when either path names nothing yet or its identity
// cannot be told: a file that is not there is never the same as another.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace fw
