#include "sim/simulated_node.h"

#include <gtest/gtest.h>

#include "framework/headless/headless.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST(SimulatedNode, AnswersAsTheNodeDoes) {
  fw::headless::HeadlessPlatform platform;
  sim::SimulatedNode node;
  uint8_t buffer[64] = {};
  EXPECT_EQ(node.ReadNv(41, buffer, 2), sim::kOk);
  EXPECT_EQ(node.ReadNv(39, buffer, 30), sim::kWrongSize);   // capacity below the size
  EXPECT_EQ(node.WriteNv(41, buffer, 31), sim::kWrongSize);  // a write must be the size
  EXPECT_EQ(node.ReadNv(0, buffer, 31), sim::kWrongDirection);
  EXPECT_EQ(node.ReadNv(22, buffer, 31), sim::kUnknownIndex);
  EXPECT_EQ(node.ReadNv(47, buffer, 31), sim::kUnknownIndex);
  node.SetSelectedPart(0);
  EXPECT_EQ(node.ReadNv(46, buffer, 31), sim::kNoPartSelected);
  node.SetSelectedPart(13);
  EXPECT_EQ(node.WriteNv(46, buffer, 31), sim::kNoPartSelected);
  uint8_t select3[2] = {0, 3};
  EXPECT_EQ(node.WriteNv(45, select3, 2), sim::kOk);
  ASSERT_EQ(node.ReadNv(46, buffer, 31), sim::kOk);
  EXPECT_EQ(Bytes(buffer + 21, buffer + 23), (Bytes{0xFF, 0x38}));  // part 3 value 11: -200
  EXPECT_EQ(node.Part(1)[30], 2);  // factory settings offer both circuits

  // The clock runs with virtual time and is set through index 0.
  node.SetClock({2026, 12, 31, 23, 59, 58});
  platform.RunFor(2500);
  ASSERT_EQ(node.ReadNv(3, buffer, 7), sim::kOk);
  EXPECT_EQ(Bytes(buffer, buffer + 7), (Bytes{0x07, 0xEB, 1, 1, 0, 0, 0}));
  uint8_t set[7] = {0x07, 0xE8, 2, 29, 12, 30, 45};
  EXPECT_EQ(node.WriteNv(0, set, 7), sim::kOk);
  EXPECT_EQ(node.Clock(), (fw::LocalTime{2024, 2, 29, 12, 30, 45}));
}

// The demo host's node lives: each live value moves over minutes and comes back, a switch
// spends part of its cycle in the other state, settings never move, and tests see a steady
// node until they turn drift on.
TEST(SimulatedNode, LiveValuesDriftAroundWhereTheyStartedAndSettingsStay) {
  fw::headless::HeadlessPlatform platform;
  sim::SimulatedNode node;
  node.SetBytes(13, {0x14, 0x96});  // forward temperature 52.70
  node.SetBytes(32, {0x23, 0x28});  // valve output 9000 steps = 45 %
  node.SetBytes(31, {0x00, 0x01});  // pump on
  const Bytes settings = node.Bytes(41);
  auto read = [&](int32_t index) {
    uint8_t b[32] = {};
    EXPECT_EQ(node.ReadNv(index, b, 32), sim::kOk);
    return Bytes(b, b + sim::SimulatedNode::SizeOf(index));
  };
  platform.RunFor(20000);
  EXPECT_EQ(read(13), (Bytes{0x14, 0x96})) << "steady until drift is on";
  node.SetLiveDrift(true);
  platform.RunFor(20000);  // a quarter of the 80 s period: 52.70 + 2.00
  EXPECT_EQ(read(13), (Bytes{0x15, 0x5E}));
  EXPECT_EQ(read(32), (Bytes{0x2C, 0xC6}));  // 20 s of 90: 9000 + 2500 sin(80 deg) = 11462
  platform.RunFor(60000);                    // 80 s: the temperature is back
  EXPECT_EQ(read(13), (Bytes{0x14, 0x96}));
  EXPECT_EQ(read(31), (Bytes{0x00, 0x01}));  // 80 s of 120: still on
  platform.RunFor(20000);                    // 100 s: the last fifth, off
  EXPECT_EQ(read(31), (Bytes{0x00, 0x00}));
  EXPECT_EQ(node.Bytes(41), settings);
  node.SetLiveDrift(false);
  platform.RunFor(20000);
  EXPECT_EQ(read(31), (Bytes{0x00, 0x00})) << "stays where drift left it";
}

}  // namespace
