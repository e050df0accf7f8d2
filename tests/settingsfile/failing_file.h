// A file whose reading fails after a given number of bytes, as a disk or network share can in
// the middle of a file (glibc's fopencookie).
#pragma once

#include <sys/types.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace settingsfile_test {

struct FailingSource {
  std::string bytes;
  size_t goodBytes;  // bytes that read before the error
  size_t next = 0;
};

inline std::FILE* OpenFailingFile(FailingSource& source) {
  cookie_io_functions_t io = {};
  io.read = [](void* cookie, char* buffer, size_t size) -> ssize_t {
    auto& s = *static_cast<FailingSource*>(cookie);
    const size_t end = std::min(s.goodBytes, s.bytes.size());
    if (s.next >= end) return s.next < s.bytes.size() ? -1 : 0;
    const size_t n = std::min(size, end - s.next);
    std::memcpy(buffer, s.bytes.data() + s.next, n);
    s.next += n;
    return static_cast<ssize_t>(n);
  };
  return fopencookie(&source, "rb", io);
}

}  // namespace settingsfile_test
