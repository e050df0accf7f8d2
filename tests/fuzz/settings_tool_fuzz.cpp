// libFuzzer target for hd7_3settings. Any text goes in as a file; besides the sanitizers it
// checks that the tool reads every record as a download writes it (the engineer answering Yes
// to a foreign program ID), that a record without a value line is never written, and that show,
// diff and check end with one of their exit codes in text and JSON alike, and that a report is
// one whole page of UTF-8 text whatever bytes the file's names hold. The node checks every
// write as in the download's target.
#include <array>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "settingsfile/settings_download.h"
#include "settingsfile/settings_reader.h"
#include "tests/fuzz/fuzz_platform.h"
#include "tools/settings_report.h"
#include "tools/settings_tool.h"

namespace {

// A complete file to compare against.
const std::string& WholeFile() {
  static const std::string text = [] {
    std::string t = "- 90 48 44 37 5F 33 42 2A\n";
    for (const char* name : {"nciTemp1PlugIn", "nciTemp2PlugIn", "nciSwitchExt1", "nciSwitchExt2",
                             "nciCalcValve1", "nciCalcValve2"}) {
      t += std::string("* ") + name + " x\n2, 1500, 2300, 0\n\n";
    }
    for (int p = 1; p <= 12; ++p) {
      t += "* nviPluginCnf     (45) - SNVT_str_int     ** Part " + std::to_string(p) + "\n";
      t += "0, 27, 0, 18, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2\n\n";
    }
    return t;
  }();
  return text;
}

void ExpectExit(int code, const char* command) {
  if (code < 0 || code > 2) Fail("exit code outside 0 to 2", command);
}

// UTF-8 throughout (a sequence the page's escaping passes unchanged), no control character but
// the line end, and the page closed.
void ExpectPage(const std::string& page) {
  for (size_t i = 0; i < page.size();) {
    const unsigned char c = static_cast<unsigned char>(page[i]);
    if (c < 0x20 && c != '\n') Fail("a control character on the page", page.substr(i, 8));
    const size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    if (c >= 0x80 && XmlText(page.substr(i, n)) != page.substr(i, n)) {
      Fail("not UTF-8 on the page", page.substr(i, 8));
    }
    i += n;
  }
  const std::string end = "</body>\n</html>\n";
  if (page.size() < end.size() || page.compare(page.size() - end.size(), end.size(), end) != 0) {
    Fail("the page is not closed", "");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzPlatform platform;
  fw::ScopedPlatform installed(platform);
  const std::string text(reinterpret_cast<const char*>(data), size);

  TextLineReader forTool(text);
  const SettingsFileContent content = ReadSettingsFile(forTool);
  WatchedLines forDownload(text);
  CheckingNode node(forDownload);
  DownloadSettings(forDownload, NodeIo(&node, &node), [] { return true; });
  for (int r = 0; r < kFileRecords; ++r) {
    const FileRecord& record = content.records[static_cast<size_t>(r)];
    const std::vector<uint8_t>& written = node.written[static_cast<size_t>(r)];
    if (record.hasValues != !written.empty()) {
      Fail("value line read unlike a download", RecordName(r));
    }
    if (record.hasValues && record.bytes != written)
      Fail("bytes unlike a download's", RecordName(r));
  }
  for (const FileFinding& f : content.findings) {
    if (f.line < 1 || (content.lines > 0 && f.line > content.lines)) {
      Fail("finding outside the file's lines", f.text);
    }
  }

  // One output form per input keeps the runs fast; the input's size picks it.
  const bool json = (size & 1) != 0;
  std::ostringstream out, err;
  ExpectExit(ShowText("f", text, (size & 2) != 0, json, out, err), "show");
  ExpectExit(DiffTexts("a", WholeFile(), "b", text, json, out, err), "diff");
  ExpectExit(CheckText("f", text, json, out), "check");
  if (DiffTexts("a", text, "b", text, false, out, err) == 1) Fail("a file differs from itself", "");
  std::ostringstream page;
  const ReportInput whole{"a", WholeFile()};
  const int report = ReportText({text, text}, (size & 4) != 0 ? &whole : nullptr, "d", page, err);
  ExpectExit(report, "report");
  if (report != 2) ExpectPage(page.str());
  return 0;
}
