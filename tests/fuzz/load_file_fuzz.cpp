// libFuzzer target for the reader of a whole file: any bytes written to a file are read back
// exactly, whatever their line ends, NUL bytes or length.
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "tests/fuzz/fuzz_platform.h"
#include "tools/settings_tool.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzPlatform platform;
  fw::ScopedPlatform installed(platform);
  static const std::string path = "/tmp/hd73_load_file_fuzz_" + std::to_string(::getpid());
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (!(std::ofstream(path, std::ios::binary) << bytes)) Fail("cannot write the file", path);
  std::ostringstream err;
  const std::optional<std::string> text = LoadFile(path, err);  // the reader under test
  if (text != bytes) Fail("the file read is not the bytes written", err.str());
  std::remove(path.c_str());
  return 0;
}
