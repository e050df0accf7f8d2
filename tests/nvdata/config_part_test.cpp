#include "nvdata/config_part.h"

#include <gtest/gtest.h>

#include "tests/support/fixture.h"

using testing_support::Traffic;

namespace {

class PartExchangeTest : public ::testing::Test {
 protected:
  testing_support::NodeFixture f;
  NodeIo io{&f.node, &f.node};

  std::vector<std::string> Calls(bool withTime = true) { return Traffic(f.node.Log(), withTime); }
};

TEST_F(PartExchangeTest, OnePartAlreadySelectedCostsNoPause) {
  f.node.SetSelectedPart(6);
  PartExchange parts(io);
  uint8_t record[31];
  EXPECT_EQ(parts.Read(6, record), 0);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"R45@0", "R46@0"}));
  EXPECT_EQ(f.platform.SleptMs(), 0u);
}

TEST_F(PartExchangeTest, OnePartNotSelectedIsSelectedWithPausesAround) {
  f.node.SetSelectedPart(2);
  PartExchange parts(io);
  uint8_t record[31];
  EXPECT_EQ(parts.Read(6, record), 0);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"R45@0", "W45:0006@200", "R46@400"}));
  EXPECT_EQ(f.platform.SleptMs(), 400u);
  EXPECT_EQ(f.node.Log().back().part, 6);
}

TEST_F(PartExchangeTest, SecondPartIsSelectedWithoutAsking) {
  f.node.SetSelectedPart(1);
  PartExchange parts(io);
  uint8_t record[31];
  parts.Read(1, record);
  parts.Read(6, record);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"R45@0", "R46@0", "W45:0006@200", "R46@400"}));

  f.node.ClearLog();
  f.platform.ResetSlept();
  f.node.SetSelectedPart(3);
  PartExchange again(io);
  again.Read(1, record);
  again.Read(6, record);
  EXPECT_EQ(Traffic(f.node.Log()),
            (std::vector<std::string>{"R45", "W45:0001", "R46", "W45:0006", "R46"}));
  // 400 ms for each of the two selections.
  EXPECT_EQ(f.platform.SleptMs(), 800u);
}

TEST_F(PartExchangeTest, FailedSelectorReadCountsAsPartZeroAndSelects) {
  f.node.SetSelectedPart(1);
  f.node.FailReads(kIndexPartSelector);
  EXPECT_EQ(GetConfigPart(io), 0);
  f.node.ClearLog();
  PartExchange parts(io);
  uint8_t record[31];
  EXPECT_EQ(parts.Read(1, record), 0);
  EXPECT_EQ(Traffic(f.node.Log()), (std::vector<std::string>{"R45!", "W45:0001", "R46"}));
}

TEST_F(PartExchangeTest, ReadModifyWriteChangesOnlyThePagesBytes) {
  f.node.SetSelectedPart(4);
  const std::vector<uint8_t> before = f.node.Part(4);
  PartExchange parts(io);
  EXPECT_TRUE(parts.ReadModifyWrite(4, [](uint8_t* r) { r[3] = 0xAB; }));
  std::vector<uint8_t> expected = before;
  expected[3] = 0xAB;
  EXPECT_EQ(f.node.Part(4), expected);
  EXPECT_EQ(f.node.Log().back().size, 31);
}

TEST_F(PartExchangeTest, FailedSelectorWriteLeavesIndex46Untouched) {
  // The node stays on part 2: writing part 5's bytes would land in part 2.
  f.node.SetSelectedPart(2);
  f.node.FailWrites(kIndexPartSelector);
  const auto before = f.node.Snapshot();
  PartExchange parts(io);
  EXPECT_FALSE(parts.ReadModifyWrite(5, [](uint8_t* r) { r[1] = 0x55; }));
  EXPECT_EQ(f.node.Snapshot(), before);
  EXPECT_EQ(Traffic(f.node.Log()), (std::vector<std::string>{"R45", "W45:0005!"}));
  uint8_t record[31];
  EXPECT_EQ(parts.Read(5, record), kStatusNotSelected);
}

TEST_F(PartExchangeTest, NoWritingInterfaceMeansNoPartIsRead) {
  f.node.SetSelectedPart(2);
  NodeIo readOnly(&f.node, nullptr);
  PartExchange parts(readOnly);
  uint8_t record[31];
  EXPECT_EQ(parts.Read(5, record), kStatusNotSelected);
  EXPECT_EQ(Traffic(f.node.Log()), (std::vector<std::string>{"R45"}));
  // The part that is already selected needs no write and is read as usual.
  PartExchange same(readOnly);
  EXPECT_EQ(same.Read(2, record), 0);
}

TEST_F(PartExchangeTest, FailedPartReadIsNotWritten) {
  f.node.SetSelectedPart(7);
  f.node.FailReads(kIndexPluginCnf);
  PartExchange parts(io);
  EXPECT_FALSE(parts.ReadModifyWrite(7, [](uint8_t* r) { r[1] = 1; }));
  EXPECT_EQ(Traffic(f.node.Log()), (std::vector<std::string>{"R45", "R46!"}));
}

TEST_F(PartExchangeTest, SheetVariantMakesTheSameWriteWithoutPauses) {
  SelectConfigPartNoPause(io, 12);
  SelectConfigPart(io, 3);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"W45:000C@0", "W45:0003@200"}));
  EXPECT_EQ(f.platform.SleptMs(), 400u);
}

}  // namespace
