// The report's pictures against the bytes they are drawn from, its escaping, its well-formed
// pages and its --output; its pages whole are goldens of the tool test.
#include "tools/settings_report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <sstream>

#include "tests/settingsfile/temp_folder.h"
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
  for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
       ++it) {
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
// and 25; Sunday's presence lane at y 88. A start after its stop is written out instead.
struct BarCase {
  int circuit;
  bool presence;
  int word, start, stop;
  const char* bars;
};

const BarCase kBars[] = {
    {1, false, 3, 32, 64, "140.0,16.0,88.0 1"},             // 8:00-16:00, Calender 1
    {1, false, 4, 88, 24, "stop 6:00 before start 22:00"},  // start after stop
    {1, false, 3, 0, 0, ""},                                // 0:00-0:00: no time
    {2, false, 4, 88, 0, "294.0,25.0,22.0 2"},              // 0:00 stop ends the day
    {1, false, 3, 0, 26, "52.0,16.0,71.5 1"},               // from midnight to 6:30
    {1, false, 3, 8, 200, "74.0,16.0,242.0 1"},             // beyond 24:00: to 24:00
    {2, true, 1, 32, 64, "140.0,88.0,88.0"},                // presence, Sunday
    {1, true, 2, 32, 64, ""},                               // a word not on the page
};

class CalendarBars : public ::testing::TestWithParam<BarCase> {};

TEST_P(CalendarBars, StandForTheStartAndStopTimes) {
  const BarCase& c = GetParam();
  uint8_t part[31] = {};
  part[2 * c.word] = static_cast<uint8_t>(c.start);
  part[2 * c.word - 1] = static_cast<uint8_t>(c.stop);
  const std::string svg = CalendarPicture(part, c.circuit, c.presence);
  EXPECT_EQ(Matches(svg,
                    "<rect x=\"([^\"]+)\" y=\"([^\"]+)\" width=\"([^\"]+)\"|class=\"(?:"
                    "fault|number)\">([^<]+)<"),
            c.bars);
}

INSTANTIATE_TEST_SUITE_P(Cases, CalendarBars, ::testing::ValuesIn(kBars));

// Curve points in hundredths of a degree; the plot runs from x 40 to 320 and y 196 up to 26 over
// axes rounded out to whole steps of 10 °C (20 °C where 10 would need more than eight).
struct CurveCase {
  int count;
  std::vector<std::pair<int, int>> points;  // outdoor, forward
  const char* polyline;
};

const CurveCase kCurves[] = {
    {2, {{-1200, 7000}, {2000, 3500}, {0, 9000}}, "96.0,26.0 320.0,174.8"},
    {7,
     {{-2000, 8000}, {-1000, 7000}, {0, 6000}, {1000, 5000}, {2000, 4000}},
     "40.0,26.0 110.0,68.5 180.0,111.0 250.0,153.5 320.0,196.0"},
    {0, {{500, 500}, {500, 500}}, "180.0,111.0 180.0,111.0"},
    {2, {{-5000, 10000}, {5000, 0}}, "63.3,26.0 296.7,196.0"},
};

class CurvePoints : public ::testing::TestWithParam<CurveCase> {};

TEST_P(CurvePoints, StandForTheValuesInTheFile) {
  const CurveCase& c = GetParam();
  uint8_t record[31] = {static_cast<uint8_t>(c.count)};
  const auto put = [&](size_t at, int value) {  // big-endian words
    record[at] = static_cast<uint8_t>(static_cast<uint16_t>(value) >> 8);
    record[at + 1] = static_cast<uint8_t>(value);
  };
  for (size_t i = 0; i < c.points.size(); ++i) {
    put(2 * i + 1, c.points[i].first);
    put(2 * i + 11, c.points[i].second);
  }
  for (int circuit : {1, 2}) {
    EXPECT_EQ(Matches(HeatingCurvePicture(record, circuit), "<polyline points=\"([^\"]+)\""),
              c.polyline);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, CurvePoints, ::testing::ValuesIn(kCurves));

// Node names are the node's bytes; file names whatever the engineer typed.
TEST(ReportText, NamesShowTheirCharactersAsTheyAre) {
  const std::pair<const char*, const char*> rows[] = {
      {"<b>x</b>", "&lt;b&gt;x&lt;/b&gt;"},
      {"a&b \"c\"", "a&amp;b &quot;c&quot;"},
      {"\x01\t\x7F", "&#x2401;&#x2409;&#x2421;"},
      {"K\xC3\xBChl \xE2\x86\x92", "K\xC3\xBChl \xE2\x86\x92"},  // UTF-8 as it is
      {"\xE9t\xE9", "&#xE9;t&#xE9;"},                            // the node's own bytes
      {"\xED\xA0\x80\xC3", "&#xED;&#xA0;&#x80;&#xC3;"},          // no half characters
  };
  const std::string factory = TempFolder::Read(Source("tests/tools/files/factory.txt"));
  for (const auto& [name, shown] : rows) {
    EXPECT_EQ(XmlText(name), shown);
    std::string text = factory;
    text.replace(text.find("Boiler room 2"), 13, name);
    std::ostringstream page, err;
    ASSERT_EQ(ReportText({name, text}, nullptr, "1/1-2027", page, err), 0) << err.str();
    EXPECT_NE(page.str().find("<tr><th>Node name</th><td>" + std::string(shown) + "</td></tr>"),
              std::string::npos);
    EXPECT_NE(page.str().find("<tr><th>File</th><td>" + std::string(shown) + "</td></tr>"),
              std::string::npos);
  }
}

// The goldens as a browser and an XML reader both take them.
class WellFormed : public ::testing::TestWithParam<const char*> {};

TEST_P(WellFormed, AsXml) {
  if (std::system("command -v xmllint >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xmllint";
  const std::string page = Source(std::string("tests/tools/golden/") + GetParam() + ".html");
  EXPECT_EQ(std::system(("xmllint --noout '" + page + "'").c_str()), 0) << page;
}

INSTANTIATE_TEST_SUITE_P(Goldens, WellFormed,
                         ::testing::Values("report_factory", "report_service_against_factory",
                                           "report_calendars"));

// --output replaces a report whole or not at all: a read-only report, one in a folder that
// takes no new file, or one the disk has no room for, stays as it was.
struct OutputCase {
  const char* name;
  bool oldReport, readOnlyFile, readOnlyFolder;
  int exitCode;
  long fileSizeLimit = -1;  // more bytes in a file is a failed write
};

const OutputCase kOutputs[] = {
    {"new", false, false, false, 0},          {"over_old", true, false, false, 0},
    {"read_only_file", true, true, false, 2}, {"read_only_folder", true, false, true, 2},
    {"no_folder", false, false, false, 2},    {"no_room", true, false, false, 2, 1000},
};

class ReportOutput : public ::testing::TestWithParam<OutputCase> {};

TEST_P(ReportOutput, ReplacesTheOldReportWholeOrNotAtAll) {
  const OutputCase& c = GetParam();
  TempFolder folder;
  const std::string input =
      folder.Write("in.txt", TempFolder::Read(Source("tests/tools/files/factory.txt")));
  const std::string old = "<p>old report</p>";
  std::string target = c.oldReport ? folder.Write("out.html", old,
                                                  c.readOnlyFile ? settingsfile_test::kReadOnly
                                                                 : std::filesystem::perms::all)
                                   : folder.Path("out.html");
  if (c.name == std::string("no_folder")) target = folder.Path("missing/out.html");
  if (c.readOnlyFolder) folder.SetReadOnly(true);
  const bool passed = settingsfile_test::RunConfined(
      [&] {
        std::ostringstream out, err;
        EXPECT_EQ(
            RunSettingsTool({"report", input, "--output", target, "--date", "1/1-2027"}, out, err),
            c.exitCode);
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(err.str().empty(), c.exitCode == 0) << err.str();
        if (c.fileSizeLimit >= 0) {
          EXPECT_EQ(err.str(), "hd7_3settings: write error: " + target +
                                   ": File too large: a file there is left as it was\n");
        }
        std::ostringstream page;
        ReportText({input, TempFolder::Read(input)}, nullptr, "1/1-2027", page, err);
        EXPECT_EQ(TempFolder::Read(target), c.exitCode == 0 ? page.str() : c.oldReport ? old : "");
      },
      c.fileSizeLimit);
  folder.SetReadOnly(false);
  EXPECT_TRUE(passed);
  EXPECT_EQ(folder.Names().size(), c.oldReport || c.exitCode == 0 ? 2u : 1u);  // no leftovers
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportOutput, ::testing::ValuesIn(kOutputs),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
