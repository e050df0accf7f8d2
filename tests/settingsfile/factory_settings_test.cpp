#include "settingsfile/factory_settings.h"

#include <gtest/gtest.h>

#include "nvdata/config_part.h"
#include "tests/settingsfile/temp_folder.h"
#include "tests/support/fixture.h"

using testing_support::NodeFixture;
using testing_support::Traffic;

namespace {

using Calls = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

// A fresh simulated node holds the factory settings; that its export is the hand-kept
// factory.txt byte for byte is the export test's check.
void ExpectFactory(const sim::SimulatedNode& node) {
  const sim::SimulatedNode factory;
  for (int index = 39; index <= 44; ++index) EXPECT_EQ(node.Bytes(index), factory.Bytes(index));
  for (int part = 1; part <= 12; ++part) EXPECT_EQ(node.Part(part), factory.Part(part)) << part;
}

TEST(FactorySettings, WritesTheFactoryBytesWithTheirPausesAndLeavesPartZero) {
  NodeFixture f;
  for (int index = 39; index <= 44; ++index) {
    f.node.SetBytes(index, Bytes(sim::SimulatedNode::SizeOf(index), 0x5A));
  }
  for (int part = 1; part <= 12; ++part)
    f.node.SetPart(part, Bytes(31, static_cast<uint8_t>(part)));
  f.node.SetSelectedPart(0);
  EXPECT_EQ(WriteFactorySettings(NodeIo(&f.node, &f.node)), 0);
  ExpectFactory(f.node);
  EXPECT_EQ(f.node.SelectedPart(), 0);
  // Selections with their part numbers, value writes without their bytes.
  Calls expected = {"W39@0", "W40@250", "W41@500", "W42@750", "W43@1000", "W44@1250"};
  const Calls parts = settingsfile_test::PartPass(1500, 2650, 2200, "W46");
  expected.insert(expected.end(), parts.begin(), parts.end());
  expected.push_back("W45:0000@33500");
  Calls calls = Traffic(f.node.Log(), true);
  for (std::string& call : calls) {
    if (call.rfind("W45", 0) != 0 && call.find(':') != std::string::npos) {
      call.erase(call.find(':'), call.find('@') - call.find(':'));
    }
  }
  EXPECT_EQ(calls, expected);
}

TEST(FactorySettings, CountsRefusedAndMissedWritesAndSkipsUnselectedParts) {
  NodeFixture f;
  f.node.SetSelectedPart(5);
  f.node.FailWrites(40);
  f.node.FailWrites(kIndexPartSelector);
  f.node.SetPart(5, Bytes(31, 0xA5));
  f.node.SetPart(6, Bytes(31, 0xA5));
  // nciTemp2PlugIn, eleven part selections and the return to part 0; only part 5, selected
  // already, is written.
  EXPECT_EQ(WriteFactorySettings(NodeIo(&f.node, &f.node)), 1 + 11 + 1);
  Calls partWrites;
  for (const sim::HostCall& call : f.node.Log()) {
    if (call.index == kIndexPluginCnf) partWrites.push_back(std::to_string(call.part));
  }
  EXPECT_EQ(partWrites, Calls{"5"});
  EXPECT_EQ(f.node.Part(5), sim::SimulatedNode().Part(5));
  EXPECT_EQ(f.node.Part(6), Bytes(31, 0xA5));

  // No writing interface: every write is missed and counted, and nothing but reads is done.
  NodeFixture g;
  EXPECT_EQ(WriteFactorySettings(NodeIo(&g.node, nullptr)), 6 + 12 + 1);
  for (const sim::HostCall& call : g.node.Log()) EXPECT_EQ(call.kind, sim::HostCall::Kind::kRead);
}

}  // namespace
