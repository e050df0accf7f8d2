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
namespace fs = std::filesystem;

Lines ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  Lines lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct Traced {
  explicit Traced(const std::string& path) {
    f.platform.SetLocalTime({2026, 12, 5, 9, 5, 7});
    f.platform.SetTraceFile(path);
  }
  testing_support::NodeFixture f;
};

// What the engineer does on one page of each twin pair, and the lines it adds.
struct TraceCase {
  const char* name;
  int page;  // in CSheet::AllPages()
  std::function<void(testing_support::NodeFixture&)> action;
  Lines lines;
};

const TraceCase kCases[] = {
    {"ManualPumpWrittenBl1",
     12,
     [](auto& f) {
       f.driver->Click(pump_dialog::kIdManual);
       f.driver->Click(210);
     },
     {"09:05:07.800 [Pump, BL1] read 29 size 31 status 0: 00 00 FF 00 00 00 00 00 FF (22 x 00)",
      "09:05:07.800 [Pump, BL1] write 29 size 31 status 0: 00 00 01 00 00 00 00 00 FF (22 x 00)"}},
    {"ManualPumpWrittenBl2",
     13,
     [](auto& f) {
       f.driver->Click(pump_dialog::kIdManual);
       f.driver->Click(210);
     },
     {"09:05:07.800 [Pump, BL2] read 29 size 31 status 0: 00 00 FF 00 00 00 00 00 FF (22 x 00)",
      "09:05:07.800 [Pump, BL2] write 29 size 31 status 0: 00 00 FF 00 00 00 00 00 01 (22 x 00)"}},
    {"PumpStateReadFailsBl1",
     12,
     [](auto& f) {
       f.node.FailReads(31);
       f.platform.RunFor(2000);
     },
     {"09:05:09.800 [Pump, BL1] read 31 size 32 status 1 FAILED",
      "09:05:09.800 [Pump, BL1] read 37 size 32 status 0: (32 x 00)"}},
    {"PumpStateReadFailsBl2",
     13,
     [](auto& f) {
       f.node.FailReads(34);
       f.platform.RunFor(2000);
     },
     {"09:05:09.800 [Pump, BL2] read 34 size 32 status 1 FAILED",
      "09:05:09.800 [Pump, BL2] read 37 size 32 status 0: (32 x 00)"}},
};

class TraceLines : public ::testing::TestWithParam<TraceCase> {};

TEST_P(TraceLines, ShowWhatTheNodeWasAskedAndAnswered) {
  settingsfile_test::TempFolder folder;
  Traced t(folder.Path("trace.log"));
  t.f.OpenSheet();
  t.f.Show(*t.f.sheet->AllPages()[GetParam().page]);
  const size_t before = ReadLines(folder.Path("trace.log")).size();
  GetParam().action(t.f);
  const Lines lines = ReadLines(folder.Path("trace.log"));
  EXPECT_EQ(Lines(lines.begin() + before, lines.end()), GetParam().lines);
  t.f.CloseSheet();
  EXPECT_EQ(ReadLines(folder.Path("trace.log")).back(), lines.back().substr(0, 13) + "[-] close");
  EXPECT_EQ(ReadLines(folder.Path("trace.log"))[0],
            std::string("09:05:07.000 [-] open 2026-12-05, control ") + kControlVersion +
                ", host offers INodeAccess2 INodeAccess");
}

INSTANTIATE_TEST_SUITE_P(Twins, TraceLines, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Every kind of trace file, good or not, leaves the node traffic and its timing as they are.
struct FileCase {
  const char* name;
  std::string (*path)(const settingsfile_test::TempFolder&);
  bool traced;  // the file holds the whole session
};

const FileCase kFiles[] = {
    {"NewFile", [](const auto& d) { return d.Path("trace.log"); }, true},
    {"FolderMissing", [](const auto& d) { return d.Path("none/trace.log"); }, false},
    {"AFolder", [](const auto& d) { return d.Folder(); }, false},
    {"DiskFull", [](const auto&) { return std::string("/dev/full"); }, false},
};

// Both page sets walked with their timers running, a pump write and factory settings.
std::vector<std::string> Session(testing_support::NodeFixture& f) {
  f.OpenSheet();
  for (int set : {kIdShowSet2, kIdShowSet1}) {
    for (int tab = 0; tab < f.driver->TabCount(); ++tab) {
      f.driver->SelectTab(tab);
      f.platform.RunFor(2100);
    }
    f.Show(*f.sheet->AllPages()[12 + (set == kIdShowSet2 ? 0 : 1)]);
    f.driver->Click(pump_dialog::kIdOff);
    f.driver->Click(210);
    f.driver->SelectTab(0);
    f.driver->Click(set);
  }
  f.driver->SelectTab(1);
  f.driver->Type(import_export::kPassword, "Kobalt");
  f.driver->Click(import_export::kDefaultSettings);
  f.CloseSheet();
  std::vector<std::string> traffic = testing_support::Traffic(f.node.Log(), true);
  traffic.push_back("slept " + std::to_string(f.platform.SleptMs()));
  traffic.push_back(std::to_string(f.platform.Messages().size()) + " messages");
  return traffic;
}

class TraceFiles : public ::testing::TestWithParam<FileCase> {};

TEST_P(TraceFiles, NeverChangeTheNodeTraffic) {
  settingsfile_test::TempFolder folder;
  Traced plain("");
  const std::vector<std::string> expected = Session(plain.f);
  Traced traced(GetParam().path(folder));
  EXPECT_EQ(Session(traced.f), expected);
  const Lines lines = ReadLines(folder.Path("trace.log"));
  EXPECT_EQ(lines.size() > 400 && lines.back().find("[-] close") != std::string::npos,
            GetParam().traced);
}

INSTANTIATE_TEST_SUITE_P(Trace, TraceFiles, ::testing::ValuesIn(kFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TraceOfADownload, ShowsTheRefusedWriteAndTheClosingMessage) {
  settingsfile_test::TempFolder folder;
  Traced t(folder.Path("trace.log"));
  const std::string file = folder.Write("node.txt",
                                        "- 90 48 44 37 5F 33 42 2A\r\n"
                                        "* nciSwitchExt1     (40) - SNVT_count\r\n300\r\n");
  t.f.OpenSheet();
  t.f.driver->SelectTab(1);
  t.f.node.FailWrites(41);
  t.f.driver->Type(import_export::kPassword, "Kobalt");
  t.f.platform.QueueFile(file);
  t.f.platform.QueueAnswer(fw::kIdYes);
  const size_t before = ReadLines(folder.Path("trace.log")).size();
  t.f.driver->Click(import_export::kReadFromFile);
  const Lines lines = ReadLines(folder.Path("trace.log"));
  EXPECT_EQ(Lines(lines.begin() + before, lines.end()),
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
  settingsfile_test::TempFolder folder;
  Traced t(folder.Path("trace.log"));
  t.f.node.SetNodeNameBytes({'A', '\n', 'B', '\r', '"', 0xE4, 0x7F, 0});
  t.f.OpenSheet();
  EXPECT_EQ(ReadLines(folder.Path("trace.log"))[5],
            "09:05:07.000 [Node Information] name size 32 status 0: "
            "41 0A 42 0D 22 E4 7F (25 x 00) \"A\\nB\\r\\\"\\xE4\\x7F\"");
}

// At 8 MB the last line says the file is full; the next sheet moves it to FILE.1 (replacing an
// older one) and starts a new file.
TEST(TraceFileLimit, StopsAt8MbAndRollsOverOnTheNextSheet) {
  settingsfile_test::TempFolder folder;
  const std::string path = folder.Path("trace.log");
  folder.Write("trace.log.1", "older\n");
  std::ofstream(path, std::ios::binary)
      << std::string(TraceFileWriter::kLimitBytes - TraceFileWriter::kRoomAtOpen - 1, 'x');
  Traced t(path);
  t.f.OpenSheet();
  for (int tab = 2; tab < t.f.driver->TabCount(); ++tab) t.f.driver->SelectTab(tab);
  const Lines full = ReadLines(path);
  EXPECT_LE(fs::file_size(path), TraceFileWriter::kLimitBytes);
  EXPECT_GT(fs::file_size(path), TraceFileWriter::kLimitBytes - 300);
  EXPECT_EQ(full.back().substr(12, 2), " [") << "a whole line, stamped";
  EXPECT_EQ(full.back().substr(full.back().find("] ") + 2), TraceFileWriter::kFullNote);
  t.f.OpenSheet();
  EXPECT_EQ(ReadLines(path + ".1"), full);
  EXPECT_EQ(ReadLines(path)[0].substr(12, 10), " [-] open ");
}

}  // namespace
