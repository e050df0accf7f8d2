// libFuzzer target for the reader of a whole file: any bytes written to a file are read back
// exactly, whatever their line ends, NUL bytes or length.
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "tests/fuzz/fuzz_platform.h"
#include "framework/file_layer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzPlatform platform;
  fw::ScopedPlatform installed(platform);
  static const std::string path = "/tmp/hd73_load_file_fuzz_" + std::to_string(::getpid());
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (!(std::ofstream(path, std::ios::binary) << bytes)) Fail("cannot write the file", path);
  const fw::FileRead read = fw::ReadWholeFile(path);
  if (!read.Ok() || read.text != bytes) Fail("the file read is not the bytes written", path);
  std::remove(path.c_str());
  return 0;
}
