// The report's site texts: from a site file, from the options, in the head and the sign-off.
#include "tools/report_site.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "tests/settingsfile/temp_folder.h"
#include "tools/settings_tool.h"

namespace {

using settingsfile_test::TempFolder;

// A site file's text, and options after it: the head's site, engineer, commissioning date and
// the sign-off's name, or the message of a refused site file (exit code 2, nothing written).
TEST(ReportSite, SiteTextsComeFromTheSiteFileAndTheOptions) {
  using Options = std::vector<std::string>;
  const std::string big = "site = " + std::string(kMaxSiteFileBytes, 'x');
  const struct {
    std::string site;
    Options options;
    const char* result;
  } cases[] = {
      {"site = Town hall\nengineer = Jo\ncommissioned = 7/12-2026\n", Options{},
       "Town hall|Jo|7/12-2026|Jo"},
      {"# a = b\r\n\r\n  site=A = B # no comment \r\n", Options{}, "A = B # no comment|||"},
      {"engineer =\ncommissioned = soon", Options{"--engineer", "Kim <K>"},
       "|Kim &lt;K&gt;|soon|Kim &lt;K&gt;"},
      {"", Options{"--commissioned", "1/2-2027", "--site", "Depot"}, "Depot||1/2-2027|"},
      {"site = A\nsite = B\n", Options{}, "site.txt line 2: site is given twice\n"},
      {"site: A\n", Options{}, "site.txt line 1: not a line of the form key = value\n"},
      {"\n\nSite = A\n", Options{},
       "line 3: unknown key \"Site\" (the keys are site, engineer, commissioned)\n"},
      {" = A\n", Options{}, "line 1: unknown key \"\""},
      {big, Options{}, "site.txt: larger than 4096 bytes\n"},
      {big, Options{"--site-file"}, "hd7_3settings: no value for --site-file\n"},
  };
  TempFolder folder;
  const std::string input = folder.Write("in.txt", TempFolder::Sample("factory.txt"));
  for (const auto& c : cases) {
    std::vector<std::string> args{"report", input,         "--date",
                                  "d",      "--site-file", folder.Write("site.txt", c.site)};
    args.insert(args.end(), c.options.begin(), c.options.end());
    std::ostringstream out, err;
    const int code = RunSettingsTool(args, out, err);
    const std::string page = out.str();
    std::string result;
    for (const char* row : {"<th>Site</th><td", "<th>Engineer</th><td", "<th>Commissioned</th><td",
                            "<th>Name</th><td"}) {
      const size_t from = page.find('>', page.find(row) + std::strlen(row)) + 1;
      result += page.substr(from, page.find("</td>", from) - from) + (row[4] == 'N' ? "" : "|");
    }
    if (code == 0) {
      EXPECT_EQ(result, c.result);
      EXPECT_NE(page.find("<tr><th>Signature</th><td></td><td></td></tr>"), std::string::npos);
    } else {
      EXPECT_EQ(code, 2);
      EXPECT_EQ(page, "");
      EXPECT_NE(err.str().find(c.result), std::string::npos) << err.str();
    }
  }
}

}  // namespace
