#include "control/node_info_page.h"

#include <gtest/gtest.h>

#include "resources/dialogs.h"
#include "tests/support/fixture.h"

using testing_support::NodeFixture;
using testing_support::Traffic;

namespace {

std::string ShownName(NodeFixture& f) {
  f.OpenSheet();
  return f.driver->Text(kIdNodeName);
}

TEST(NodeInformationPage, ShowsTheNameUpToItsFirstZeroByte) {
  NodeFixture a;
  a.node.SetNodeNameBytes({'A', 'b', 'c', 0, 'x', 'y', 'z'});
  EXPECT_EQ(ShownName(a), "Abc");

  NodeFixture b;
  std::vector<uint8_t> full(32, 'N');
  full[31] = 'E';
  full.push_back('!');  // beyond the 32-byte buffer: never shown
  b.node.SetNodeNameBytes(full);
  EXPECT_EQ(ShownName(b), std::string(31, 'N') + "E");

  NodeFixture c;
  c.node.SetNodeNameStatus(7);
  EXPECT_EQ(ShownName(c), "");
  EXPECT_TRUE(c.platform.Messages().empty());
}

TEST(NodeInformationPage, OpeningSelectsPartOneAndThenZeroWithPauses) {
  NodeFixture f;
  f.node.SetSelectedPart(1);
  f.OpenSheet();
  // After the sheet's pause-free handshake (which left 0), the page selects 1 and then 0.
  const auto calls = f.CallsSince(3);
  EXPECT_EQ(Traffic(calls, true),
            (std::vector<std::string>{"N@0", "R45@0", "W45:0001@200", "R46@400", "W45:0000@600"}));
  EXPECT_EQ(calls[3].size, 32);
  EXPECT_EQ(f.platform.SleptMs(), 800u);
  EXPECT_EQ(f.node.SelectedPart(), 0);
}

TEST(NodeInformationPage, SelectorAlreadyOnPartOneCostsOneSelection) {
  NodeFixture f;
  f.node.SetSelectedPart(1);
  testing_support::BareSheet sheet(f.node);
  CHD7_3PropPage page;
  sheet.AddPage(&page);
  fw::headless::SheetDriver driver(sheet, f.platform);
  driver.Open();
  EXPECT_EQ(Traffic(f.node.Log(), true),
            (std::vector<std::string>{"N@0", "R45@0", "R46@0", "W45:0000@200"}));
  EXPECT_EQ(f.platform.SleptMs(), 400u);
}

TEST(NodeInformationPage, ButtonsFollowTheSheetState) {
  NodeFixture f;
  f.OpenSheet();
  EXPECT_FALSE(f.driver->Enabled(kIdShowSet1));
  EXPECT_TRUE(f.driver->Enabled(kIdShowSet2));
  f.driver->Click(kIdShowSet2);
  EXPECT_TRUE(f.driver->Enabled(kIdShowSet1));
  EXPECT_FALSE(f.driver->Enabled(kIdShowSet2));
  EXPECT_FALSE(f.driver->Click(kIdShowSet2));  // disabled: the click does not reach the page
  f.driver->Click(kIdShowSet1);
  EXPECT_FALSE(f.driver->Enabled(kIdShowSet1));
  EXPECT_TRUE(f.driver->Enabled(kIdShowSet2));

  NodeFixture none;
  std::vector<uint8_t> part1 = none.node.Part(1);
  part1[29] = part1[30] = 0;
  none.node.SetPart(1, part1);
  none.OpenSheet();
  EXPECT_FALSE(none.driver->Enabled(kIdShowSet1));
  EXPECT_FALSE(none.driver->Enabled(kIdShowSet2));
}

TEST(NodeInformationPage, FailedPartReadLeavesBl2EnabledAndItAddsSetTwo) {
  NodeFixture f;
  f.node.FailReads(46);
  f.OpenSheet();
  EXPECT_EQ(f.driver->TabCount(), 2);
  EXPECT_TRUE(f.driver->Enabled(kIdShowSet2));
  EXPECT_EQ(f.node.SelectedPart(), 0);
  f.driver->Click(kIdShowSet2);
  EXPECT_EQ(f.driver->TabCount(), 17);
  EXPECT_EQ(f.driver->TabCaptions()[12], "Dewpoint");
}

TEST(NodeInformationPage, FailedSelectionDoesNotReadAnotherPart) {
  NodeFixture f;
  // Part 3 stays selected because the selector takes no writes; its value 15 is 0.
  f.node.FailWrites(45);
  f.node.SetSelectedPart(3);
  f.OpenSheet();
  for (const sim::HostCall& c : f.node.Log()) EXPECT_NE(c.index, 46);
  EXPECT_TRUE(f.driver->Enabled(kIdShowSet2));
}

}  // namespace
