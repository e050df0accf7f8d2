// libFuzzer target for hd7_3settings's file reader. Any text goes in as a file; besides the
// sanitizers it checks that every finding is on one of the file's lines, and that show, diff
// and check end with one of their exit codes, in text or JSON. (That the reader reads every
// record as a download writes it is the download target's check.)
#include <sstream>

#include "settingsfile/settings_reader.h"
#include "tests/fuzz/fuzz_platform.h"
#include "tools/settings_tool.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzPlatform platform;
  fw::ScopedPlatform installed(platform);
  const std::string text(reinterpret_cast<const char*>(data), size);

  TextLineReader lines(text);
  const SettingsFileContent content = ReadSettingsFile(lines);
  for (const FileFinding& f : content.findings) {
    if (f.line < 1 || (content.lines > 0 && f.line > content.lines)) {
      Fail("finding outside the file's lines", f.text);
    }
  }

  // One command and output form per input keeps the runs fast; the input's size picks them.
  static const SettingsFileContent whole = [] {
    TextLineReader lines(WholeFile());
    return ReadSettingsFile(lines);
  }();
  const bool json = (size & 1) != 0;
  const size_t command = (size >> 1) % 4;
  std::ostringstream out, err;
  if (command == 2 && DiffContents("a", content, "b", content, json, out, err) == 1) {
    Fail("a file differs from itself", "");
  }
  const int code = command == 0   ? ShowContent("f", content, (size & 8) != 0, json, out, err)
                   : command == 1 ? DiffContents("a", whole, "b", content, json, out, err)
                   : command == 3 ? CheckContent("f", content, json, out)
                                  : 0;
  if (code < 0 || code > 2) Fail("exit code outside 0 to 2", std::to_string(size));
  return 0;
}
