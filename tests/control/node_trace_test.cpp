// The trace of the node traffic: the page and set of each line, long texts cut with a marker,
// the node traffic the same with or without it; its file: a fresh line after half a line, two
// writers within the limit and the roll-over to FILE.1, and the tool's sample trace.
#include "control/node_trace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "resources/dialog_import_export.h"
#include "resources/dialog_pump.h"
#include "tests/settingsfile/temp_folder.h"
#include "tests/support/case_names.h"
#include "tests/support/fixture.h"

namespace {

using Lines = std::vector<std::string>;

Lines ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  Lines lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The last `n` bytes of `line` (all of it when shorter).
std::string Tail(const std::string& line, size_t n) {
  return line.substr(line.size() - std::min(n, line.size()));
}

using testing_support::kByName;

// A sheet on the simulated node whose trace goes to `name` in a fresh folder (none for null).
struct Traced {
  explicit Traced(const char* name = "trace.log") : path(folder.Path(name ? name : "")) {
    f.platform.SetLocalTime({2026, 12, 5, 9, 5, 7});
    f.platform.SetTraceFile(name ? path : "");
  }
  // The tag of the last sheet that opened in the file, from its header ("..., sheet 7, ...").
  std::string Tag() const {
    std::string tag = "(no sheet)";
    for (const std::string& line : ReadLines(path)) {
      const size_t at = line.find("] open ") == line.npos ? line.npos : line.find(", sheet ");
      if (at != line.npos) tag = "#4321." + line.substr(at + 8, line.find(',', at + 8) - at - 8);
    }
    return tag;
  }
  settingsfile_test::TempFolder folder;
  std::string path;
  testing_support::NodeFixture f;
};

// A failed live read of the pump's state on each twin; the sample trace below has the rest.
struct TraceCase {
  const char* name;
  int page;  // in CSheet::AllPages()
  int32_t state;
  const char* set;
};

const TraceCase kCases[] = {{"Bl1", 12, 31, "BL1"}, {"Bl2", 13, 34, "BL2"}};

class TraceLines : public ::testing::TestWithParam<TraceCase> {};

TEST_P(TraceLines, NameThePageAndItsSet) {
  const TraceCase& c = GetParam();
  Traced t;
  t.f.OpenSheet();
  t.f.Show(*t.f.sheet->AllPages()[c.page]);
  t.f.node.FailReads(c.state);
  const size_t before = ReadLines(t.path).size();
  t.f.platform.RunFor(2000);
  const Lines lines = ReadLines(t.path);
  const std::string at = "09:05:09.800 " + t.Tag() + " [Pump, " + c.set + "] read ";
  EXPECT_EQ(Lines(lines.begin() + static_cast<std::ptrdiff_t>(before), lines.end()),
            Lines({at + std::to_string(c.state) + " size 32 status 1 FAILED",
                   at + "37 size 32 status 0: (32 x 00)"}));
}

INSTANTIATE_TEST_SUITE_P(Twins, TraceLines, ::testing::ValuesIn(kCases), kByName);

// Page set 1 walked with its timers running, a pump write and factory settings: the node's
// calls with their times, the time slept and the messages shown.
Lines Session(testing_support::NodeFixture& f) {
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
  Lines traffic = testing_support::Traffic(f.node.Log(), true);
  traffic.push_back(std::to_string(f.platform.SleptMs()) + " ms slept, " +
                    std::to_string(f.platform.Messages().size()) + " messages");
  return traffic;
}

// Every kind of trace file, good or not, leaves the node traffic and its timing as they are.
class TraceFiles : public ::testing::TestWithParam<const char*> {};

TEST_P(TraceFiles, NeverChangeTheNodeTraffic) {
  const Lines untraced = [] {
    Traced plain(nullptr);
    return Session(plain.f);
  }();
  Traced traced(GetParam());  // in its folder: "" is the folder itself
  EXPECT_EQ(Session(traced.f), untraced);
  const bool written = GetParam() == std::string("trace.log");
  EXPECT_EQ(std::filesystem::is_regular_file(traced.path), written);
  const Lines lines = written ? ReadLines(traced.path) : Lines(201, " [-] close");
  EXPECT_GT(lines.size(), 200u);
  EXPECT_EQ(Tail(lines.back(), 10), " [-] close");
}

INSTANTIATE_TEST_SUITE_P(Trace, TraceFiles,
                         ::testing::Values("trace.log", "missing folder/trace.log", "",
                                           "/dev/full"),
                         kByName);

// Quoted text escapes what would break a line and every byte that is not part of a UTF-8
// character; one too long for a line loses its end, at a whole character and never
// inside an escape, to the marker; the closing quote and what follows stay. A line holds 50 bytes.
struct LongCase {
  const char* name;
  std::string text;
  const char* line;
};

const LongCase kLongCases[] = {
    {"JustFits", std::string(26, 'a') + "b",
     R"(box "D": "aaaaaaaaaaaaaaaaaaaaaaaaaab" answered OK)"},
    {"OneByteMore", std::string(28, 'a'),
     "box \"D\": \"aaaaaaaa\xE2\x80\xA6 (20 more bytes)\" answered OK"},
    {"FarMore", std::string(1000, 'a'),
     "box \"D\": \"aaaaaaa\xE2\x80\xA6 (993 more bytes)\" answered OK"},
    {"KeepsALetterWhole", "aaaaaaa\xC3\xA4" + std::string(19, 'b'),
     "box \"D\": \"aaaaaaa\xE2\x80\xA6 (21 more bytes)\" answered OK"},
    {"KeepsAnEscapeWhole", "aaaaaaa\n" + std::string(19, 'b'),
     "box \"D\": \"aaaaaaa\xE2\x80\xA6 (20 more bytes)\" answered OK"},
    {"KeepsABadByteWhole", "aaaaaa\xE9" + std::string(19, 'b'),
     "box \"D\": \"aaaaaa\xE2\x80\xA6 (20 more bytes)\" answered OK"},
    {"NodeName",
     {'A', '\n', 'B', '\r', '"', '\xE4', 0x7F},
     R"(box "D": "A\nB\r\"\xE4\x7F" answered OK)"},
};

class TraceOfAText : public ::testing::TestWithParam<LongCase> {};

TEST_P(TraceOfAText, KeepsTheLineWholeAndItsEnd) {
  const LongCase& c = GetParam();
  TraceLine line;
  line.Add("box \"D\": ").Quoted(c.text.data(), c.text.size());
  EXPECT_EQ(line.Add(" answered OK").Fitted(50), c.line);
}

INSTANTIATE_TEST_SUITE_P(Lines, TraceOfAText, ::testing::ValuesIn(kLongCases), kByName);

// In the file, a line holds kMostBytes; a buffer longer than the trace shows in hex says how
// much it leaves out.
TEST(TraceOfALongEvent, KeepsTheLineWithinItsBytes) {
  struct : ITabInView {
    std::string TabInView() const override { return "Import / Export"; }
  } tab;
  Traced t;
  auto trace = NodeTrace::Start(tab, &t.f.node, &t.f.node);
  ASSERT_TRUE(trace);
  std::vector<uint8_t> buffer(TraceLine::kMostHexBytes + 44, 0x11);
  trace->Writer()->WriteNv(30, buffer.data(), static_cast<int32_t>(buffer.size()));
  fw::Platform::Get().ShowMessageBox(
      {fw::MessageKind::kPage, std::string(5000, 'a'), "D", fw::kMbOk});
  trace.reset();
  std::string hex = " write 30 size 300 status 4 FAILED:";
  for (int i = 0; i < TraceLine::kMostHexBytes; ++i) hex += " 11";
  const Lines lines = ReadLines(t.path);
  EXPECT_EQ(lines.at(1), "09:05:07.000 " + t.Tag() + " [Import / Export]" + hex +
                             " \xE2\x80\xA6 (44 more bytes)");
  EXPECT_EQ(lines.at(2).size(), TraceLine::kMostBytes);
  EXPECT_EQ(Tail(lines.at(2), 24), "more bytes)\" answered OK");
}

// What a file held before a sheet opened, and the lines it holds afterwards before the sheet's.
struct FreshLineCase {
  const char* name;
  const char* before;
  Lines kept;
};

const FreshLineCase kFreshLineCases[] = {
    {"EmptyFile", "", {}},
    {"WholeLine", "09:05:06.000 #1.1 [-] close\n", {"09:05:06.000 #1.1 [-] close"}},
    {"HalfALine", "09:05:06.000 #1.1 [Pu", {"09:05:06.000 #1.1 [Pu"}},
    {"HalfALineEndingInCr", "close\r", {"close\r"}},
};

class TraceAfterAHalfLine : public ::testing::TestWithParam<FreshLineCase> {};

TEST_P(TraceAfterAHalfLine, StartsOnAFreshLine) {
  Traced t;
  std::ofstream(t.path, std::ios::binary) << GetParam().before;
  t.f.OpenSheet();
  Lines lines = ReadLines(t.path);
  lines.resize(GetParam().kept.size() + 1);
  EXPECT_EQ(lines.back().find("09:05:07.000 " + t.Tag() + " [-] open "), 0u);
  EXPECT_EQ(Lines(lines.begin(), lines.end() - 1), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Files, TraceAfterAHalfLine, ::testing::ValuesIn(kFreshLineCases), kByName);

// Two writers (as two processes would) take turns at one file, each line a different length,
// until both have stopped: the file keeps within the limit, each stopped close to it with its
// note, and every line is one of theirs, whole.
struct SharedCase {
  const char* name;
  uint64_t limit;
  uint64_t before;  // bytes already in the file
};

const SharedCase kSharedCases[] = {
    {"SmallLimit", 64 << 10, 0},
    {"EightMegabytes", TraceFileWriter::kLimitBytes, TraceFileWriter::kLimitBytes - (64 << 10)},
};

class TraceFileOfTwoWriters : public ::testing::TestWithParam<SharedCase> {};

TEST_P(TraceFileOfTwoWriters, KeepsTheLimit) {
  const SharedCase& c = GetParam();
  Traced t;
  if (c.before > 0)
    std::ofstream(t.path, std::ios::binary) << std::string(c.before - 1, 'x') << "\n";
  TraceFileWriter a(c.limit), b(c.limit);
  ASSERT_TRUE(a.Open(t.f.platform, t.path) && b.Open(t.f.platform, t.path));
  for (int line = 0; (a.IsOpen() || b.IsOpen()) && line < 10000; ++line) {
    (line % 2 == 0 ? a : b)
        .Write(line % 2 == 0 ? "#A " : "#B ", std::string(40 + line * 37 % 1900, 'e'));
  }
  EXPECT_LE(std::filesystem::file_size(t.path), c.limit);
  EXPECT_GT(std::filesystem::file_size(t.path), c.limit - TraceFileWriter::kRoomAtOpen);
  const std::regex whole("#[AB] (e{40,1939}|" + std::string(TraceFileWriter::kFullNote) + ")");
  const Lines lines = ReadLines(t.path);
  int notes = 0;
  for (size_t i = c.before > 0 ? 1 : 0; i < lines.size(); ++i) {
    EXPECT_TRUE(std::regex_match(lines[i], whole)) << i;
    notes += lines[i].find(TraceFileWriter::kFullNote) != std::string::npos;
  }
  EXPECT_EQ(notes, 2);
  EXPECT_GT(lines.size(), 20u);
  // The next sheet moves the full file to FILE.1 and starts a new one.
  const auto full = std::filesystem::file_size(t.path);
  TraceFileWriter next(c.limit);
  ASSERT_TRUE(next.Open(t.f.platform, t.path));
  next.Write("#C ", "open");
  EXPECT_EQ(std::filesystem::file_size(t.path + ".1"), full);
  EXPECT_EQ(ReadLines(t.path), Lines({"#C open"}));
}

INSTANTIATE_TEST_SUITE_P(Limits, TraceFileOfTwoWriters, ::testing::ValuesIn(kSharedCases), kByName);

// The tool's sample trace (tests/tools/files/trace.txt): a pump page whose state cannot be read
// and a download whose first write the node refuses, written as the first sheet of a process
// by a 64-bit control. HD7_3_UPDATE_GOLDEN=1 rewrites it.
TEST(TheToolsSampleTrace, IsWhatTheWriterWrites) {
  Traced t;
  t.f.OpenSheet();
  t.f.Show(*t.f.sheet->AllPages()[12]);
  t.f.node.FailReads(31);
  t.f.platform.RunFor(4000);
  t.f.driver->SelectTab(1);
  t.f.node.FailWrites(41);
  t.f.driver->Type(import_export::kPassword, "Kobalt");
  t.f.platform.QueueFile(t.folder.Write("node.txt",
                                        "- 90 48 44 37 5F 33 42 2A\r\n"
                                        "* nciSwitchExt1     (40) - SNVT_count\r\n300\r\n"
                                        "* nciSwitchExt2     (41) - SNVT_count\r\n0\r\n"));
  t.f.platform.QueueAnswer(fw::kIdYes);
  t.f.driver->Click(import_export::kReadFromFile);
  t.f.CloseSheet();
  const std::string tag = t.Tag(), bits = " (" + std::to_string(sizeof(void*) * 8) + "-bit), ";
  std::string trace;
  for (std::string line : ReadLines(t.path)) {
    line.replace(13, tag.size(), "#4321.1");
    const size_t sheet = line.find(", sheet " + tag.substr(6) + ",");
    if (sheet != std::string::npos) line.replace(sheet + 8, tag.size() - 6, "1");
    if (line.find(bits) != std::string::npos) line.replace(line.find(bits) + 2, 2, "64");
    trace += line + "\n";
  }
  const std::string sample = settingsfile_test::TempFolder::Source("tests/tools/files/trace.txt");
  if (std::getenv("HD7_3_UPDATE_GOLDEN") != nullptr)
    std::ofstream(sample, std::ios::binary) << trace;
  EXPECT_EQ(trace, settingsfile_test::TempFolder::Read(sample));
}

}  // namespace
