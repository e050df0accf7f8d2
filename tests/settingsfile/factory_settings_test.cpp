#include "settingsfile/factory_settings.h"

#include <gtest/gtest.h>

#include "nvdata/config_part.h"
#include "tests/support/fixture.h"

using testing_support::NodeFixture;
using testing_support::Traffic;

namespace {

using Calls = std::vector<std::string>;

TEST(FactorySettings, WritesTheFactoryBytesAndLeavesPartZero) {
  NodeFixture f;
  // Every setting changed from the factory's.
  for (int index = 39; index <= 44; ++index) {
    f.node.SetBytes(index, std::vector<uint8_t>(sim::SimulatedNode::SizeOf(index), 0x5A));
  }
  for (int part = 1; part <= 12; ++part) f.node.SetPart(part, std::vector<uint8_t>(31, 0xA5));

  EXPECT_EQ(WriteFactorySettings(NodeIo(&f.node, &f.node)), 0);
  sim::SimulatedNode factory;  // starts with the factory settings
  for (int index = 39; index <= 44; ++index) EXPECT_EQ(f.node.Bytes(index), factory.Bytes(index));
  for (int part = 1; part <= 12; ++part) EXPECT_EQ(f.node.Part(part), factory.Part(part));
  EXPECT_EQ(f.node.SelectedPart(), 0);
  // 255 is the bytes 0x00 0xFF; the empty fields of part 5 are 0.
  EXPECT_EQ(f.node.Bytes(41), (std::vector<uint8_t>{0x00, 0xFF}));
}

TEST(FactorySettings, TrafficAndPausesInVirtualTime) {
  NodeFixture f;
  f.node.SetSelectedPart(0);
  WriteFactorySettings(NodeIo(&f.node, &f.node));
  Calls expected = {"W39@0", "W40@250", "W41@500", "W42@750", "W43@1000", "W44@1250"};
  for (int part = 1; part <= 12; ++part) {
    const int t = 1500 + 2650 * (part - 1);
    char select[24];
    std::snprintf(select, sizeof select, "W45:%04X@%d", part, t + 2200);
    expected.push_back("R45@" + std::to_string(t));
    expected.push_back(select);
    expected.push_back("W46@" + std::to_string(t + 2650));
  }
  expected.push_back("W45:0000@" + std::to_string(1500 + 12 * 2650 + 200));
  // Value writes without their bytes; selector writes with them.
  Calls calls = Traffic(f.node.Log(), true);
  const Calls withoutBytes = Traffic(f.node.Log(), true, false);
  for (size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].rfind("W45", 0) != 0) calls[i] = withoutBytes[i];
  }
  EXPECT_EQ(calls, expected);
  EXPECT_EQ(f.platform.SleptMs(), 6u * 250u + 12u * 2650u + 400u);

  // Part 1 already selected: no 2000 ms pause and no selection for it. (Each later part finds
  // the one before it selected.)
  NodeFixture g;
  g.node.SetSelectedPart(1);
  WriteFactorySettings(NodeIo(&g.node, &g.node));
  const Calls first = Traffic(g.node.Log(), true, false);
  EXPECT_EQ(Calls(first.begin() + 6, first.begin() + 10),
            (Calls{"R45@1500", "W46@1500", "R45@1500", "W45@3700"}));
  EXPECT_EQ(g.platform.SleptMs(), 6u * 250u + 11u * 2650u + 400u);
  EXPECT_EQ(g.node.SelectedPart(), 0);
}

TEST(FactorySettings, CountsRefusedAndMissedWritesAndSkipsUnselectedParts) {
  NodeFixture f;
  f.node.SetSelectedPart(5);
  f.node.FailWrites(40);
  f.node.FailWrites(kIndexPartSelector);
  f.node.SetPart(5, std::vector<uint8_t>(31, 0xA5));
  f.node.SetPart(6, std::vector<uint8_t>(31, 0xA5));
  // nciTemp2PlugIn, eleven selections of parts and the final selection of part 0.
  EXPECT_EQ(WriteFactorySettings(NodeIo(&f.node, &f.node)), 1 + 11 + 1);
  int partWrites = 0;
  for (const sim::HostCall& call : f.node.Log()) {
    if (call.index == kIndexPluginCnf) {
      ++partWrites;
      EXPECT_EQ(call.part, 5);
    }
  }
  EXPECT_EQ(partWrites, 1);
  EXPECT_EQ(f.node.Part(6), std::vector<uint8_t>(31, 0xA5));
  EXPECT_NE(f.node.Part(5), std::vector<uint8_t>(31, 0xA5));

  NodeFixture g;
  g.node.SetSelectedPart(0);
  EXPECT_EQ(WriteFactorySettings(NodeIo(&g.node, nullptr)), 6 + 12 + 1);
  for (const sim::HostCall& call : g.node.Log()) EXPECT_EQ(call.kind, sim::HostCall::Kind::kRead);
}

}  // namespace
