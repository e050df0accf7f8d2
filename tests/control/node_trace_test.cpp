// The trace of the node traffic: its lines for the engineer's actions, each sheet's lines told
// apart by its tag, long texts cut with a marker, the same node traffic with or without it.
#include "control/node_trace.h"

#include <gtest/gtest.h>

#include <cstring>

#include "resources/dialog_import_export.h"
#include "resources/dialog_pump.h"
#include "tests/control/trace_support.h"

namespace {

using trace_test::Lines;
using trace_test::ReadLines;
using trace_test::Traced;

// A pump write, then a failed live read of the pump's state, on each twin.
struct TraceCase {
  const char* name;
  int page;  // in CSheet::AllPages()
  int32_t state;
  const char* lines;
};

const TraceCase kCases[] = {
    {"Bl1", 12, 31,
     "09:05:07.800 #T [Pump, BL1] read 29 size 31 status 0: 00 00 FF 00 00 00 00 00 FF (22 x 00)\n"
     "09:05:07.800 #T [Pump, BL1] write 29 size 31 status 0: 00 00 01 00 00 00 00 00 FF (22 x 00)\n"
     "09:05:09.800 #T [Pump, BL1] read 31 size 32 status 1 FAILED\n"
     "09:05:09.800 #T [Pump, BL1] read 37 size 32 status 0: (32 x 00)\n"},
    {"Bl2", 13, 34,
     "09:05:07.800 #T [Pump, BL2] read 29 size 31 status 0: 00 00 FF 00 00 00 00 00 FF (22 x 00)\n"
     "09:05:07.800 #T [Pump, BL2] write 29 size 31 status 0: 00 00 FF 00 00 00 00 00 01 (22 x 00)\n"
     "09:05:09.800 #T [Pump, BL2] read 34 size 32 status 1 FAILED\n"
     "09:05:09.800 #T [Pump, BL2] read 37 size 32 status 0: (32 x 00)\n"},
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
  EXPECT_EQ(added, trace_test::Tagged(c.lines, t.Tag()));
  t.f.CloseSheet();
  const Lines all = ReadLines(t.path);
  EXPECT_EQ(all.back(), "09:05:09.800 " + t.Tag() + " [-] close");
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
  EXPECT_TRUE(!written ||
              (lines.size() > 200 && lines.back().rfind(" [-] close") + 10 == lines.back().size()));
}

INSTANTIATE_TEST_SUITE_P(Trace, TraceFiles,
                         ::testing::Values("trace.log", "missing folder/trace.log", "",
                                           "/dev/full"));

// Control characters and bytes of the node's own code page never break a line.
TEST(TraceOfTheNodeName, ShowsItsBytesInHexAndAsText) {
  Traced t;
  t.f.node.SetNodeNameBytes({'A', '\n', 'B', '\r', '"', 0xE4, 0x7F, 0});
  t.f.OpenSheet();
  EXPECT_EQ(ReadLines(t.path)[5], "09:05:07.000 " + t.Tag() +
                                      " [Node Information] name size 32 status 0: "
                                      "41 0A 42 0D 22 E4 7F (25 x 00) \"A\\nB\\r\\\"\\xE4\\x7F\"");
}

// Each sheet's first line says when, which control and bitness, which process and which of its
// sheets; every line of the sheet carries the tag made of the last two.
TEST(TraceOfTwoSheets, TellsTheirLinesApart) {
  Traced t;
  t.f.OpenSheet();
  t.f.CloseSheet();
  const std::string first = t.Tag(), number = first.substr(6);
  t.f.OpenSheet();
  t.f.CloseSheet();
  EXPECT_EQ(t.Tag(), "#4321." + std::to_string(std::stoi(number) + 1));
  const Lines lines = ReadLines(t.path);
  EXPECT_EQ(lines.front(), "09:05:07.000 " + first + " [-] open 2026-12-05, control " +
                               kControlVersion + " (" + std::to_string(sizeof(void*) * 8) +
                               "-bit), process 4321, sheet " + number +
                               ", host offers INodeAccess2 INodeAccess");
  size_t ofFirst = 0;
  while (ofFirst < lines.size() &&
         lines[ofFirst].compare(12, first.size() + 2, " " + first + " ") == 0) {
    ++ofFirst;
  }
  ASSERT_LT(ofFirst, lines.size());
  EXPECT_EQ(lines[ofFirst].find(" " + t.Tag() + " [-] open "), 12u);
  for (size_t i = ofFirst; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].find(" " + t.Tag() + " ["), 12u) << i;
  }
}

// A text too long for a line loses its end, at a whole character and never inside an escape,
// to the marker; the closing quote and the answer stay. The text is letters, a middle and a
// tail, in bytes `extra` more than in a line that just fits.
struct LongCase {
  const char* name;
  size_t extra;
  const char* middle;
  size_t tail;
  const char* end;  // how the line ends
  size_t shorter;   // than the most a line holds
};

const LongCase kLongCases[] = {
    {"JustFits", 0, "", 19, "bbb\" answered OK", 0},
    {"OneByteMore", 1, "", 20, "aaa\xE2\x80\xA6 (20 more bytes)\" answered OK", 0},
    {"FarMore", 5000, "", 5020, "aaa\xE2\x80\xA6 (5021 more bytes)\" answered OK", 0},
    {"KeepsALetterWhole", 1, "\xC3\xA4", 19, "aaa\xE2\x80\xA6 (21 more bytes)\" answered OK", 1},
    {"KeepsAnEscapeWhole", 0, "\n", 19, "aaa\xE2\x80\xA6 (20 more bytes)\" answered OK", 1},
};

class TraceOfALongText : public ::testing::TestWithParam<LongCase> {};

struct : ITabInView {
  std::string TabInView() const override { return "Import / Export"; }
} tab;

TEST_P(TraceOfALongText, KeepsTheLinesEnd) {
  const LongCase& c = GetParam();
  Traced t;
  auto trace = NodeTrace::Start(tab, &t.f.node, &t.f.node);
  ASSERT_TRUE(trace);
  const std::string fixed =
      "09:05:07.000 " + t.Tag() + R"( [Import / Export] box "D": "" answered OK)";
  const size_t fill =
      TraceLine::kMostBytes - fixed.size() + c.extra - std::strlen(c.middle) - c.tail;
  const std::string text = std::string(fill, 'a') + c.middle + std::string(c.tail, 'b');
  fw::Platform::Get().ShowMessageBox({fw::MessageKind::kPage, text, "D", fw::kMbOk});
  trace.reset();
  const std::string line = ReadLines(t.path).at(1);
  EXPECT_EQ(line.size(), TraceLine::kMostBytes - c.shorter);
  EXPECT_EQ(line.substr(line.size() - std::strlen(c.end)), c.end);
  EXPECT_EQ(line.compare(0, fixed.size() - 13, fixed, 0, fixed.size() - 13), 0);
}

INSTANTIATE_TEST_SUITE_P(Lines, TraceOfALongText, ::testing::ValuesIn(kLongCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A buffer longer than the trace shows in hex says how much it leaves out.
TEST(TraceOfALongBuffer, CountsTheBytesLeftOut) {
  Traced t;
  auto trace = NodeTrace::Start(tab, &t.f.node, &t.f.node);
  ASSERT_TRUE(trace);
  std::vector<uint8_t> buffer(TraceLine::kMostHexBytes + 44, 0x11);
  trace->Writer()->WriteNv(30, buffer.data(), static_cast<int32_t>(buffer.size()));
  trace.reset();
  std::string end = ": 11";
  for (int i = 1; i < TraceLine::kMostHexBytes; ++i) end += " 11";
  end += " \xE2\x80\xA6 (44 more bytes)";
  const std::string line = ReadLines(t.path).at(1);
  ASSERT_NE(line.find("] write 30 size 300 status "), std::string::npos) << line;
  EXPECT_EQ(line.substr(line.size() - end.size()), end);
}

}  // namespace
