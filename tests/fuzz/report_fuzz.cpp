// libFuzzer target for hd7_3settings report: any text as the file (and its name), against a
// complete file for every eighth input, and as a site file. A page that is made is one whole
// page of UTF-8 text whatever bytes the file's names and the site file's texts hold.
#include <optional>
#include <sstream>

#include "framework/text_escape.h"
#include "tests/fuzz/fuzz_platform.h"
#include "tools/report_site.h"
#include "tools/settings_report.h"

namespace {

// UTF-8 throughout (whole characters only), no control character but the line end, and the page
// closed. The check is left out of the fuzzer's coverage, and asks the escaper only about bytes
// past ASCII: walking a whole page through counters on every input cost more than making it.
__attribute__((no_sanitize("coverage"))) void ExpectPage(const std::string& page) {
  for (size_t i = 0; i < page.size();) {
    const unsigned char c = static_cast<unsigned char>(page[i]);
    if (c < 0x20 && c != '\n') Fail("a control character on the page", page.substr(i, 8));
    const size_t n = c < 0x80 ? 1 : fw::Utf8CharLength(page, i);
    if (n == 0) Fail("not UTF-8 on the page", page.substr(i, 8));
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
  std::ostringstream page, err;
  static const ReportInput whole{"a", WholeFile()};
  const int code = ReportText({text, text}, size % 8 == 1 ? &whole : nullptr, "d", page, err);
  if (code < 0 || code > 2) Fail("exit code outside 0 to 2", "report");
  if (code != 2) ExpectPage(page.str());
  // The same text as a site file: read or refused with a reason, and every eighth one that is
  // read goes into the head and the footer of a whole file's page.
  std::string error;
  const std::optional<SiteInfo> site = ParseSiteFile("s", text, error);
  if (!site && error.empty()) Fail("a site file refused without a reason", "site");
  if (site && size % 8 == 2) {
    std::ostringstream sitePage;
    if (ReportText(whole, nullptr, "d", sitePage, err, *site) != 0) Fail("site page", "report");
    ExpectPage(sitePage.str());
  }
  return 0;
}
