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
  // Index 0 sets the node's clock.
  uint8_t clock[7] = {0x07, 0xE8, 2, 29, 12, 30, 45};
  EXPECT_EQ(node.WriteNv(0, clock, 7), sim::kOk);
  EXPECT_EQ(node.Clock(), (fw::LocalTime{2024, 2, 29, 12, 30, 45}));
}

}  // namespace
