#include "settingsfile/settings_export.h"

#include <gtest/gtest.h>

#include "nvdata/config_part.h"
#include "settingsfile/settings_download.h"
#include "tests/settingsfile/temp_folder.h"
#include "tests/support/fixture.h"

using settingsfile_test::TempFolder;
using testing_support::NodeFixture;
using testing_support::Traffic;

namespace {

std::string Sp(int n) {
  return std::string(static_cast<size_t>(n), ' ');
}

// The file as the engineer's editor shows it, written out by hand, CR LF after every line.
std::string Crlf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string HeaderBlock(const std::string& name, const std::string& stamp) {
  return Crlf({std::string(41, '/') + Sp(2), "/ Exported from" + Sp(28), "/ Program ID" + Sp(31),
               "- 90 48 44 37 5F 33 42 2A", "/ Nodename" + Sp(33), "- " + name,
               "/ Export timestamp" + Sp(25), "- " + stamp, "", "/ Network variable data ", ""});
}

std::vector<std::string> SectionHeaders() {
  std::vector<std::string> headers = {
      "* nciTemp1PlugIn" + Sp(4) + "(38) - SNVT_str_int" + Sp(12),
      "* nciTemp2PlugIn" + Sp(4) + "(39) - SNVT_str_int" + Sp(12),
      "* nciSwitchExt1" + Sp(5) + "(40) - SNVT_count" + Sp(13),
      "* nciSwitchExt2" + Sp(4) + "(41) - SNVT_count" + Sp(13),
      "* nciCalcValve1" + Sp(4) + "(42) - SNVT_time_passed" + Sp(14),
      "* nciCalcValve2" + Sp(4) + "(43) - SNVT_time_passed" + Sp(8),
  };
  for (int part = 1; part <= 12; ++part) {
    headers.push_back("* nviPluginCnf" + Sp(5) + "(45) - SNVT_str_int" + Sp(5) + "** Part " +
                      std::to_string(part) + Sp(part < 10 ? 2 : 1));
  }
  return headers;
}

const std::vector<std::string> kFactoryValues = {
    "2, 64336, 2000, 0, 0, 0, 7000, 3500, 0, 0, 0, 500, 3300, 500, 7000, 5500",
    "2, 1500, 2300, 0, 0, 0, 1900, 1400, 0, 0, 0, 500, 3300, 500, 1500, 1800",
    "255",
    "255",
    "4, 0, 0, 0",
    "4, 0, 0, 0",
    "0, 27, 0, 18, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2",
    "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 400, 800, 0, 0, 2000, 0",
    "0, 2000, 5, 0, 0, 1500, 5, 0, 0, 0, 0, 65336, 3000, 200, 0, 0",
    "0, 1500, 0, 2800, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0",
    "0, 1800, 300, 0, 0, 1800, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0",
    "0, 0, 10000, 0, 2000, 2000, 50, 0, 50, 0, 0, 0, 0, 0, 0, 0",
    "0, 168, 168, 0, 0, 168, 168, 0, 0, 0, 0, 0, 0, 0, 0, 0",
    "0, 100, 60, 5, 0, 0, 0, 100, 60, 5, 0, 0, 0, 0, 0, 0",
    "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0",
    "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0",
    "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0",
    "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0",
};

class ExportTest : public ::testing::Test {
 protected:
  ExportTest() { f.platform.SetLocalTime({2026, 12, 5, 9, 5, 7}); }

  ExportResult Export() { return ExportSettings(io, path); }
  std::string Written() const { return TempFolder::Read(path); }

  NodeFixture f;
  NodeIo io{&f.node, &f.node};
  TempFolder folder;
  std::string path = folder.Path("node.txt");
};

TEST_F(ExportTest, FactorySettingsNodeGivesTheFileByteForByte) {
  f.node.SetNodeName("Boiler room 2");
  std::string golden = HeaderBlock("Boiler room 2", "5/12-2026  9:05:07");
  const std::vector<std::string> headers = SectionHeaders();
  for (size_t i = 0; i < headers.size(); ++i) golden += Crlf({headers[i], kFactoryValues[i], ""});

  const ExportResult result = Export();
  EXPECT_EQ(result.outcome, FileWriteOutcome::kWritten);
  EXPECT_EQ(result.readErrors, 0);
  EXPECT_EQ(Written(), golden);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"node.txt"});
}

TEST_F(ExportTest, FailedReadsLeaveHeaderLinesOnlyAndAreCounted) {
  f.node.FailAllReads();
  std::string golden = HeaderBlock("HD7_3 Sim", "5/12-2026  9:05:07");
  for (const std::string& header : SectionHeaders()) golden += Crlf({header});
  const ExportResult result = Export();
  EXPECT_EQ(result.readErrors, 18);
  EXPECT_EQ(Written(), golden);

  // Two failures in the middle: only their sections lose the value line.
  f.node.FailAllReads(false);
  f.node.FailReads(41);
  f.node.FailReads(kIndexPluginCnf);
  EXPECT_EQ(Export().readErrors, 13);
  EXPECT_NE(Written().find(Crlf({SectionHeaders()[2], SectionHeaders()[3], "255", ""})),
            std::string::npos);
  EXPECT_EQ(Written().find("0, 27, 0, 18"), std::string::npos);
}

TEST_F(ExportTest, NodeNameIsEmptyWhenMissingAndAtMostTwentyCharacters) {
  f.node.SetNodeName("");
  Export();
  EXPECT_NE(Written().find("/ Nodename" + Sp(33) + "\r\n- \r\n/ Export"), std::string::npos);

  f.node.SetNodeNameStatus(7);  // does not count as a read error
  EXPECT_EQ(Export().readErrors, 0);
  EXPECT_NE(Written().find("\r\n- \r\n/ Export"), std::string::npos);

  f.node.SetNodeNameStatus(0);
  f.node.SetNodeName("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  Export();
  EXPECT_NE(Written().find("\r\n- ABCDEFGHIJKLMNOPQRST\r\n"), std::string::npos);
  EXPECT_EQ(f.node.Log().front().kind, sim::HostCall::Kind::kGetNodeName);
  EXPECT_EQ(f.node.Log().front().size, 31);

  // The page is shown the fetched name; the file carries it as fetched.
  std::string shown;
  ExportSettings(io, path, [&](const std::string& fetched) { shown = fetched; });
  EXPECT_EQ(shown, "ABCDEFGHIJKLMNOPQRST");
  EXPECT_NE(Written().find("\r\n- ABCDEFGHIJKLMNOPQRST\r\n"), std::string::npos);
}

struct NameCase {
  std::string node;  // the name's bytes as the node gives them (a zero byte follows)
  std::string line;  // the name line of the file, without "- " and the line end
};

TEST_F(ExportTest, NodeNameGoesInAsTheNodesOwnBytesOnOneLine) {
  const std::string latin1 =
      "Geb\xE4"
      "ude S\xFC"
      "d W\xE4"
      "rme 12";  // 20 characters
  const std::string utf8 =
      "Geb\xC3\xA4"
      "ude S\xC3\xBC"
      "d W\xC3\xA4"
      "rme 12";  // 23 bytes
  const std::vector<NameCase> cases = {
      {latin1, latin1},
      {utf8, utf8.substr(0, 20)},  // a node's name has 20 bytes at most
      {"A\n12, 0, 0, 0", "A 12, 0, 0, 0"},
      {"B\r\n- 90", "B  - 90"},
  };
  for (const NameCase& c : cases) {
    std::vector<uint8_t> bytes(c.node.begin(), c.node.end());
    bytes.push_back(0);
    f.node.SetNodeNameBytes(bytes);
    Export();
    EXPECT_NE(Written().find("/ Nodename" + Sp(33) + "\r\n- " + c.line + "\r\n/ Export"),
              std::string::npos)
        << c.line;

    // The file downloads whole: the name line is never taken for a program ID or value line.
    NodeFixture target;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    FileLineReader lines(file);
    int questions = 0;
    const DownloadResult result = DownloadSettings(lines, NodeIo(&target.node, &target.node),
                                                   [&] { return ++questions, false; });
    std::fclose(file);
    EXPECT_EQ(questions, 0) << c.line;
    EXPECT_TRUE(result.enabled) << c.line;
    EXPECT_EQ(result.writeErrors, 0) << c.line;
  }
}

// A host that reports success for nciSwitchExt1 and the parts without filling the buffer.
class SilentNode : public sim::SimulatedNode {
 public:
  using sim::SimulatedNode::SimulatedNode;
  int32_t STDMETHODCALLTYPE ReadNv(int32_t index, uint8_t* buffer, int32_t capacity) override {
    if (index == 41 || index == kIndexPluginCnf) return 0;
    return sim::SimulatedNode::ReadNv(index, buffer, capacity);
  }
};

TEST_F(ExportTest, ARecordTheHostLeavesUnfilledExportsAsZeros) {
  SilentNode node;
  int errors = 0;
  const std::string text = ExportText(NodeIo(&node, &node), errors, nullptr);
  EXPECT_EQ(errors, 0);
  // The NVs read before them hold other bytes (factory settings): none of those show up here.
  EXPECT_NE(text.find("SNVT_count             \n0\n\n* nciSwitchExt2"), std::string::npos);
  EXPECT_NE(text.find("** Part 1  \n0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\n"),
            std::string::npos);
}

// A clock that moves on by one second at every reading, from one second before midnight.
class TickingClock : public fw::headless::HeadlessPlatform {
 public:
  fw::LocalTime Now() override { return fw::AddSeconds({2026, 12, 31, 23, 59, 59}, readings_++); }
  int readings_ = 0;
};

TEST_F(ExportTest, TimestampComesFromOneClockReading) {
  TickingClock clock;
  Export();
  EXPECT_EQ(clock.readings_, 1);
  EXPECT_NE(Written().find("\r\n- 31/12-2026  23:59:59\r\n"), std::string::npos);
}

TEST_F(ExportTest, TrafficAndPausesInVirtualTime) {
  f.node.SetSelectedPart(0);
  Export();
  std::vector<std::string> expected = {"N@0", "R39@0", "R40@0", "R41@0", "R42@0", "R43@0", "R44@0"};
  for (int part = 1; part <= 12; ++part) {
    const int t = 650 * (part - 1);
    char select[16];
    std::snprintf(select, sizeof select, "W45:%04X", part);
    expected.push_back("R45@" + std::to_string(t));
    expected.push_back(select + ("@" + std::to_string(t + 200)));
    expected.push_back("R46@" + std::to_string(t + 650));
  }
  EXPECT_EQ(Traffic(f.node.Log(), true), expected);
  EXPECT_EQ(f.platform.SleptMs(), 12u * 650u);
  for (const sim::HostCall& call : f.node.Log()) {
    if (call.kind == sim::HostCall::Kind::kRead) {
      EXPECT_EQ(call.size, 31);
    }
  }
  EXPECT_EQ(f.node.SelectedPart(), 12);

  // With part 1 already selected, the first part costs only the 250 ms before its read.
  f.node.SetSelectedPart(1);
  f.node.ClearLog();
  f.platform.ResetSlept();
  Export();
  const auto calls = Traffic(f.node.Log());
  EXPECT_EQ(std::vector<std::string>(calls.begin() + 7, calls.begin() + 12),
            (std::vector<std::string>{"R45", "R46", "R45", "W45:0002", "R46"}));
  EXPECT_EQ(f.node.Log()[8].atMs - f.node.Log()[7].atMs, 250u);
  EXPECT_EQ(f.platform.SleptMs(), 250u + 11u * 650u);
  EXPECT_EQ(f.node.SelectedPart(), 12);
}

TEST_F(ExportTest, PartsThatCannotBeSelectedAreNotReadAndCountAsFailed) {
  f.node.SetSelectedPart(3);
  f.node.FailWrites(kIndexPartSelector);
  const ExportResult result = Export();
  EXPECT_EQ(result.readErrors, 11);  // only part 3, selected already, is read
  int partReads = 0;
  for (const sim::HostCall& call : f.node.Log()) {
    if (call.index == kIndexPluginCnf) {
      ++partReads;
      EXPECT_EQ(call.part, 3);
    }
  }
  EXPECT_EQ(partReads, 1);
  EXPECT_NE(Written().find("0, 2000, 5, 0"), std::string::npos);
  EXPECT_EQ(Written().find("0, 27, 0, 18"), std::string::npos);
}

TEST_F(ExportTest, FileThatCannotBeOpenedIsReportedAfterTheReads) {
  path = folder.Folder();  // a folder, not a file
  const ExportResult result = Export();
  EXPECT_EQ(result.outcome, FileWriteOutcome::kOpenFailed);
  EXPECT_EQ(result.readErrors, 0);
  EXPECT_EQ(f.node.Log().size(), 7u + 36u);
  EXPECT_TRUE(folder.Names().empty());
}

}  // namespace
