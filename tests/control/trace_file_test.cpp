// The trace's file: a sheet starts on a fresh line after half a line, two writers sharing one
// file keep it within the limit with whole lines, a full file rolls over to FILE.1, and the
// tool's sample trace is what the writer writes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "resources/dialog_import_export.h"
#include "resources/dialog_pump.h"
#include "tests/control/trace_support.h"

namespace {

using trace_test::Lines;
using trace_test::ReadLines;
using trace_test::Traced;
namespace fs = std::filesystem;

// What a file held before a sheet opened, and the lines it holds afterwards before the sheet's.
struct FreshLineCase {
  const char* name;
  const char* before;
  Lines kept;
};

const FreshLineCase kFreshLineCases[] = {
    {"NoFile", nullptr, {}},
    {"EmptyFile", "", {}},
    {"WholeLine", "09:05:06.000 #1.1 [-] close\n", {"09:05:06.000 #1.1 [-] close"}},
    {"HalfALine", "09:05:06.000 #1.1 [Pu", {"09:05:06.000 #1.1 [Pu"}},
    {"HalfALineEndingInCr", "close\r", {"close\r"}},
};

class TraceAfterAHalfLine : public ::testing::TestWithParam<FreshLineCase> {};

TEST_P(TraceAfterAHalfLine, StartsOnAFreshLine) {
  const FreshLineCase& c = GetParam();
  Traced t;
  if (c.before != nullptr) std::ofstream(t.path, std::ios::binary) << c.before;
  t.f.OpenSheet();
  t.f.CloseSheet();
  const Lines lines = ReadLines(t.path);
  ASSERT_GT(lines.size(), c.kept.size() + 2);
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + static_cast<long>(c.kept.size())), c.kept);
  EXPECT_EQ(lines[c.kept.size()].find("09:05:07.000 " + t.Tag() + " [-] open "), 0u);
}

INSTANTIATE_TEST_SUITE_P(Files, TraceAfterAHalfLine, ::testing::ValuesIn(kFreshLineCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Two writers (as two processes would) take turns at one file, each line a different length,
// until both have stopped: the file keeps within the limit, each stopped close to it, and every
// line is one of theirs, whole.
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
  std::ofstream(t.path, std::ios::binary)
      << std::string(c.before - (c.before > 0), 'x') << (c.before > 0 ? "\n" : "");
  TraceFileWriter a(c.limit), b(c.limit);
  ASSERT_TRUE(a.Open(t.f.platform, t.path));
  ASSERT_TRUE(b.Open(t.f.platform, t.path));
  int lines = 0;
  for (; (a.IsOpen() || b.IsOpen()) && lines < 10000; ++lines) {
    TraceFileWriter& writer = lines % 2 == 0 ? a : b;
    writer.Write(lines % 2 == 0 ? "#A " : "#B ", std::string(40 + lines * 37 % 1900, 'e'));
  }
  const uint64_t size = fs::file_size(t.path);
  EXPECT_LE(size, c.limit);
  EXPECT_GT(size, c.limit - TraceFileWriter::kRoomAtOpen);
  const Lines written = ReadLines(t.path);
  int notes = 0;
  for (size_t i = c.before > 0 ? 1 : 0; i < written.size(); ++i) {
    const std::string& line = written[i];
    const bool note = line.substr(3) == TraceFileWriter::kFullNote;
    notes += note;
    const size_t letters = line.size() - 3;
    EXPECT_TRUE(note ||
                ((line.rfind("#A ", 0) == 0 || line.rfind("#B ", 0) == 0) && letters >= 40 &&
                 letters < 1940 && line.find_first_not_of('e', 3) == std::string::npos))
        << i;
  }
  EXPECT_EQ(notes, 2);
  EXPECT_GT(written.size(), 20u);
}

INSTANTIATE_TEST_SUITE_P(Limits, TraceFileOfTwoWriters, ::testing::ValuesIn(kSharedCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A file a little short of 8 MB fills up; the next sheet moves it to FILE.1 and starts afresh.
TEST(TraceFileAtTheLimit, RollsOverAtTheNextSheet) {
  Traced t;
  std::ofstream(t.path, std::ios::binary)
      << std::string(TraceFileWriter::kLimitBytes - TraceFileWriter::kRoomAtOpen - 1, 'x');
  t.f.OpenSheet();
  for (int tab = 0; tab < t.f.driver->TabCount(); ++tab) {
    t.f.driver->SelectTab(tab);
    t.f.platform.RunFor(2100);
  }
  t.f.CloseSheet();
  const uint64_t full = fs::file_size(t.path);
  EXPECT_LE(full, TraceFileWriter::kLimitBytes);
  const std::string last = ReadLines(t.path).back();
  const std::string note = std::string("] ") + TraceFileWriter::kFullNote;
  EXPECT_EQ(last.substr(12, t.Tag().size() + 3), " " + t.Tag() + " [");
  EXPECT_EQ(last.substr(last.size() - note.size()), note);
  t.f.OpenSheet();
  t.f.CloseSheet();
  EXPECT_EQ(fs::file_size(t.path + ".1"), full);
  const Lines fresh = ReadLines(t.path);
  EXPECT_EQ(fresh.front().find(" " + t.Tag() + " [-] open "), 12u);
  EXPECT_EQ(fresh.back().find(" " + t.Tag() + " [-] close"), 12u);
}

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
  const std::string tag = t.Tag();
  std::string trace;
  for (std::string line : ReadLines(t.path)) {
    line.replace(13, tag.size(), "#4321.1");
    const size_t sheet = line.find(", sheet " + tag.substr(6) + ",");
    if (sheet != std::string::npos) line.replace(sheet + 8, tag.size() - 6, "1");
    const size_t bits = line.find(" (" + std::to_string(sizeof(void*) * 8) + "-bit), ");
    if (bits != std::string::npos) line.replace(bits + 2, 2, "64");
    trace += line + "\n";
  }
  const std::string sample = std::string(HD7_3_SOURCE_DIR) + "/tests/tools/files/trace.txt";
  if (std::getenv("HD7_3_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(sample, std::ios::binary) << trace;
  }
  EXPECT_EQ(trace, settingsfile_test::TempFolder::Read(sample));
}

}  // namespace
