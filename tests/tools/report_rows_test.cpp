// The report's tables as an owner reads them: one marked cell per difference, and the settings
// a circuit does not use left out.
#include "tools/report_rows.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "tests/settingsfile/temp_folder.h"
#include "tools/settings_report.h"

namespace {

std::string File(const std::string& name) {
  return settingsfile_test::TempFolder::Read(std::string(HD7_3_SOURCE_DIR) + "/tests/tools/files/" +
                                             name + ".txt");
}

// The file with value k of a section's value line set to `value`; `header` names the section
// ("nciTemp2PlugIn", "Part 1").
std::string WithValue(std::string text, const std::string& header, int k, int value) {
  const size_t line = text.find('\n', text.find(header)) + 1;
  const size_t end = text.find('\n', line);
  std::istringstream in(text.substr(line, end - line));
  std::string values, v;
  for (int i = 0; std::getline(in, v, ','); ++i) {
    values += (i > 0 ? "," : "") + (i == k ? " " + std::to_string(value) : v);
  }
  return text.replace(line, end - line, values.substr(values[0] == ' ' ? 1 : 0));
}

std::string Report(const std::string& found, const std::string* planned, int* code = nullptr) {
  std::ostringstream page, err;
  const ReportInput plan{"planned.txt", planned != nullptr ? *planned : ""};
  const int c =
      ReportText({"found.txt", found}, planned != nullptr ? &plan : nullptr, "d", page, err);
  EXPECT_EQ(err.str(), "");
  if (code != nullptr) *code = c;
  return page.str();
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// Part 1's flag word of each circuit (1 for BL1, 3 for BL2): 0x10 follows the curve.
int FlagWord(int circuit) {
  return circuit == 1 ? 1 : 3;
}
const char* CurveRecord(int circuit) {
  return circuit == 1 ? "nciTemp1PlugIn" : "nciTemp2PlugIn";
}

// The head counts what the page marks: a start and its stop are one setting, and a setting
// that one file does not use still counts when the two differ.
TEST(ReportRows, TheHeadCountsTheMarkedCells) {
  const std::string factory = File("factory");
  const struct {
    std::string found, planned;
    size_t differences;
  } cases[] = {
      {File("service"), factory, 23},  // ten week calendar entries, not twenty times
      {factory, File("service"), 23},
      {File("calendars"), factory, 7},  // three times and four bytes no page writes
      {factory, File("factory_lf"), 0},
      {WithValue(factory, "nciTemp2PlugIn", 0, 4), factory, 1},    // points 3, 4 now in use
      {WithValue(factory, "nciTemp1PlugIn", 5, 700), factory, 1},  // point 5 not in use
      {WithValue(factory, "Part 1", FlagWord(2), 2), factory, 1},  // BL2 constant
  };
  for (const auto& c : cases) {
    int code = -1;
    const std::string page = Report(c.found, &c.planned, &code);
    EXPECT_EQ(Count(page, "<td class=\"changed\">"), c.differences) << c.differences;
    EXPECT_EQ(code, c.differences == 0 ? 0 : 1);
    const std::string head = c.differences == 0 ? "The two files hold the same settings."
                             : c.differences == 1
                                 ? "1 difference, marked"
                                 : std::to_string(c.differences) + " differences, marked";
    EXPECT_NE(page.find("<tr><th>Differences</th><td>" + head), std::string::npos) << head;
  }
}

// The rows of the circuit's heating curve, its cells in one string: a curve shows the points it
// uses, constant temperatures show those instead.
TEST(ReportRows, ACircuitShowsOnlyTheSettingsItUses) {
  const struct {
    int count;  // points in use, 0: constant temperatures
    const char* rows;
  } cases[] = {
      {2, "points in|point 1|point 2|night offset"},
      {3, "points in|point 1|point 2|point 3|night offset"},
      {9, "points in|point 1|point 2|point 3|point 4|point 5|night offset"},
      {0, "constant day|constant night"},
  };
  for (int circuit : {1, 2}) {
    for (const auto& c : cases) {
      std::string text = WithValue(File("factory"), CurveRecord(circuit), 0, c.count);
      if (c.count == 0) text = WithValue(text, "Part 1", FlagWord(circuit), 2);
      const std::string page = Report(text, nullptr);
      const size_t at = page.find("<h2>Settings Temperatures");
      const std::string section = page.substr(at, page.find("</section>", at) - at);
      // The rows the circuit's own column uses (the other circuit keeps its two points), by
      // the two words after "heating curve, ", a point's two rows as one.
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
      EXPECT_EQ(rows, c.rows) << circuit << " " << c.count;
      const std::string figure =
          section.substr(section.find("<figcaption>BL" + std::to_string(circuit)));
      EXPECT_EQ(
          figure.find("<p>Constant temperatures, no heating curve: day") < figure.find("</figure>"),
          c.count == 0);
      EXPECT_EQ(figure.find("class=\"curve\"") < figure.find("</figure>"), c.count != 0);
    }
  }
}

// A calendar entry that starts where it stops does nothing: "not used"; any other shows its
// times, also one past the end of the day.
TEST(ReportRows, ACalendarEntryThatDoesNothingIsNotUsed) {
  const struct {
    int start, stop;
    const char* shown;
  } cases[] = {
      {0, 0, "not used"},     {32, 32, "not used"},  {96, 96, "not used"},
      {32, 64, "8:00–16:00"}, {64, 0, "16:00–0:00"}, {97, 97, "24:15–24:15"},
  };
  for (const auto& c : cases) {
    for (const std::string circuit : {"bl1", "bl2"}) {
      SettingsFileContent content;
      const SettingEntry* start = nullptr;
      const SettingEntry* stop = nullptr;
      for (const SettingEntry& e : SettingsDictionary()) {
        if (e.key == circuit + ".week2.sat.start") start = &e;
        if (e.key == circuit + ".week2.sat.stop") stop = &e;
      }
      ASSERT_TRUE(start != nullptr && stop != nullptr);
      FileRecord& r = content.records[static_cast<size_t>(start->record)];
      r.hasValues = true;
      r.bytes.assign(31, 0);
      r.bytes[static_cast<size_t>(start->byte)] = static_cast<uint8_t>(c.start);
      r.bytes[static_cast<size_t>(stop->byte)] = static_cast<uint8_t>(c.stop);
      EXPECT_EQ(ItemValue({"", {start, stop}}, content), c.shown) << circuit;
    }
  }
}

}  // namespace
