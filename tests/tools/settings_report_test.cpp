// The report's pictures against the bytes they are drawn from, its escaping, its well-formed
// pages and its --output; its pages whole are goldens of the tool test.
#include "tools/settings_report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <sstream>
#include <tuple>

#include "tests/settingsfile/temp_folder.h"
#include "tests/support/case_names.h"
#include "tools/settings_tool.h"

namespace {

using settingsfile_test::TempFolder;

const std::string kFactory = TempFolder::Sample("factory.txt");

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
// presence word 1. Bars are x, y, width, class: 0:00 at x 52, 11 per hour; Monday's lanes at
// y 16 and 25, with planned entries 16, 25 (planned), 34, 43 (planned); Sunday's presence lane
// at y 88, with planned entries 142 and 151. A planned start below 0 draws no planned part.
TEST(ReportPictures, CalendarEntriesStandForTheStartAndStopTimes) {
  const struct {
    int circuit;
    bool presence;
    int word, start, stop, plannedStart, plannedStop;
    const char* bars;
  } cases[] = {
      {1, false, 3, 32, 64, -1, 0, "140.0,16.0,88.0,bar c1 1"},  // 8:00-16:00, Calender 1
      {2, false, 4, 40, 40, -1, 0, ""},                          // 10:00-10:00: not used
      {2, false, 4, 88, 0, -1, 0, "294.0,25.0,22.0,bar c2 2"},   // 0:00 stop ends the day
      {1, false, 3, 0, 26, -1, 0, "52.0,16.0,71.5,bar c1 1"},    // from midnight to 6:30
      {1, false, 3, 64, 32, -1, 0, "stop 8:00 before start 16:00"},
      // A time past 24:00: the whole day hatched and marked, never an ordinary bar.
      {1, false, 3, 8, 200, -1, 0, "52.0,16.0,264.0,invalid invalid time 2:00–16370:00"},
      {2, false, 4, 200, 0, -1, 0, "52.0,25.0,264.0,invalid invalid time 16370:00–0:00"},
      {1, false, 3, 97, 97, -1, 0, "52.0,16.0,264.0,invalid invalid time 24:15–24:15"},
      {1, false, 3, 64, 96, -1, 0, "228.0,16.0,88.0,bar c1 1"},     // to 24:00
      {2, true, 1, 32, 64, -1, 0, "140.0,88.0,88.0,bar presence"},  // presence, Sunday
      {1, true, 2, 32, 64, -1, 0, ""},                              // a word not on the page
      // Planned beside found, dashed, without the calendar's number.
      {1, false, 3, 32, 64, 32, 48, "140.0,16.0,88.0,bar c1 1 140.0,25.0,44.0,bar planned c1"},
      {2, false, 4, 0, 0, 32, 64, "140.0,43.0,88.0,bar planned c2"},
      {2, true, 1, 32, 64, 8, 200,
       "140.0,142.0,88.0,bar presence 52.0,151.0,264.0,invalid planned invalid time 2:00–16370:00"},
  };
  for (const auto& c : cases) {
    uint8_t part[31] = {}, planned[31] = {};
    part[2 * c.word] = static_cast<uint8_t>(c.start);
    part[2 * c.word - 1] = static_cast<uint8_t>(c.stop);
    planned[2 * c.word] = static_cast<uint8_t>(c.plannedStart);
    planned[2 * c.word - 1] = static_cast<uint8_t>(c.plannedStop);
    const std::string svg =
        CalendarPicture(part, c.circuit, c.presence, c.plannedStart < 0 ? nullptr : planned);
    EXPECT_EQ(Matches(svg,
                      "<rect x=\"([^\"]+)\" y=\"([^\"]+)\" width=\"([^\"]+)\" height=\"[^\"]+\" "
                      "class=\"((?:bar|invalid)[^\"]*)\"|class=\"(?:fault|number)\">([^<]+)<"),
              c.bars)
        << c.bars;
    // A marked entry is struck through, and only a marked one.
    EXPECT_EQ(svg.find("class=\"hatch\"") != std::string::npos,
              std::string(c.bars).find("invalid") != std::string::npos)
        << c.bars;
    EXPECT_EQ(svg.find(">planned<") != std::string::npos, c.plannedStart >= 0) << c.bars;
  }
}

// Curve records (count, five outdoor and five forward temperatures in hundredths) for both
// circuits: the plot runs from x 40 to 320 and y 196 up to 26 over axes rounded out to marks
// every 1, 2, 5 or 10 °C, 4 to 8 of them (a single value widened to 4 whole degrees).
TEST(ReportPictures, CurvePointsStandForTheValuesInTheFile) {
  using Values = std::vector<int>;
  const struct {
    Values values;
    const char* polyline;
    const char* forwardMarks;
  } cases[] = {
      {Values{7, -2000, -1000, 0, 1000, 2000, 8000, 7000, 6000, 5000, 4000},
       "40.0,26.0 110.0,68.5 180.0,111.0 250.0,153.5 320.0,196.0", "40 50 60 70 80"},
      {Values{0, 500, 500, 0, 0, 0, 500, 500}, "133.3,139.3 133.3,139.3", "4 5 6 7"},
      {Values{2, -5000, 5000, 0, 0, 0, 10000, 0}, "63.3,26.0 296.7,196.0", "0 20 40 60 80 100"},
      {Values{2, 1500, 2300, 0, 0, 0, 1900, 1400}, "68.0,26.0 292.0,196.0", "14 15 16 17 18 19"},
      {Values{3, -1000, 0, 1000, 0, 0, 5500, 4000, 3000}, "40.0,26.0 180.0,128.0 320.0,196.0",
       "30 35 40 45 50 55"},
  };
  for (const auto& c : cases) {
    const std::vector<uint8_t> record = settingsfile_test::StrInt(c.values);
    for (int circuit : {1, 2}) {
      const std::string svg = HeatingCurvePicture({record.data(), true}, circuit);
      EXPECT_EQ(Matches(svg, "<polyline points=\"([^\"]+)\""), c.polyline) << circuit;
      EXPECT_EQ(Matches(svg, "class=\"tick-y\">([^<]+)<"), c.forwardMarks) << circuit;
    }
  }
}

// A circuit in constant mode draws its constant day and night temperatures (values 14 and 15
// of its record), no curve; planned settings are drawn in the dashed style beside the found.
TEST(ReportPictures, ConstantModeAndPlannedSettingsAreDrawnAsTheyAre) {
  const std::vector<uint8_t> curve = settingsfile_test::StrInt(
      {2, -1000, 2000, 0, 0, 0, 6000, 3000, 0, 0, 0, 0, 0, 0, 2100, 1600});
  const struct {
    bool foundCurve;
    int planned;  // -1 none, 0 constant, 1 curve
    const char* drawn;
  } cases[] = {
      {true, -1, "curve"},
      {false, -1, "26.0,constant 196.0,constant"},
      {false, 1, "curve planned 158.6,constant 175.6,constant"},
      {true, 0, "158.6,constant planned 175.6,constant planned curve"},
  };
  for (const auto& c : cases) {
    for (int circuit : {1, 2}) {
      const CurveSettings planned{curve.data(), c.planned == 1};
      const std::string svg = HeatingCurvePicture({curve.data(), c.foundCurve}, circuit,
                                                  c.planned < 0 ? nullptr : &planned);
      EXPECT_EQ(Matches(svg,
                        "class=\"(curve[^\"]*)\"/>|y1=\"([^\"]+)\" x2=\"320.0\" "
                        "y2=\"[^\"]+\" class=\"(constant[^\"]*)\""),
                c.drawn)
          << c.drawn;
      EXPECT_EQ(svg.find(">planned<") != std::string::npos, c.planned >= 0) << c.drawn;
    }
  }
}

// Node names are the node's bytes; file names whatever the engineer typed. The name in the
// print footer is a CSS string that nothing in it can end, read as XHTML or as HTML.
TEST(ReportText, NamesShowTheirCharactersAsTheyAre) {
  const struct {
    const char *name, *shown, *css;
  } rows[] = {
      {"<b>x</b>", "&lt;b&gt;x&lt;/b&gt;", "\\3C b\\3E x\\3C \\2F b\\3E "},
      {"a&b \"c\"", "a&amp;b &quot;c&quot;", "a\\26 b \\22 c\\22 "},
      {"\x01\t\x7F", "&#x2401;&#x2409;&#x2421;", "\\2401 \\2409 \\2421 "},
      {"K\xC3\xBChl \xE2\x86\x92", "K\xC3\xBChl \xE2\x86\x92",
       "K\xC3\xBChl \xE2\x86\x92"},                         // UTF-8
      {"\xE9t\xE9", R"(\xE9t\xE9)", R"(\5C xE9t\5C xE9)"},  // bytes that are not UTF-8, visibly
      {"\xED\xA0\x80\xC3", R"(\xED\xA0\x80\xC3)",
       R"(\5C xED\5C xA0\5C x80\5C xC3)"},  // no half characters
      {"x;}\\{", "x;}\\{", "x\\3B \\7D \\5C \\7B "},
  };
  for (const auto& [name, shown, css] : rows) {
    EXPECT_EQ(XmlText(name), shown);
    std::string text = kFactory;
    text.replace(text.find("Boiler room 2"), 13, name);
    std::ostringstream page, err;
    ASSERT_EQ(ReportText({name, text}, nullptr, "1/1-2027", page, err), 0) << err.str();
    for (const std::string row : {"Node name", "File"}) {
      EXPECT_NE(page.str().find("<tr><th>" + row + "</th><td>" + shown + "</td></tr>"),
                std::string::npos);
    }
    EXPECT_NE(page.str().find("content: \"" + std::string(css) +
                              "\" \" \\B7  page \" counter(page) \" of \" counter(pages);"),
              std::string::npos)
        << css;
  }
}

// The file with value k of a section's value line ("nciTemp2PlugIn", "Part 1") set.
std::string With(std::string text, const std::string& header, int k, int value) {
  const size_t line = text.find('\n', text.find(header)) + 1, end = text.find('\n', line);
  std::vector<std::string> values{""};
  for (char ch : text.substr(line, end - line)) {
    ch == ',' ? values.push_back("") : void(values.back() += ch);
  }
  values[static_cast<size_t>(k)] = (k > 0 ? " " : "") + std::to_string(value);
  std::string joined;
  for (const std::string& v : values) joined += (joined.empty() ? "" : ",") + v;
  return text.replace(line, end - line, joined);
}

std::string Page(const std::string& found, const std::string& planned, int* code = nullptr) {
  std::ostringstream page, err;
  const ReportInput plan{"planned.txt", planned};
  const int c = ReportText({"found.txt", found}, planned.empty() ? nullptr : &plan, "d", page, err);
  if (code != nullptr) *code = c;
  return page.str();
}

// The head counts what the page marks: a start and its stop are one setting, and a setting
// that one file does not use still counts when the two differ. BL1's flag word in part 1 is
// value 1, BL2's value 3 (0x10 follows the curve; the factory file has 27 and 18).
TEST(ReportText, TheHeadCountsTheMarkedCells) {
  const std::string service = TempFolder::Sample("service.txt");
  const std::string calendars = TempFolder::Sample("calendars.txt");
  const std::tuple<std::string, std::string, int> cases[] = {
      {service, kFactory, 23},  // ten week calendar entries, not twenty times
      {kFactory, service, 23},
      {calendars, kFactory, 7},  // three times and four bytes no page writes
      {kFactory, kFactory, 0},
      {With(kFactory, "nciTemp2PlugIn", 0, 4), kFactory, 1},    // points 3, 4 now in use
      {With(kFactory, "nciTemp1PlugIn", 5, 700), kFactory, 1},  // point 5, in use in neither
      {With(kFactory, "Part 1", 3, 2), kFactory, 1},            // BL2 constant
  };
  for (const auto& [found, planned, differences] : cases) {
    int code = -1;
    const std::string page = Page(found, planned, &code);
    const std::regex marked("<td class=\"changed\">");
    EXPECT_EQ(std::distance(std::sregex_iterator(page.begin(), page.end(), marked),
                            std::sregex_iterator()),
              differences);
    EXPECT_EQ(code, differences == 0 ? 0 : 1);
    EXPECT_EQ(Matches(page, "<th>Differences</th><td>([0-9]+|The two) "),
              differences == 0 ? "The two" : std::to_string(differences));
  }
}

// A circuit's Settings Temperatures rows, by the two words after "heating curve, ", where its
// own column does not read "not in use" (the other circuit keeps its two points).
TEST(ReportText, ACircuitShowsOnlyTheSettingsItUses) {
  const std::pair<int, const char*> cases[] = {
      {2, "points in|point 1|point 2|night offset"},
      {3, "points in|point 1|point 2|point 3|night offset"},
      {9, "points in|point 1|point 2|point 3|point 4|point 5|night offset"},
      {0, "constant day|constant night"},  // constant temperatures
  };
  for (int circuit : {1, 2}) {
    for (const auto& [count, expected] : cases) {
      std::string text =
          With(kFactory, circuit == 1 ? "nciTemp1PlugIn" : "nciTemp2PlugIn", 0, count);
      if (count == 0) text = With(text, "Part 1", circuit == 1 ? 1 : 3, circuit == 1 ? 11 : 2);
      const std::string page = Page(text, "");
      const size_t at = page.find("<h2>Settings Temperatures");
      const std::string section = page.substr(at, page.find("</section>", at) - at);
      const std::regex row(
          "<tr><td>(?:heating curve, )?([a-z]+ [a-z0-9]+)[^<]*</td>"
          "<td[^>]*>([^<]*)</td><td[^>]*>([^<]*)</td>");
      std::string rows, last;
      for (std::sregex_iterator it(section.begin(), section.end(), row), end; it != end; ++it) {
        const std::string name = (*it)[1];
        if ((*it)[circuit + 1] == "not in use" || name == "setpoint from" || name == last) continue;
        rows += (rows.empty() ? "" : "|") + name;
        last = name;
      }
      EXPECT_EQ(rows, expected) << circuit << " " << count;
      const std::string figure =
          section.substr(section.find("BL" + std::to_string(circuit) + "</figcaption>"));
      const size_t figureEnd = figure.find("</figure>");
      EXPECT_EQ(figure.find("<p>Constant temperatures, no heating curve: day") < figureEnd,
                count == 0);
      EXPECT_EQ(figure.find("class=\"curve\"") < figureEnd, count != 0);
    }
  }
}

// The goldens as a browser and an XML reader both take them.
TEST(ReportText, GoldensAreWellFormedXml) {
  if (std::system("command -v xmllint >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xmllint";
  for (const char* name : {"report_factory", "report_service_against_factory", "report_calendars",
                           "report_service_site"}) {
    const std::string page =
        TempFolder::Source(std::string("tests/tools/golden/") + name + ".html");
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
  const std::string input = folder.Write("in.txt", kFactory);
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
