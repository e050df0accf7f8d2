// The trace of the node traffic: its lines for the engineer's actions, the same node traffic
// with or without it, its file never in the way and never beyond 8 MB.
#include "control/node_trace.h"

#include <gtest/gtest.h>

#include <fstream>

#include "resources/dialog_import_export.h"
#include "resources/dialog_pump.h"
#include "tests/settingsfile/temp_folder.h"
#include "tests/support/fixture.h"

namespace {

using Lines = std::vector<std::string>;

Lines ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  Lines lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A sheet on the simulated node whose trace goes to `name` in a fresh folder (none for null).
struct Traced {
  explicit Traced(const char* name = "trace.log") : path(folder.Path(name ? name : "")) {
    f.platform.SetLocalTime({2026, 12, 5, 9, 5, 7});
    f.platform.SetTraceFile(name ? path : "");
  }
  Lines During(const std::function<void()>& action) const {
    const size_t before = ReadLines(path).size();
    action();
    const Lines lines = ReadLines(path);
    return Lines(lines.begin() + static_cast<long>(before), lines.end());
  }
  settingsfile_test::TempFolder folder;
  std::string path;
  testing_support::NodeFixture f;
};

// A pump write, then a failed live read of the pump's state, on each twin.
struct TraceCase {
  const char* name;
  int page;  // in CSheet::AllPages()
  int32_t state;
  const char* lines;
};

const TraceCase kCases[] = {
    {"Bl1", 12, 31,
     "09:05:07.800 [Pump, BL1] read 29 size 31 status 0: 00 00 FF 00 00 00 00 00 FF (22 x 00)\n"
     "09:05:07.800 [Pump, BL1] write 29 size 31 status 0: 00 00 01 00 00 00 00 00 FF (22 x 00)\n"
     "09:05:09.800 [Pump, BL1] read 31 size 32 status 1 FAILED\n"
     "09:05:09.800 [Pump, BL1] read 37 size 32 status 0: (32 x 00)\n"},
    {"Bl2", 13, 34,
     "09:05:07.800 [Pump, BL2] read 29 size 31 status 0: 00 00 FF 00 00 00 00 00 FF (22 x 00)\n"
     "09:05:07.800 [Pump, BL2] write 29 size 31 status 0: 00 00 FF 00 00 00 00 00 01 (22 x 00)\n"
     "09:05:09.800 [Pump, BL2] read 34 size 32 status 1 FAILED\n"
     "09:05:09.800 [Pump, BL2] read 37 size 32 status 0: (32 x 00)\n"},
};

class TraceLines : public ::testing::TestWithParam<TraceCase> {};

TEST_P(TraceLines, ShowWhatTheNodeWasAskedAndAnswered) {
  const TraceCase& c = GetParam();
  Traced t;
  t.f.OpenSheet();
  t.f.Show(*t.f.sheet->AllPages()[c.page]);
  std::string added;
  for (const std::string& line : t.During([&] {
         t.f.driver->Click(pump_dialog::kIdManual);
         t.f.driver->Click(210);
         t.f.node.FailReads(c.state);
         t.f.platform.RunFor(2000);
       })) {
    added += line + "\n";
  }
  EXPECT_EQ(added, c.lines);
  t.f.CloseSheet();
  const Lines all = ReadLines(t.path);
  EXPECT_EQ(all.front(), std::string("09:05:07.000 [-] open 2026-12-05, control ") +
                             kControlVersion + ", host offers INodeAccess2 INodeAccess");
  EXPECT_EQ(all.back(), "09:05:09.800 [-] close");
}

INSTANTIATE_TEST_SUITE_P(Twins, TraceLines, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Page set 1 walked with its timers running, a pump write and factory settings.
std::vector<std::string> Session(testing_support::NodeFixture& f) {
  f.OpenSheet();
  for (int tab = 0; tab < f.driver->TabCount(); ++tab) {
    f.driver->SelectTab(tab);
    f.platform.RunFor(2100);
  }
  f.Show(*f.sheet->AllPages()[12]);
  f.driver->Click(pump_dialog::kIdOff);
  f.driver->Click(210);
  f.driver->SelectTab(1);
  f.driver->Type(import_export::kPassword, "Kobalt");
  f.driver->Click(import_export::kDefaultSettings);
  f.CloseSheet();
  std::vector<std::string> traffic = testing_support::Traffic(f.node.Log(), true);
  traffic.push_back(std::to_string(f.platform.SleptMs()) + " ms slept, " +
                    std::to_string(f.platform.Messages().size()) + " messages");
  return traffic;
}

// Every kind of trace file, good or not, leaves the node traffic and its timing as they are.
class TraceFiles : public ::testing::TestWithParam<const char*> {};

TEST_P(TraceFiles, NeverChangeTheNodeTraffic) {
  std::vector<std::string> untraced;
  {
    Traced plain(nullptr);
    untraced = Session(plain.f);
  }
  Traced traced(GetParam());  // in its folder: "" is the folder itself
  EXPECT_EQ(Session(traced.f), untraced);
  const bool written = std::filesystem::is_regular_file(traced.path);
  EXPECT_EQ(written, GetParam() == std::string("trace.log"));
  const Lines lines = written ? ReadLines(traced.path) : Lines{};
  EXPECT_TRUE(!written || (lines.size() > 200 && lines.back().find("[-] close") == 13));
}

INSTANTIATE_TEST_SUITE_P(Trace, TraceFiles,
                         ::testing::Values("trace.log", "missing folder/trace.log", "",
                                           "/dev/full"));

TEST(TraceOfADownload, ShowsTheRefusedWriteAndTheClosingMessage) {
  Traced t;
  t.f.OpenSheet();
  t.f.driver->SelectTab(1);
  t.f.node.FailWrites(41);
  t.f.driver->Type(import_export::kPassword, "Kobalt");
  t.f.platform.QueueFile(t.folder.Write(
      "node.txt", "- 90 48 44 37 5F 33 42 2A\r\n* nciSwitchExt1     (40) - SNVT_count\r\n300\r\n"));
  t.f.platform.QueueAnswer(fw::kIdYes);
  EXPECT_EQ(t.During([&] { t.f.driver->Click(import_export::kReadFromFile); }),
            (Lines{"09:05:07.800 [Import / Export] box \"Download\": \"Download from file to "
                   "node?\" answered Yes",
                   "09:05:07.800 [Import / Export] start Downloading",
                   "09:05:07.800 [Import / Export] write 41 size 2 status 1 FAILED: 01 2C",
                   "09:05:07.800 [Import / Export] end Downloading",
                   "09:05:07.800 [Import / Export] box \"Download status\": \"Download "
                   "completed. 1 NV write errors\" answered OK"}));
}

// Control characters and bytes of the node's own code page never break a line.
TEST(TraceOfTheNodeName, ShowsItsBytesInHexAndAsText) {
  Traced t;
  t.f.node.SetNodeNameBytes({'A', '\n', 'B', '\r', '"', 0xE4, 0x7F, 0});
  t.f.OpenSheet();
  EXPECT_EQ(ReadLines(t.path)[5],
            "09:05:07.000 [Node Information] name size 32 status 0: "
            "41 0A 42 0D 22 E4 7F (25 x 00) \"A\\nB\\r\\\"\\xE4\\x7F\"");
}

}  // namespace
