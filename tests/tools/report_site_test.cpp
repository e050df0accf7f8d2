// The report as a handover document: the site file, the head's site rows, the sign-off and
// the print footer's node name.
#include "tools/report_site.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/settingsfile/temp_folder.h"
#include "tools/settings_tool.h"

namespace {

using settingsfile_test::TempFolder;

// Site file texts: what they give (site|engineer|commissioned) or why they are refused.
TEST(ReportSite, SiteFileGivesItsThreeTextsOrAClearReason) {
  const struct {
    const char* text;
    const char* result;
  } cases[] = {
      {"site = Town hall\nengineer = Jo\ncommissioned = 7/12-2026\n", "Town hall|Jo|7/12-2026"},
      {"# a comment = not a key\r\n\r\n  site=A = B # not a comment \r\n",
       "A = B # not a comment||"},
      {"engineer =\ncommissioned = soon", "||soon"},
      {"", "||"},
      {"site = A\nsite = B\n", "s line 2: site is given twice"},
      {"site: A\n", "s line 1: not a line of the form key = value"},
      {"\n\nSite = A\n",
       "s line 3: unknown key \"Site\" (the keys are site, engineer, commissioned)"},
      {" = A\n", "s line 1: unknown key \"\" (the keys are site, engineer, commissioned)"},
  };
  for (const auto& c : cases) {
    std::string error;
    const std::optional<SiteInfo> site = ParseSiteFile("s", c.text, error);
    EXPECT_EQ(site ? site->site + "|" + site->engineer + "|" + site->commissioned : error,
              c.result);
  }
}

// The site file goes through the file layer with its small limit: a file too large for one,
// or none at all, is refused with the layer's reason.
TEST(ReportSite, SiteFileIsReadWholeWithASmallLimit) {
  TempFolder folder;
  const std::string full = "site = " + std::string(kMaxSiteFileBytes - 8, 'x') + "\n";
  const std::string over = full + "#";
  const struct {
    std::string name, text, result;
  } cases[] = {
      {"full.txt", full, std::string(kMaxSiteFileBytes - 8, 'x')},
      {"over.txt", over, folder.Path("over.txt") + ": larger than 4096 bytes"},
      {"", "", "cannot open " + folder.Path("missing.txt")},
  };
  for (const auto& c : cases) {
    const std::string path =
        c.name.empty() ? folder.Path("missing.txt") : folder.Write(c.name, c.text);
    std::string error;
    const std::optional<SiteInfo> site = ReadSiteFile(path, error);
    EXPECT_EQ(site ? site->site : error.substr(0, c.result.size()), c.result);
  }
}

// The command: the site file's texts in the head, an option in place of the file's, the
// engineer's name in the sign-off; a site file refused ends the command with nothing written.
TEST(ReportSite, ReportTakesTheSiteFromTheFileAndTheOptions) {
  TempFolder folder;
  const std::string input = folder.Write(
      "in.txt", TempFolder::Read(std::string(HD7_3_SOURCE_DIR) + "/tests/tools/files/factory.txt"));
  const std::string siteFile = folder.Write("site.txt", "site = Town hall\nengineer = Jo\n");
  const std::string badFile = folder.Write("bad.txt", "site = A\nowner = B\n");
  const struct {
    std::vector<std::string> options;
    int code;
    const char* head;  // site|engineer|commissioned|sign-off name, or the message
  } cases[] = {
      {{"--site-file", siteFile}, 0, "Town hall|Jo||Jo"},
      {{"--site-file", siteFile, "--engineer", "Kim <K>"},
       0,
       "Town hall|Kim &lt;K&gt;||Kim &lt;K&gt;"},
      {{"--commissioned", "1/2-2027", "--site", "Depot"}, 0, "Depot||1/2-2027|"},
      {{}, 0, "|||"},
      {{"--site-file", badFile},
       2,
       "line 2: unknown key \"owner\" (the keys are site, engineer, commissioned)\n"},
      {{"--site-file"}, 2, "hd7_3settings: no value for --site-file\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"report", input, "--date", "d"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    std::ostringstream out, err;
    EXPECT_EQ(RunSettingsTool(args, out, err), c.code);
    if (c.code != 0) {
      EXPECT_EQ(out.str(), "");
      EXPECT_NE(err.str().find(c.head), std::string::npos) << err.str();
      continue;
    }
    const std::string page = out.str();
    std::string head;
    for (const char* row : {"Site", "Engineer", "Commissioned"}) {
      const size_t at = page.find(std::string("<tr><th>") + row + "</th><td");
      const size_t from = page.find('>', page.find("<td", at)) + 1;
      head += page.substr(from, page.find("</td>", from) - from) + "|";
    }
    const size_t name = page.find("<tr><th>Name</th><td>") + 21;
    head += page.substr(name, page.find("</td>", name) - name);
    EXPECT_EQ(head, c.head);
    EXPECT_NE(page.find("<tr><th>Signature</th><td></td><td></td></tr>"), std::string::npos);
  }
}

// The node's name in the footer's CSS string reads the same whether the page is taken as XHTML
// or as HTML: nothing in it can close the string, the rule or the style element.
TEST(ReportSite, NodeNameInTheFooterIsACssString) {
  const std::pair<const char*, const char*> cases[] = {
      {"Boiler room 2", "\"Boiler room 2\""},   {"a\"b\\c", "\"a\\22 b\\5C c\""},
      {"</style>", "\"\\3C \\2F style\\3E \""}, {"x;}\n{", "\"x\\3B \\7D \\240A \\7B \""},
      {"K\xC3\xBChl", "\"K\xC3\xBChl\""},  // UTF-8 as it is
      {"\xE9t\xE9", "\"\\E9 t\\E9 \""},    // the node's own bytes as in the page
  };
  for (const auto& [name, css] : cases) EXPECT_EQ(CssString(name), css) << name;
  EXPECT_NE(PageFooterStyle("Boiler room 2")
                .find("\"Boiler room 2\" \" \\B7  page \" counter(page) \" of \" counter(pages)"),
            std::string::npos);
}

}  // namespace
