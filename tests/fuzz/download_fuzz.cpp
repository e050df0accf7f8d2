// libFuzzer target for the download reader. Any text goes in; besides the sanitizers the node
// checks every write (tests/fuzz/fuzz_platform.h), with some writes refused and the question
// about a foreign program ID answered either way.
#include <cstdint>
#include <string>

#include "settingsfile/settings_download.h"
#include "tests/fuzz/fuzz_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzPlatform platform;
  fw::ScopedPlatform installed(platform);
  WatchedLines lines(std::string(reinterpret_cast<const char*>(data), size));
  CheckingNode node(lines);
  node.failEvery = static_cast<int>(size % 5);
  int questions = 0;
  const DownloadResult result =
      DownloadSettings(lines, NodeIo(&node, &node), [&] { return (++questions + size) % 2 == 0; });
  if (result.writeErrors < 0) Fail("negative error count", "");
  return 0;
}
