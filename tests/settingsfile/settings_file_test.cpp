// Saving the node's settings to a NodeSettings file and downloading one to the node.
#include <gtest/gtest.h>

#include <deque>
#include <regex>

#include "nvdata/config_part.h"
#include "settingsfile/settings_download.h"
#include "settingsfile/settings_export.h"
#include "tests/settingsfile/temp_folder.h"
#include "tests/support/fixture.h"

using settingsfile_test::PartPass;
using settingsfile_test::TempFolder;
using testing_support::NodeFixture;
using testing_support::Traffic;

namespace {

using Calls = std::vector<std::string>;

class ExportTest : public ::testing::Test {
 protected:
  ExportTest() { f.platform.SetLocalTime({2026, 12, 5, 9, 5, 7}); }
  ExportResult Export() { return ExportSettings(io, path); }
  std::string Written() const { return TempFolder::Read(path); }
  bool Has(const std::string& text) const { return Written().find(text) != std::string::npos; }

  NodeFixture f;
  NodeIo io{&f.node, &f.node};
  TempFolder folder;
  std::string path = folder.Path("node.txt");
};

// The factory settings' file as the engineer's editor shows it, kept by hand.
const std::string kFactoryFile = TempFolder::Sample("factory.txt");

TEST_F(ExportTest, FactorySettingsGiveTheFileByteForByteAndFailedReadsOnlyTheirHeaders) {
  f.node.SetNodeName("Boiler room 2");
  EXPECT_EQ(Export().outcome, FileWriteOutcome::kWritten);
  EXPECT_EQ(Written(), kFactoryFile);
  EXPECT_EQ(folder.Names(), Calls{"node.txt"});

  // A section whose read fails keeps its header line and loses its value line.
  f.node.FailAllReads();
  f.platform.SetLocalTime({2026, 12, 5, 9, 5, 7});
  EXPECT_EQ(Export().readErrors, 18);
  EXPECT_EQ(Written(),
            std::regex_replace(kFactoryFile, std::regex("(\\* .*\r\n).*\r\n\r\n"), "$1"));
}

TEST_F(ExportTest, NodeNameIsTheNodesOwnBytesOnOneLine) {
  const std::string latin1 =
      "Geb\xE4ude S\xFC"
      "d W\xE4rme 12";  // 20 characters
  // The name's bytes as the node gives them (a zero byte follows), the file's name line.
  const std::pair<std::string, std::string> cases[] = {
      {latin1, latin1},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDEFGHIJKLMNOPQRST"},
      {"A\n12, 0, 0, 0", "A 12, 0, 0, 0"},
      {"B\r\n- 90", "B  - 90"},
      {"", ""},
  };
  for (const auto& [name, line] : cases) {
    f.node.SetNodeName(name);
    std::string shown = "none";  // the page is shown the name as fetched
    ExportSettings(io, path, [&](const std::string& fetched) { shown = fetched; });
    EXPECT_EQ(shown, name.substr(0, 20));
    EXPECT_TRUE(Has("/ Nodename" + std::string(33, ' ') + "\r\n- " + line + "\r\n/ Export"));
  }
  // A name that cannot be fetched is empty and no read error.
  f.node.SetNodeNameStatus(7);
  EXPECT_EQ(Export().readErrors, 0);
  EXPECT_TRUE(Has("\r\n- \r\n/ Export"));
}

// A host that reports success for nciSwitchExt1 and the parts without filling the buffer.
class SilentNode : public sim::SimulatedNode {
 public:
  int32_t STDMETHODCALLTYPE ReadNv(int32_t index, uint8_t* buffer, int32_t capacity) override {
    if (index == 41 || index == kIndexPluginCnf) return 0;
    return sim::SimulatedNode::ReadNv(index, buffer, capacity);
  }
};

TEST_F(ExportTest, UnfilledRecordsExportAsZerosAndTheTimestampIsOneClockReading) {
  SilentNode node;
  int errors = 0;
  testing_support::SteppingClock clock;
  const std::string text = ExportText(NodeIo(&node, &node), errors, nullptr);
  EXPECT_EQ(errors, 0);
  // Not the bytes of the NVs read before them (factory settings).
  EXPECT_NE(text.find("SNVT_count             \n0\n\n* nciSwitchExt2"), std::string::npos);
  EXPECT_NE(text.find("** Part 1  \n0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\n"),
            std::string::npos);
  EXPECT_EQ(clock.readings, 1);
  EXPECT_NE(text.find("\n- 31/12-2026  23:59:59\n"), std::string::npos);
}

TEST_F(ExportTest, TrafficAndPausesInVirtualTimeAndAFileThatWillNotOpenComesLast) {
  f.node.SetSelectedPart(0);
  path = folder.Folder();  // a folder, not a file: reported after every read
  EXPECT_EQ(Export().outcome, FileWriteOutcome::kOpenFailed);
  Calls expected = {"N@0", "R39@0", "R40@0", "R41@0", "R42@0", "R43@0", "R44@0"};
  const Calls parts = PartPass(0, 650, 200, "R46");
  expected.insert(expected.end(), parts.begin(), parts.end());
  EXPECT_EQ(Traffic(f.node.Log(), true), expected);
  for (const sim::HostCall& call : f.node.Log()) {
    EXPECT_EQ(call.size, call.kind == sim::HostCall::Kind::kWrite ? call.size : 31);
  }
  EXPECT_EQ(f.node.SelectedPart(), 12);
  EXPECT_EQ(folder.Names(), Calls{});
}

TEST_F(ExportTest, PartsThatCannotBeSelectedAreNotRead) {
  f.node.SetSelectedPart(3);
  f.node.FailWrites(kIndexPartSelector);
  EXPECT_EQ(Export().readErrors, 11);
  Calls partReads;
  for (const sim::HostCall& call : f.node.Log()) {
    if (call.index == kIndexPluginCnf) partReads.push_back(std::to_string(call.part));
  }
  EXPECT_EQ(partReads, Calls{"3"});
  EXPECT_TRUE(Has("0, 2000, 5, 0"));
  EXPECT_FALSE(Has("0, 27, 0, 18"));
}

// ------------------------------------------------------------------ download

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
  DownloadTest() { f.node.SetSelectedPart(0); }
  DownloadResult Download(const std::string& text, const NodeIo& node) {
    TextLineReader lines(text);
    return DownloadSettings(lines, node, [this] {
      ++questions;
      const bool yes = !answers.empty() && answers.front();
      if (!answers.empty()) answers.pop_front();
      return yes;
    });
  }
  DownloadResult Download(const std::string& text) { return Download(text, io); }
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
  const DownloadResult result =
      Download("/ comment\n" + kId + kSwitch1 + "300\n\n" + PartHeader(1) + "0, 1, 0\n\n" +
               PartHeader(7) + "0, 2, 0\n\n");
  EXPECT_TRUE(result.enabled);
  EXPECT_EQ(result.writeErrors, 0);
  const std::string zeros(56, '0');
  EXPECT_EQ(Traffic(f.node.Log(), true),
            (Calls{"W41:012C@0",
                   // the first part section is part 1, whatever its header says
                   "R45@0", "W45:0001@200", "W46:000001" + zeros + "@650", "W45:0000@850",
                   "R45@1050", "W45:0002@1250", "W46:000002" + zeros + "@1700", "W45:0000@1900"}));
  EXPECT_EQ(f.platform.SleptMs(), 2u * 1050u);

  // The part already selected: no selection, only the 250 ms pause before the write.
  f.node.SetSelectedPart(1);
  f.node.ClearLog();
  f.platform.ResetSlept();
  Download(kId + PartHeader(1) + "0, 3, 0\n");
  EXPECT_EQ(Traffic(f.node.Log(), true, false), (Calls{"R45@2100", "W46@2350", "W45@2550"}));
  EXPECT_EQ(f.platform.SleptMs(), 650u);
  EXPECT_EQ(f.node.SelectedPart(), 0);
}

TEST_F(DownloadTest, ProgramIdDecidesAtEveryTwentyThreeCharacterLine) {
  const std::string wrong = "- 90 48 44 37 5F 33 42 2B\n";
  answers = {false, true};
  EXPECT_TRUE(Download("- HD7_3 Sim\n- 5/12-2026  9:05:07\n" + kSwitch1 + "1\n" + wrong + kSwitch1 +
                       "2\n" + kId + kSwitch2 + "3\n" + wrong + kValve1 + "4, 0, 0, 0\n")
                  .enabled);
  EXPECT_EQ(questions, 2);
  EXPECT_EQ(ValueWrites(), (Calls{"W42:0003", "W43:04000000"}));
  answers = {false};
  EXPECT_FALSE(Download("- 90 48 44 37 5f 33 42 2a\n").enabled);  // lower case differs
}

TEST_F(DownloadTest, NoValueIsTakenFromAHeaderLine) {
  const std::vector<uint8_t> part1 = f.node.Part(1);
  // nciTemp1PlugIn and part 1 have no value line (their reads failed at export); part 2's
  // section follows part 1's header directly and keeps its number.
  const DownloadResult result = Download(
      kId + kTemp1 + kSwitch1 + "300\n\n" + kSwitch2 + "\n" + kValve1 + "/ comment\n" + kSwitch2 +
      "- name\n" + PartHeader(1) + PartHeader(2) + "0, 9, 0\n\n" + PartHeader(3));
  EXPECT_EQ(result.writeErrors, 0);
  EXPECT_EQ(ValueWrites(), (Calls{"W41:012C", "W46:000009" + std::string(56, '0')}));
  EXPECT_EQ(f.node.Part(1), part1);
  EXPECT_EQ(f.node.Part(2)[2], 9);
  EXPECT_EQ(f.platform.SleptMs(), 1050u);  // part 1 and part 3 neither selected nor paused for

  // Headers and dashes shorter than two characters, names outside the set, a header without a
  // space after its name: their value lines are consumed and nothing is written.
  f.node.ClearLog();
  Download(kId + "*\n5\n-\n* \n6\n*x\n7\n* nciFoo (1)\n8\n* nciSwitchExt1\n9\n");
  EXPECT_EQ(ValueWrites(), Calls{});
}

TEST_F(DownloadTest, OnlyTwelvePartsAreWrittenAndRefusedOrMissedWritesCount) {
  std::string text = kId;
  for (int section = 1; section <= 14; ++section) {
    text += PartHeader(section) + "0, " + std::to_string(section) + ", 0\n\n";
  }
  EXPECT_EQ(Download(text).writeErrors, 0);
  EXPECT_EQ(ValueWrites().size(), 12u);
  EXPECT_EQ(f.node.Part(12)[2], 12);
  EXPECT_EQ(f.node.SelectedPart(), 0);

  // A refused write counts; a part that cannot be selected is not written, and its selection
  // and the return to part 0 count.
  text = kId + kSwitch1 + "1\n" + kSwitch2 + "2\n" + PartHeader(1) + "0, 7, 0\n";
  f.node.FailWrites(41);
  f.node.FailWrites(kIndexPartSelector);
  f.node.SetSelectedPart(2);
  f.node.ClearLog();
  const DownloadResult result = Download(text);
  EXPECT_TRUE(result.enabled);
  EXPECT_EQ(result.writeErrors, 3);
  EXPECT_EQ(ValueWrites(), (Calls{"W41:0001!", "W42:0002"}));
  EXPECT_EQ(f.node.Part(1)[2], 1);

  // No writing interface: every write is missed and counted.
  f.node.ClearLog();
  EXPECT_EQ(Download(text, NodeIo(&f.node, nullptr)).writeErrors, 4);
  EXPECT_EQ(ValueWrites(), Calls{});
}

}  // namespace
