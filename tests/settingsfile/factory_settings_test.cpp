#include "settingsfile/factory_settings.h"

#include <gtest/gtest.h>

#include "nvdata/config_part.h"
#include "tests/settingsfile/temp_folder.h"
#include "tests/support/fixture.h"

using settingsfile_test::PartPass;
using settingsfile_test::StrInt;
using testing_support::NodeFixture;
using testing_support::Traffic;

namespace {

using Calls = std::vector<std::string>;

// The factory values as the engineer's documentation lists them, written out here rather than
// taken from the plug-in's own value lines: a wrong factory line must show up as a difference.
const std::pair<int, std::vector<uint8_t>> kFactoryNvs[] = {
    {39, StrInt({2, 64336, 2000, 0, 0, 0, 7000, 3500, 0, 0, 0, 500, 3300, 500, 7000, 5500})},
    {40, StrInt({2, 1500, 2300, 0, 0, 0, 1900, 1400, 0, 0, 0, 500, 3300, 500, 1500, 1800})},
    {41, {0x00, 0xFF}},
    {42, {0x00, 0xFF}},
    {43, {4, 0, 0, 0}},
    {44, {4, 0, 0, 0}},
};
const std::vector<uint8_t> kFactoryParts[12] = {
    StrInt({0, 27, 0, 18, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2}),
    StrInt({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 400, 800, 0, 0, 2000, 0}),
    StrInt({0, 2000, 5, 0, 0, 1500, 5, 0, 0, 0, 0, 65336, 3000, 200, 0, 0}),
    StrInt({0, 1500, 0, 2800, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
    StrInt({0, 1800, 300, 0, 0, 1800, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
    StrInt({0, 0, 10000, 0, 2000, 2000, 50, 0, 50, 0, 0, 0, 0, 0, 0, 0}),
    StrInt({0, 168, 168, 0, 0, 168, 168, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
    StrInt({0, 100, 60, 5, 0, 0, 0, 100, 60, 5, 0, 0, 0, 0, 0, 0}),
    StrInt({}),
    StrInt({}),
    StrInt({}),
    StrInt({}),
};

void ExpectFactory(const sim::SimulatedNode& node) {
  for (const auto& [index, bytes] : kFactoryNvs) EXPECT_EQ(node.Bytes(index), bytes) << index;
  for (int part = 1; part <= 12; ++part) EXPECT_EQ(node.Part(part), kFactoryParts[part - 1]);
}

TEST(FactorySettings, WritesTheDocumentedBytesWithTheirPausesAndLeavesPartZero) {
  NodeFixture f;
  // Every setting changed from the factory's.
  for (int index = 39; index <= 44; ++index) {
    f.node.SetBytes(index, std::vector<uint8_t>(sim::SimulatedNode::SizeOf(index), 0x5A));
  }
  for (int part = 1; part <= 12; ++part) f.node.SetPart(part, std::vector<uint8_t>(31, 0xA5));
  f.node.SetSelectedPart(0);
  EXPECT_EQ(WriteFactorySettings(NodeIo(&f.node, &f.node)), 0);
  ExpectFactory(f.node);
  EXPECT_EQ(f.node.SelectedPart(), 0);
  ExpectFactory(sim::SimulatedNode());  // the simulated node starts from them too
  Calls expected = {"W39@0", "W40@250", "W41@500", "W42@750", "W43@1000", "W44@1250"};
  const Calls parts = PartPass(1500, 2650, 2200, "W46");
  expected.insert(expected.end(), parts.begin(), parts.end());
  expected.push_back("W45:0000@33500");
  Calls calls = Traffic(f.node.Log(), true);
  const Calls withoutBytes = Traffic(f.node.Log(), true, false);
  for (size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].rfind("W45", 0) != 0) calls[i] = withoutBytes[i];
  }
  EXPECT_EQ(calls, expected);
  EXPECT_EQ(f.platform.SleptMs(), 6u * 250u + 12u * 2650u + 400u);
}

TEST(FactorySettings, CountsRefusedAndMissedWritesAndSkipsUnselectedParts) {
  NodeFixture f;
  f.node.SetSelectedPart(5);
  f.node.FailWrites(40);
  f.node.FailWrites(kIndexPartSelector);
  f.node.SetPart(5, std::vector<uint8_t>(31, 0xA5));
  f.node.SetPart(6, std::vector<uint8_t>(31, 0xA5));
  // nciTemp2PlugIn, eleven selections of parts and the final selection of part 0; only part 5,
  // selected already, is written, without a selection or its pause.
  EXPECT_EQ(WriteFactorySettings(NodeIo(&f.node, &f.node)), 1 + 11 + 1);
  Calls partWrites;
  for (const sim::HostCall& call : f.node.Log()) {
    if (call.index == kIndexPluginCnf) partWrites.push_back(std::to_string(call.part));
  }
  EXPECT_EQ(partWrites, Calls{"5"});
  EXPECT_EQ(f.platform.SleptMs(), 6u * 250u + 11u * (2000u + 400u) + 400u);
  EXPECT_EQ(f.node.Part(5), kFactoryParts[4]);
  EXPECT_EQ(f.node.Part(6), std::vector<uint8_t>(31, 0xA5));

  // No writing interface: every write is missed and counted, and nothing but reads is done.
  NodeFixture g;
  g.node.SetSelectedPart(0);
  EXPECT_EQ(WriteFactorySettings(NodeIo(&g.node, nullptr)), 6 + 12 + 1);
  for (const sim::HostCall& call : g.node.Log()) EXPECT_EQ(call.kind, sim::HostCall::Kind::kRead);
}

}  // namespace
