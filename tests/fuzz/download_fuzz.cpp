// libFuzzer target for the download reader. Any text goes in; besides the sanitizers the node
// checks every write (tests/fuzz/fuzz_platform.h), with some writes refused and the question
// about a foreign program ID answered either way. Where the node took every write and every
// answer was Yes, hd7_3settings must read every record as the download wrote it, and a record
// without a value line must not have been written.
#include <cstdint>
#include <string>

#include "settingsfile/settings_download.h"
#include "settingsfile/settings_reader.h"
#include "tests/fuzz/fuzz_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzPlatform platform;
  fw::ScopedPlatform installed(platform);
  const std::string text(reinterpret_cast<const char*>(data), size);
  WatchedLines lines(text);
  CheckingNode node(lines);
  node.failEvery = static_cast<int>(size % 5);
  int questions = 0;
  bool allYes = true;
  const DownloadResult result = DownloadSettings(lines, NodeIo(&node, &node), [&] {
    const bool yes = (++questions + size) % 2 == 0;
    allYes = allYes && yes;
    return yes;
  });
  if (result.writeErrors < 0) Fail("negative error count", "");
  if (node.failEvery != 0 || !allYes) return 0;
  TextLineReader forTool(text);
  const SettingsFileContent content = ReadSettingsFile(forTool);
  for (int r = 0; r < kFileRecords; ++r) {
    const FileRecord& record = content.records[static_cast<size_t>(r)];
    const std::vector<uint8_t>& written = node.written[static_cast<size_t>(r)];
    if (record.hasValues ? record.bytes != written : !written.empty()) {
      Fail("record read unlike a download wrote it", RecordName(r));
    }
  }
  return 0;
}
