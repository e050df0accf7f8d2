// The report's pictures against the bytes they are drawn from, its escaping, its well-formed
// pages and its --output; its pages whole are goldens of the tool test.
#include "tools/settings_report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <sstream>

#include "tests/settingsfile/temp_folder.h"
#include "tests/support/case_names.h"
#include "tools/settings_tool.h"

namespace {

using settingsfile_test::TempFolder;

std::string Source(const std::string& path) {
  return std::string(HD7_3_SOURCE_DIR) + "/" + path;
}

// Every match of `pattern` in `text`, its groups joined with commas, the matches with spaces.
std::string Matches(const std::string& text, const std::string& pattern) {
  std::string out;
  const std::regex re(pattern);
  for (std::sregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it) {
    std::string groups;
    for (size_t g = 1; g < it->size(); ++g) {
      if ((*it)[g].matched) groups += (groups.empty() ? "" : ",") + (*it)[g].str();
    }
    out += (out.empty() ? "" : " ") + groups;
  }
  return out;
}

// A time word of a calendar part: Monday's Calender 1 is word 3, Calender 2 word 4, Sunday's
// presence word 1. Bars are x, y, width: 0:00 at x 52, 11 per hour; Monday's lanes at y 16
// and 25; Sunday's presence lane at y 88. (A start after its stop: the calendars golden.)
TEST(ReportPictures, CalendarBarsStandForTheStartAndStopTimes) {
  const struct {
    int circuit;
    bool presence;
    int word, start, stop;
    const char* bars;
  } cases[] = {
      {1, false, 3, 32, 64, "140.0,16.0,88.0 1"},  // 8:00-16:00, Calender 1
      {1, false, 3, 0, 0, ""},                     // 0:00-0:00: no time
      {2, false, 4, 88, 0, "294.0,25.0,22.0 2"},   // 0:00 stop ends the day
      {1, false, 3, 0, 26, "52.0,16.0,71.5 1"},    // from midnight to 6:30
      {1, false, 3, 8, 200, "74.0,16.0,242.0 1"},  // beyond 24:00: to 24:00
      {2, true, 1, 32, 64, "140.0,88.0,88.0"},     // presence, Sunday
      {1, true, 2, 32, 64, ""},                    // a word not on the page
  };
  for (const auto& c : cases) {
    uint8_t part[31] = {};
    part[2 * c.word] = static_cast<uint8_t>(c.start);
    part[2 * c.word - 1] = static_cast<uint8_t>(c.stop);
    EXPECT_EQ(Matches(CalendarPicture(part, c.circuit, c.presence),
                      "<rect x=\"([^\"]+)\" y=\"([^\"]+)\" "
                      "width=\"([^\"]+)\"|class=\"(?:fault|number)\">([^<]+)<"),
              c.bars)
        << c.bars;
  }
}

// Curve records (count, five outdoor and five forward temperatures in hundredths) for both
// circuits: the plot runs from x 40 to 320 and y 196 up to 26 over axes rounded out to whole
// steps of 10 °C (20 °C where 10 would need more than eight). (Two of three points: a golden.)
TEST(ReportPictures, CurvePointsStandForTheValuesInTheFile) {
  const std::pair<std::vector<int>, const char*> cases[] = {
      {{7, -2000, -1000, 0, 1000, 2000, 8000, 7000, 6000, 5000, 4000},
       "40.0,26.0 110.0,68.5 180.0,111.0 250.0,153.5 320.0,196.0"},
      {{0, 500, 500, 0, 0, 0, 500, 500}, "180.0,111.0 180.0,111.0"},
      {{2, -5000, 5000, 0, 0, 0, 10000, 0}, "63.3,26.0 296.7,196.0"},
  };
  for (const auto& [values, polyline] : cases) {
    const std::vector<uint8_t> record = settingsfile_test::StrInt(values);
    for (int circuit : {1, 2}) {
      const std::string svg = HeatingCurvePicture(record.data(), circuit);
      EXPECT_EQ(Matches(svg, "<polyline points=\"([^\"]+)\""), polyline);
    }
  }
}

// Node names are the node's bytes; file names whatever the engineer typed.
TEST(ReportText, NamesShowTheirCharactersAsTheyAre) {
  const std::pair<const char*, const char*> rows[] = {
      {"<b>x</b>", "&lt;b&gt;x&lt;/b&gt;"},
      {"a&b \"c\"", "a&amp;b &quot;c&quot;"},
      {"\x01\t\x7F", "&#x2401;&#x2409;&#x2421;"},
      {"K\xC3\xBChl \xE2\x86\x92", "K\xC3\xBChl \xE2\x86\x92"},  // UTF-8 as it is
      {"\xE9t\xE9", R"(\xE9t\xE9)"},                // bytes that are not UTF-8, visibly
      {"\xED\xA0\x80\xC3", R"(\xED\xA0\x80\xC3)"},  // no half characters
  };
  const std::string factory = TempFolder::Read(Source("tests/tools/files/factory.txt"));
  for (const auto& [name, shown] : rows) {
    EXPECT_EQ(XmlText(name), shown);
    std::string text = factory;
    text.replace(text.find("Boiler room 2"), 13, name);
    std::ostringstream page, err;
    ASSERT_EQ(ReportText({name, text}, nullptr, "1/1-2027", page, err), 0) << err.str();
    for (const std::string row : {"Node name", "File"}) {
      EXPECT_NE(page.str().find("<tr><th>" + row + "</th><td>" + shown + "</td></tr>"),
                std::string::npos);
    }
  }
}

// The goldens as a browser and an XML reader both take them.
TEST(ReportText, GoldensAreWellFormedXml) {
  if (std::system("command -v xmllint >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xmllint";
  for (const char* name :
       {"report_factory", "report_service_against_factory", "report_calendars"}) {
    const std::string page = Source(std::string("tests/tools/golden/") + name + ".html");
    EXPECT_EQ(std::system(("xmllint --noout '" + page + "'").c_str()), 0) << page;
  }
}

// --output replaces a report whole or not at all: a read-only report, one in a folder that
// takes no new file, one in no folder, or one the disk has no room for, stays as it was.
class ReportOutput : public ::testing::TestWithParam<std::string> {};

TEST_P(ReportOutput, ReplacesTheOldReportWholeOrNotAtAll) {
  const std::string how = GetParam();
  const bool hadOld = how != "new" && how != "no_folder", ok = how == "new" || how == "over_old";
  TempFolder folder;
  const std::string input =
      folder.Write("in.txt", TempFolder::Read(Source("tests/tools/files/factory.txt")));
  std::ostringstream page, ignored;
  ReportText({input, TempFolder::Read(input)}, nullptr, "1/1-2027", page, ignored);
  const std::string old = "<p>old report</p>";
  const std::string target =
      how == "no_folder" ? folder.Path("missing/out.html")
      : hadOld           ? folder.Write("out.html", old,
                              how == "read_only_file" ? settingsfile_test::kReadOnly
                                                                : std::filesystem::perms::all)
                         : folder.Path("out.html");
  if (how == "read_only_folder") folder.SetReadOnly(true);
  const bool passed = settingsfile_test::RunConfined(
      [&] {
        std::ostringstream out, err;
        EXPECT_EQ(
            RunSettingsTool({"report", input, "--output", target, "--date", "1/1-2027"}, out, err),
            ok ? 0 : 2);
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(err.str().empty(), ok) << err.str();
        if (how == "no_room") {
          EXPECT_EQ(err.str(), "hd7_3settings: write error: " + target +
                                   ": File too large: a file there is left as it was\n");
        }
        EXPECT_EQ(TempFolder::Read(target), ok ? page.str() : hadOld ? old : "");
      },
      how == "no_room" ? 1000 : -1);  // more bytes in a file is a failed write
  folder.SetReadOnly(false);
  EXPECT_TRUE(passed);
  EXPECT_EQ(folder.Names().size(), hadOld || ok ? 2u : 1u);  // no leftovers
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportOutput,
                         ::testing::Values("new", "over_old", "read_only_file", "read_only_folder",
                                           "no_folder", "no_room"),
                         testing_support::kByName);

}  // namespace
