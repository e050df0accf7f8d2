// The report of a whole site folder: which files are nodes, the names of their pages, the
// index and pages as goldens, and the exit code with what is written or refused.
#include "tools/site_report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "tests/settingsfile/temp_folder.h"
#include "tests/support/case_names.h"
#include "tools/settings_tool.h"

namespace {

namespace fs = std::filesystem;
using settingsfile_test::TempFolder;

std::string Joined(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& n : names) out += (out.empty() ? "" : "|") + n;
  return out;
}

// Hidden files and pages are no nodes; a page's name keeps no separator, no device name and
// no name another page has, whatever the case.
TEST(SiteReport, NodeFilesAndTheirPageNames) {
  EXPECT_EQ(Joined(NodeFileNames({"b.txt", ".hidden", "a.TXT", "old.HTML", "x.htm", "Z"})),
            "Z|a.TXT|b.txt");
  const struct {
    std::vector<std::string> files;
    const char* pages;
  } cases[] = {
      {{"Kessel.txt", "kessel.TXT"}, "Kessel.html|kessel-2.html"},
      {{"x", "x-2.txt", "x.txt"}, "x.html|x-2.html|x-3.html"},
      {{"a.b.txt", "a_b.txt"}, "a_b.html|a_b-2.html"},
      {{"..\\evil.txt", "c:d/e.txt", "a<b>|?*\".txt"}, "___evil.html|c_d_e.html|a_b_____.html"},
      {{"NUL.txt", "com1", "Index.txt", "lpt0"}, "NUL_.html|com1_.html|Index_.html|lpt0.html"},
      {{"K\xC3\xBC"
        "che 2.txt",
        "\xE9t\xE9.txt", "...."},
       "K\xC3\xBC"
       "che_2.html|_t_.html|___.html"},
  };
  for (const auto& c : cases) EXPECT_EQ(Joined(PageFileNames(c.files)), c.pages);
}

// The sample site (three nodes, the planned file kept beside them) against its planned file:
// the index and each page are goldens, well-formed XML, and link only to each other.
// HD7_3_UPDATE_GOLDEN=1 rewrites the goldens.
TEST(SiteReport, SampleSiteIsTheGoldenPages) {
  TempFolder out;
  const fs::path previous = fs::current_path();
  fs::current_path(HD7_3_SOURCE_DIR);
  std::ostringstream stdOut, err;
  const int code = RunSettingsTool(
      {"report", "--site-folder", "tests/tools/files/site", "--against",
       "tests/tools/files/site/planned.txt", "--site-file", "tests/tools/files/site.txt", "--date",
       "7/12-2026", "--output-dir", out.Folder()},
      stdOut, err);
  fs::current_path(previous);
  EXPECT_EQ(code, 1);
  EXPECT_EQ(stdOut.str() + err.str(),
            out.Folder() + "/index.html: 3 nodes, 2 with findings or differences, 1 unreadable\n");
  const std::vector<std::string> written = out.Names();
  EXPECT_EQ(Joined(written), "Boiler_room_2.html|Calendars.html|index.html");
  const bool update = std::getenv("HD7_3_UPDATE_GOLDEN") != nullptr;
  const std::set<std::string> pages(written.begin(), written.end());
  for (const std::string& name : written) {
    const std::string page = TempFolder::Read(out.Path(name));
    const std::string golden = TempFolder::Source("tests/tools/golden/site/" + name);
    if (update) std::ofstream(golden, std::ios::binary) << page;
    EXPECT_EQ(page, TempFolder::Read(golden)) << golden;
    // Namespaces name no address to fetch; every other reference is one of the pages.
    const std::string refs = std::regex_replace(page, std::regex("xmlns=\"[^\"]*\""), "");
    const std::regex link("(?:href|src)=\"([^\"]*)\"|(https?:|url\\()");
    for (std::sregex_iterator it(refs.begin(), refs.end(), link), end; it != end; ++it) {
      EXPECT_TRUE((*it)[1].matched && pages.count((*it)[1]) == 1) << name << ": " << it->str();
    }
    if (std::system("command -v xmllint >/dev/null 2>&1") == 0) {
      EXPECT_EQ(std::system(("xmllint --noout '" + golden + "'").c_str()), 0) << golden;
    }
  }
}

// Files of the site folder (name, sample), the arguments ("@dir" the folder, "@out" its
// folder "out"), the exit code, what "out" then holds and the index's totals.
using Files = std::vector<std::pair<const char*, const char*>>;
using Args = std::vector<std::string>;
struct SiteCase {
  const char* name;
  Files files;
  Args args;
  int code;
  const char* written;
  const char* totals;  // nodes, with findings, [with differences,] unreadable
};

const SiteCase kSiteCases[] = {
    {"PlannedBesideAnEqualNode", Files{{"a.txt", "factory"}, {"planned.txt", "factory"}},
     Args{"--against", "@dir/planned.txt"}, 0, "a.html|index.html", "1 0 0 0"},
    {"FindingsWithoutAPlan", Files{{"c.txt", "calendars"}}, Args{}, 1, "c.html|index.html",
     "1 1 0"},
    {"DifferencesOnly", Files{{"s.txt", "service"}}, Args{"--against", "@dir/../p.txt"}, 1,
     "index.html|s.html", "1 0 1 0"},
    {"AnUnreadableNodeStopsNoOther",
     Files{{"w.txt", "wrong_id"}, {"t.txt", "truncated"}, {"ok.txt", "factory"}}, Args{}, 1,
     "index.html|ok.html", "3 0 2"},
    {"EmptyFolder", Files{}, Args{}, 0, "index.html", "0 0 0"},
    {"OutputOverThePlannedFile", Files{{"a.txt", "factory"}, {"index.html", "factory"}},
     Args{"--against", "@dir/index.html", "--output-dir", "@dir"}, 2, "", ""},
    {"UnreadablePlannedFile", Files{{"a.txt", "factory"}}, Args{"--against", "@dir/../w.txt"}, 2,
     "", ""},
    {"NoSuchFolder", Files{}, Args{"--site-folder", "@dir/none"}, 2, "", ""},
    {"OutputFolderIsAFile", Files{{"a.txt", "factory"}}, Args{"--output-dir", "@dir/a.txt"}, 2, "",
     ""},
    {"AFileBesideTheFolder", Files{{"a.txt", "factory"}}, Args{"a.txt"}, 2, "", ""},
};

class Site : public ::testing::TestWithParam<SiteCase> {};

TEST_P(Site, ExitCodeAndWhatIsWritten) {
  const SiteCase& c = GetParam();
  TempFolder root;
  const std::string dir = root.Path("site");
  fs::create_directory(dir);
  root.Write("p.txt", TempFolder::Sample("factory.txt"));
  root.Write("w.txt", TempFolder::Sample("wrong_id.txt"));
  for (const auto& [name, sample] : c.files) {
    root.Write(std::string("site/") + name, TempFolder::Sample(std::string(sample) + ".txt"));
  }
  std::vector<std::string> args{"report", "--site-folder", dir, "--output-dir", dir + "/out"};
  for (std::string a : c.args) {
    if (a.compare(0, 4, "@dir") == 0) a = dir + a.substr(4);
    args.push_back(a);
  }
  std::ostringstream out, err;
  EXPECT_EQ(RunSettingsTool(args, out, err), c.code) << err.str();
  EXPECT_EQ(err.str().empty(), c.code != 2) << err.str();
  EXPECT_EQ(Joined(TempFolder::NamesIn(dir + "/out")), c.written);
  const std::string index = TempFolder::Read(dir + "/out/index.html");
  std::string totals;
  const std::regex total("<tr><th>(?:Nodes|With [a-z]+|Unreadable)</th><td>([0-9]+)</td>");
  for (std::sregex_iterator it(index.begin(), index.end(), total), end; it != end; ++it) {
    totals += (totals.empty() ? "" : " ") + (*it)[1].str();
  }
  EXPECT_EQ(totals, c.totals);
}

INSTANTIATE_TEST_SUITE_P(Cases, Site, ::testing::ValuesIn(kSiteCases), testing_support::kByName);

}  // namespace
