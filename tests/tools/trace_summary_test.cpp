// The trace summary: of a trace the real writer makes in a headless sheet run across midnight,
// with a download whose write the node refuses; and of written traces, for the date of each line,
// the NVs by name, the settings a write changed, a sheet's time and the lines not understood.
#include "tools/trace_summary.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "control/node_trace.h"
#include "resources/dialog_import_export.h"
#include "tests/settingsfile/temp_folder.h"
#include "tests/support/case_names.h"
#include "tests/support/fixture.h"

namespace {

using Lines = std::vector<std::string>;
using testing_support::kByName;

// Whether `summary` holds each of `expected` as a whole line, in that order.
::testing::AssertionResult HasLinesInOrder(const std::string& summary, const Lines& expected) {
  std::istringstream in(summary);
  size_t found = 0;
  for (std::string line; found < expected.size() && std::getline(in, line);) {
    found += line == expected[found];
  }
  if (found == expected.size()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "no line \"" << expected[found] << "\" in\n" << summary;
}

void Replace(std::string& text, const std::string& what, const std::string& by) {
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + by.size()))
    text.replace(at, what.size(), by);
}

// A twin's pump page, whose state read fails, and its rotary switch override, whose write the
// node refuses in a download.
struct Twin {
  const char* name;
  int pumpPage;  // in CSheet::AllPages()
  int32_t state;
  int32_t override;
  Lines expected;  // "#T" the sheet's tag
};

const Twin kTwins[] = {
    {"Bl1", 12, 31, 41,
     Lines{
         "  read 31                  status 1: 2 times, first at 2026-12-06 00:00:00.800 #T [Pump, "
         "BL1]",
         "  write nciSwitchExt1 (41) status 1: 1 time, first at 2026-12-06 00:00:02.800 #T "
         "[Import / Export]",
         "Writes:",
         "  2026-12-06 00:00:02.800 #T [Import / Export] nciSwitchExt1 (41) FAILED, status 1",
         "    BL1 rotary switch override                          Use manual rotary switch (300)",
         "  2026-12-06 00:00:02.800 #T [Import / Export] nciSwitchExt2 (42)",
         "    BL2 rotary switch override                          Night"}},
    {"Bl2", 13, 34, 42,
     Lines{
         "  read 34                  status 1: 2 times, first at 2026-12-06 00:00:00.800 #T [Pump, "
         "BL2]",
         "  write nciSwitchExt2 (42) status 1: 1 time, first at 2026-12-06 00:00:02.800 #T "
         "[Import / Export]",
         "Writes:", "  2026-12-06 00:00:02.800 #T [Import / Export] nciSwitchExt1 (41)",
         "    BL1 rotary switch override                          Use manual rotary switch (300)",
         "  2026-12-06 00:00:02.800 #T [Import / Export] nciSwitchExt2 (42) FAILED, status 1",
         "    BL2 rotary switch override                          Night"}},
};

class TraceOfASheet : public ::testing::TestWithParam<Twin> {};

TEST_P(TraceOfASheet, IsSummedUpWhole) {
  const Twin& twin = GetParam();
  settingsfile_test::TempFolder folder;
  testing_support::NodeFixture f;
  const std::string path = folder.Path("trace.log");
  f.platform.SetLocalTime({2026, 12, 5, 23, 59, 58});
  f.platform.SetTraceFile(path);
  f.OpenSheet();
  f.Show(*f.sheet->AllPages()[twin.pumpPage]);
  f.node.FailReads(twin.state);
  f.platform.RunFor(4000);
  f.driver->SelectTab(1);
  f.node.FailWrites(twin.override);
  f.driver->Type(import_export::kPassword, "Kobalt");
  f.platform.QueueFile(folder.Write("node.txt",
                                    "- 90 48 44 37 5F 33 42 2A\r\n"
                                    "* nciSwitchExt1     (40) - SNVT_count\r\n300\r\n"
                                    "* nciSwitchExt2     (41) - SNVT_count\r\n2\r\n"));
  f.platform.QueueAnswer(fw::kIdYes);
  f.driver->Click(import_export::kReadFromFile);
  f.CloseSheet();

  const std::string trace = settingsfile_test::TempFolder::Read(path);
  const std::string tag = trace.substr(13, trace.find(' ', 13) - 13);
  std::ostringstream out, err;
  EXPECT_EQ(TraceSummary("trace.log", trace, out, err), 1);
  Lines expected = {"Sheets:",
                    "  #T opened 2026-12-05 23:59:58.000, control " + std::string(kControlVersion) +
                        " (" + std::to_string(sizeof(void*) * 8) + "-bit), process " +
                        tag.substr(1, tag.find('.') - 1) + ", sheet " +
                        tag.substr(tag.find('.') + 1) +
                        ": open 4.800 s, from its first to its last line",
                    "Failed calls:"};
  expected.insert(expected.end(), twin.expected.begin(), twin.expected.end());
  expected.insert(expected.end(),
                  {"Message boxes:",
                   "  2026-12-06 00:00:02.800 #T [Import / Export] \"Download\": \"Download from "
                   "file to node?\" answered Yes",
                   "  2026-12-06 00:00:02.800 #T [Import / Export] \"Download status\": \"Download "
                   "completed. 1 NV write errors\" answered OK",
                   "0 lines not understood"});
  for (std::string& line : expected) Replace(line, "#T", tag);
  const std::string summary = out.str();
  EXPECT_EQ(summary.find("trace.log: "), 0u);
  EXPECT_NE(summary.find(" 1 sheet, 2026-12-05 23:59:58.000 to 2026-12-06 00:00:02.800\n"),
            std::string::npos);
  EXPECT_TRUE(HasLinesInOrder(summary, expected));
  EXPECT_EQ(err.str(), "");
}

INSTANTIATE_TEST_SUITE_P(Twins, TraceOfASheet, ::testing::ValuesIn(kTwins), kByName);

// Written traces: each with the lines its summary must hold, in order.
struct WrittenCase {
  const char* name;
  const char* trace;
  Lines expected;
};

const WrittenCase kWrittenCases[] = {
    // Two sheets of two processes across the new year, one stopped by a full trace.
    {"DatesAcrossMidnight",
     "23:59:59.500 #7.1 [-] open 2026-12-31, control 1.0.0.1 (32-bit), process 7, sheet 1, host "
     "offers nothing\n"
     "23:59:59.900 #8.2 [-] open 2026-12-31, control 1.0.0.1 (64-bit), process 8, sheet 2, host "
     "offers nothing\n"
     "00:00:00.250 #7.1 [-] close\n"
     "00:00:00.300 #8.2 [-] pause 200 ms\n"
     "00:00:00.400 #8.2 [-] trace full at 8 MB: nothing more for this sheet\n",
     {"t: 5 lines, 2 sheets, 2026-12-31 23:59:59.500 to 2027-01-01 00:00:00.400",
      "The trace stopped at 8 MB at 2027-01-01 00:00:00.400 #8.2 [-].",
      "  #7.1 opened 2026-12-31 23:59:59.500, control 1.0.0.1 (32-bit), process 7, sheet 1: open "
      "0.750 s, from its first to its last line",
      "  #8.2 opened 2026-12-31 23:59:59.900, control 1.0.0.1 (64-bit), process 8, sheet 2: open "
      "at least 0.500 s, from its first to its last line (no close line)",
      "     200 ms  pause at 2027-01-01 00:00:00.300 #8.2 [-]"}},
    // A sheet open for more than a day.
    {"OpenOverADay",
     "09:00:00.000 #3.1 [-] open 2026-12-05, control 1.0.0.1, host offers nothing\n"
     "23:00:00.000 #3.1 [-] pause 200 ms\n"
     "11:00:01.250 #3.1 [-] close\n",
     {"t: 3 lines, 1 sheet, 2026-12-05 09:00:00.000 to 2026-12-06 11:00:01.250",
      "  #3.1 opened 2026-12-05 09:00:00.000, control 1.0.0.1: open 26 h 00 min 01.250 s, from its "
      "first to its last line"}},
    // A sheet whose clock stood still, and one whose open line the file no longer holds.
    {"TimeFromPauses",
     "09:05:07.000 #1.1 [-] open 2026-12-05, control 1.0.0.1, host offers nothing\n"
     "09:05:07.000 #1.1 [Pump, BL1] pause 200 ms\n"
     "09:05:07.000 #1.1 [Pump, BL1] read 31 size 32 status 0 after 950 ms: 00 01 (30 x 00)\n"
     "09:05:07.000 #1.1 [-] pause 250 ms\n"
     "09:05:09.000 #2.1 [Pump, BL2] read 34 size 32 status 0: (32 x 00)\n",
     {"  #1.1 opened 2026-12-05 09:05:07.000, control 1.0.0.1: open at least 0.450 s, the sum of "
      "its pauses (no close line)",
      "  #2.1 from 09:05:09.000 (its open line is not in the trace): open at least 0.000 s, from "
      "its first to its last line (no close line)",
      "No failed calls.", "No writes.", "No message boxes.",
      "     950 ms  read 31 at 2026-12-05 09:05:07.000 #1.1 [Pump, BL1]",
      "     250 ms  pause at 2026-12-05 09:05:07.000 #1.1 [-]"}},
    // An open line that ends after its date.
    {"BareOpenLine",
     "09:05:07.000 #1.1 [-] open 2026-12-05,\n",
     {"  #1.1 opened 2026-12-05 09:05:07.000: open at least 0.000 s, from its first to its last "
      "line (no close line)"}},
    // Lines that look like trace lines but are not as the writer makes them.
    {"NotUnderstood",
     "09:05:07.000 #1.1 [-] read 31 size 32 status 0: 00 01\n"
     "not a trace line\n"
     "24:05:07.000 #1.1 [-] close\n"
     "09:05:07.000 #1.1 [-] read 31 size 32 status 0 FAILED\n"
     "09:05:07.000 #1.1 [-] read 31 size 32 status 0: 0a 01\n"
     "09:05:07.000 #1.1 [-] write 46 size 31 status 0: 00 01, selects part 1\n"
     "09:05:07.000 #1.1 [-] box \"Download\" answered OK\n"
     "09:05:07.000 #1.1 [-] wrote 31\n",
     {"t: 8 lines, 1 sheet, 09:05:07.000 to 09:05:07.000", "7 lines not understood"}},
};

class TraceSummaryOf : public ::testing::TestWithParam<WrittenCase> {};

TEST_P(TraceSummaryOf, HoldsItsLines) {
  std::ostringstream out, err;
  TraceSummary("t", GetParam().trace, out, err);
  EXPECT_TRUE(HasLinesInOrder(out.str(), GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Traces, TraceSummaryOf, ::testing::ValuesIn(kWrittenCases), kByName);

// A write of a configuration part names the part the sheet selected and the settings it
// changed against what the sheet read of it before; the selector's own writes are not listed.
struct PartCase {
  const char* name;
  const char* written;  // part 2 with one sensor offset of 0.50 °C
  const char* setting;
};

const PartCase kPartCases[] = {
    {"Bl1", "00 00 00 00 00 00 32 (24 x 00)", "BL1 return sensor Bw2 offset"},
    {"Bl2", "00 00 00 00 00 00 00 00 00 00 00 00 32 (18 x 00)", "BL2 forward sensor Bw3 offset"},
};

class TraceOfAPartWrite : public ::testing::TestWithParam<PartCase> {};

TEST_P(TraceOfAPartWrite, NamesThePartAndWhatChanged) {
  const std::string at = "09:05:07.000 #1.1 [Temperatures] ";
  const std::string trace = at + "read 45 size 31 status 0: 00 03 (29 x 00)\n" + at +
                            "write 45 size 2 status 0: 00 02, selects part 2\n" + at +
                            "read 46 size 32 status 0: (32 x 00)\n" + at +
                            "write 46 size 31 status 0: " + GetParam().written + "\n";
  std::ostringstream out, err;
  EXPECT_EQ(TraceSummary("t", trace, out, err), 0);
  std::string setting = std::string("    ") + GetParam().setting;
  setting.resize(56, ' ');
  EXPECT_TRUE(HasLinesInOrder(
      out.str(), {"Writes:", "  09:05:07.000 #1.1 [Temperatures] nviPluginCnf part 2 (46)",
                  setting + "0.00 °C \xE2\x86\x92 0.50 °C", "No message boxes.",
                  "  part selector (45)              1        1        0",
                  "  nviPluginCnf part 2 (46)        1        1        0"}));
}

INSTANTIATE_TEST_SUITE_P(Twins, TraceOfAPartWrite, ::testing::ValuesIn(kPartCases), kByName);

}  // namespace
