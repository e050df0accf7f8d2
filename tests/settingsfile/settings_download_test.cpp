#include "settingsfile/settings_download.h"

#include <gtest/gtest.h>

#include <deque>

#include "nvdata/config_part.h"
#include "settingsfile/settings_export.h"
#include "tests/settingsfile/failing_file.h"
#include "tests/support/fixture.h"

using testing_support::NodeFixture;
using testing_support::Traffic;

namespace {

using Calls = std::vector<std::string>;

const std::string kId = "- 90 48 44 37 5F 33 42 2A\n";
const std::string kTemp1 = "* nciTemp1PlugIn    (38) - SNVT_str_int            \n";
const std::string kSwitch1 = "* nciSwitchExt1     (40) - SNVT_count             \n";
const std::string kSwitch2 = "* nciSwitchExt2    (41) - SNVT_count             \n";
const std::string kValve1 = "* nciCalcValve1    (42) - SNVT_time_passed              \n";

std::string PartHeader(int part) {
  return "* nviPluginCnf     (45) - SNVT_str_int     ** Part " + std::to_string(part) +
         (part < 10 ? "  \n" : " \n");
}

class DownloadTest : public ::testing::Test {
 protected:
  DownloadResult Download(const std::string& text) { return DownloadWith(text, io); }
  DownloadResult DownloadWith(const std::string& text, const NodeIo& node) {
    TextLineReader lines(text);
    return DownloadSettings(lines, node, [this] {
      ++questions;
      const bool yes = !answers.empty() && answers.front();
      if (!answers.empty()) answers.pop_front();
      return yes;
    });
  }
  // Writes of values, without the selector traffic.
  Calls ValueWrites() const {
    Calls writes;
    for (const std::string& call : Traffic(f.node.Log())) {
      if (call[0] == 'W' && call.rfind("W45", 0) != 0) writes.push_back(call);
    }
    return writes;
  }

  NodeFixture f;
  NodeIo io{&f.node, &f.node};
  std::deque<bool> answers;
  int questions = 0;
};

TEST_F(DownloadTest, TrafficAndPausesInVirtualTime) {
  f.node.SetSelectedPart(0);
  const std::string text = "/ comment\n" + kId + kSwitch1 + "300\n\n" + PartHeader(1) +
                           "0, 1, 0\n\n" + PartHeader(7) + "0, 2, 0\n\n";
  const DownloadResult result = Download(text);
  EXPECT_TRUE(result.enabled);
  EXPECT_EQ(result.writeErrors, 0);
  const std::string zeros(56, '0');
  EXPECT_EQ(Traffic(f.node.Log(), true),
            (Calls{"W41:012C@0",
                   // the first part section is part 1, whatever its header says
                   "R45@0", "W45:0001@200", "W46:000001" + zeros + "@650", "W45:0000@850",
                   "R45@1050", "W45:0002@1250", "W46:000002" + zeros + "@1700", "W45:0000@1900"}));
  EXPECT_EQ(f.platform.SleptMs(), 2u * 1050u);
  EXPECT_EQ(f.node.SelectedPart(), 0);

  // The part already selected: no selection, only the 250 ms pause before the write.
  f.node.SetSelectedPart(1);
  f.node.ClearLog();
  f.platform.ResetSlept();
  Download(kId + PartHeader(1) + "0, 3, 0\n");
  EXPECT_EQ(Traffic(f.node.Log(), true, false), (Calls{"R45@2100", "W46@2350", "W45@2550"}));
  EXPECT_EQ(f.platform.SleptMs(), 650u);
  EXPECT_EQ(f.node.SelectedPart(), 0);
}

TEST_F(DownloadTest, LineFeedOnlyFilesReadLikeCarriageReturnLineFeedFiles) {
  // A whole file from the writer, from a node whose settings differ from the factory's.
  NodeFixture source;
  source.node.SetBytes(41, {0x01, 0x02});
  source.node.SetBytes(44, {0xFC, 1, 2, 0x80});  // negative bytes: "-4, 1, 2, -128"
  source.node.SetByte(46, 0, 0);
  std::vector<uint8_t> part9(31, 0);
  part9[0] = 0xFF;  // a line that begins with a minus sign
  part9[30] = 0x42;
  source.node.SetPart(9, part9);
  int errors = 0;
  const std::string lf = ExportText(NodeIo(&source.node, &source.node), errors, nullptr);
  ASSERT_EQ(errors, 0);

  EXPECT_TRUE(Download(lf).enabled);
  const Calls lfTraffic = Traffic(f.node.Log());
  NodeFixture other;
  TextLineReader crlfLines(WithCrLf(lf));
  EXPECT_TRUE(DownloadSettings(crlfLines, NodeIo(&other.node, &other.node), nullptr).enabled);
  EXPECT_EQ(Traffic(other.node.Log()), lfTraffic);
  EXPECT_EQ(lfTraffic.size(), 6u + 12u * 4u);

  for (int index = 39; index <= 44; ++index)
    EXPECT_EQ(f.node.Bytes(index), source.node.Bytes(index));
  for (int part = 1; part <= 12; ++part) EXPECT_EQ(f.node.Part(part), source.node.Part(part));
}

TEST_F(DownloadTest, ProgramIdDecidesAtEveryTwentyThreeCharacterLine) {
  const std::string wrong = "- 90 48 44 37 5F 33 42 2B\n";
  answers = {false, true};
  const std::string text = "- HD7_3 Sim\n- 5/12-2026  9:05:07\n" + kSwitch1 + "1\n" + wrong +
                           kSwitch1 + "2\n" + kId + kSwitch2 + "3\n" + wrong + kValve1 +
                           "4, 0, 0, 0\n";
  const DownloadResult result = Download(text);
  EXPECT_EQ(questions, 2);
  EXPECT_TRUE(result.enabled);
  EXPECT_EQ(ValueWrites(), (Calls{"W42:0003", "W43:04000000"}));

  // Without a program ID line nothing is written; after a refusal the result is "not enabled".
  f.node.ClearLog();
  EXPECT_FALSE(Download("- name\n" + kSwitch1 + "1\n").enabled);
  answers = {false};
  EXPECT_FALSE(Download(kId + kSwitch1 + "5\n" + wrong + kSwitch2 + "6\n").enabled);
  EXPECT_EQ(ValueWrites(), (Calls{"W41:0005"}));
  // The comparison is exact: lower case differs.
  answers = {false};
  EXPECT_FALSE(Download("- 90 48 44 37 5f 33 42 2a\n").enabled);
}

TEST_F(DownloadTest, FieldsFollowTheValueLineRules) {
  const std::string text = kId + kTemp1 +
                           "-1, -200, 70000, , , 1.9, abc, 65336, 0, 0, 0, 0, 0, 0, 0, 300\n" +
                           kSwitch1 + "-1\n" + kValve1 + "300, -1, , 127\n";
  Download(text);
  std::vector<uint8_t> temp1(31, 0);
  temp1[0] = 0xFF;
  temp1[1] = 0xFF;
  temp1[2] = 0x38;
  temp1[3] = 0x11;
  temp1[4] = 0x70;
  temp1[10] = 1;
  temp1[13] = 0xFF;
  temp1[14] = 0x38;
  temp1[29] = 0x01;
  temp1[30] = 0x2C;
  EXPECT_EQ(f.node.Bytes(39), temp1);
  EXPECT_EQ(f.node.Bytes(41), (std::vector<uint8_t>{0xFF, 0xFF}));
  EXPECT_EQ(f.node.Bytes(43), (std::vector<uint8_t>{44, 0xFF, 0, 127}));
}

TEST_F(DownloadTest, NoValueIsTakenFromAHeaderLine) {
  f.node.SetSelectedPart(0);
  const std::vector<uint8_t> part1 = f.node.Part(1);
  const std::vector<uint8_t> temp1 = f.node.Bytes(39);
  // nciTemp1PlugIn and part 1 have no value line (their reads failed at export); part 2's
  // section follows part 1's header directly and keeps its number.
  const std::string text = kId + kTemp1 + kSwitch1 + "300\n\n" + kSwitch2 + "\n" + kValve1 +
                           "/ comment\n" + kSwitch2 + "- name\n" + PartHeader(1) + PartHeader(2) +
                           "0, 9, 0\n\n" + PartHeader(3);
  const DownloadResult result = Download(text);
  EXPECT_EQ(result.writeErrors, 0);
  EXPECT_EQ(ValueWrites(), (Calls{"W41:012C", "W46:000009" + std::string(56, '0')}));
  EXPECT_EQ(f.node.Bytes(39), temp1);
  EXPECT_EQ(f.node.Part(1), part1);
  EXPECT_EQ(f.node.Part(2)[2], 9);
  // Part 1 and part 3 were neither selected nor paused for.
  for (const std::string& call : Traffic(f.node.Log())) {
    EXPECT_NE(call, "W45:0001");
    EXPECT_NE(call, "W45:0003");
  }
  EXPECT_EQ(f.platform.SleptMs(), 1050u);

  // Headers and dashes shorter than two characters, names outside the set, a header without a
  // space after its name: their value lines are consumed and nothing is written.
  f.node.ClearLog();
  Download(kId + "*\n5\n-\n* \n6\n*x\n7\n* nciFoo (1)\n8\n* nciSwitchExt1\n9\n");
  EXPECT_TRUE(ValueWrites().empty());
}

TEST_F(DownloadTest, LongLinesStayOneLine) {
  // A comment whose tail, were it cut at 99 characters, would read as a header.
  const std::string comment = "/" + std::string(98, ' ') + kSwitch1;
  // A value line longer than 114 characters keeps its last field.
  const std::string longValues =
      "0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14," + std::string(100, ' ') + "4660\n";
  Download(kId + comment + "5\n" + kTemp1 + longValues);
  ASSERT_EQ(ValueWrites().size(), 1u);
  EXPECT_EQ(f.node.Bytes(39)[28], 14);
  EXPECT_EQ(f.node.Bytes(39)[29], 0x12);
  EXPECT_EQ(f.node.Bytes(39)[30], 0x34);
  EXPECT_NE(f.node.Bytes(41), (std::vector<uint8_t>{0, 5}));
}

TEST_F(DownloadTest, OnlyTwelvePartsAreWritten) {
  f.node.SetSelectedPart(0);
  std::string text = kId;
  for (int section = 1; section <= 14; ++section) {
    text += PartHeader(section) + "0, " + std::to_string(section) + ", 0\n\n";
  }
  EXPECT_EQ(Download(text).writeErrors, 0);
  int partWrites = 0;
  for (const sim::HostCall& call : f.node.Log()) {
    if (call.kind != sim::HostCall::Kind::kWrite) continue;
    if (call.index == kIndexPluginCnf) ++partWrites;
    if (call.index == kIndexPartSelector) {
      EXPECT_EQ(call.bytes[0], 0);
      EXPECT_LE(call.bytes[1], 12);
    }
  }
  EXPECT_EQ(partWrites, 12);
  EXPECT_EQ(f.node.Part(12)[2], 12);
  EXPECT_EQ(f.node.SelectedPart(), 0);
}

TEST_F(DownloadTest, RefusedAndSkippedWritesAreCounted) {
  f.node.SetSelectedPart(0);
  f.node.FailWrites(41);
  EXPECT_EQ(
      Download(kId + kSwitch1 + "1\n" + kSwitch2 + "2\n" + PartHeader(1) + "0, 1, 0\n").writeErrors,
      1);
  const std::vector<uint8_t> part1 = f.node.Part(1);
  ASSERT_EQ(part1[2], 1);
  const std::string text = kId + kSwitch1 + "1\n" + kSwitch2 + "2\n" + PartHeader(1) + "0, 7, 0\n";

  // A part that cannot be selected is not written: selector write and the reset count.
  f.node.FailWrites(41, false);
  f.node.FailWrites(kIndexPartSelector);
  f.node.SetSelectedPart(2);
  f.node.ClearLog();
  const DownloadResult result = Download(text);
  EXPECT_TRUE(result.enabled);
  EXPECT_EQ(result.writeErrors, 2);
  EXPECT_EQ(ValueWrites(), (Calls{"W41:0001", "W42:0002"}));
  EXPECT_EQ(f.node.Part(1), part1);

  // No writing interface: every write is missed and counted.
  f.node.FailWrites(kIndexPartSelector, false);
  f.node.ClearLog();
  const DownloadResult noWriter = DownloadWith(text, NodeIo(&f.node, nullptr));
  EXPECT_EQ(noWriter.writeErrors, 4);
  EXPECT_EQ(ValueWrites(), Calls{});
}

TEST_F(DownloadTest, AReadErrorStopsTheDownloadLikeARefusal) {
  // The error cuts the second value line short: "1" of "12" must not be written.
  const std::string text = kId + kSwitch1 + "300\n" + kSwitch2 + "12\n" + kValve1 + "4, 0, 0, 0\n";
  settingsfile_test::FailingSource source{text, text.find("12\n") + 1};
  std::FILE* file = settingsfile_test::OpenFailingFile(source);
  ASSERT_NE(file, nullptr);
  FileLineReader lines(file);
  const DownloadResult result = DownloadSettings(lines, io, nullptr);
  std::fclose(file);
  EXPECT_TRUE(result.readFailed);
  EXPECT_FALSE(result.enabled);
  EXPECT_EQ(ValueWrites(), Calls{"W41:012C"});  // what was written before stays written

  // Read to its end, the same file downloads whole.
  f.node.ClearLog();
  const DownloadResult whole = Download(text);
  EXPECT_FALSE(whole.readFailed);
  EXPECT_TRUE(whole.enabled);
  EXPECT_EQ(ValueWrites(), (Calls{"W41:012C", "W42:000C", "W43:04000000"}));
}

}  // namespace
