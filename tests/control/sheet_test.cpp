// The plug-in sheet and its Node Information page: the start-up exchange with the node, which
// page set is offered, the set buttons, the host's interfaces.
#include "control/sheet.h"

#include <gtest/gtest.h>

#include "resources/dialogs.h"
#include "tests/support/fixture.h"
#include "tests/support/page_sets.h"

using testing_support::kFixedTabs;
using testing_support::NodeFixture;
using testing_support::Split;
using testing_support::TabsWith;
using testing_support::Traffic;

namespace {

// The sheet's pause-free exchange, then the Node Information page's. Part 1's value 15 (bytes
// 29 and 30) says whether the node has circuit pages; an unreadable part 1 offers no set, but
// leaves "BL2" to add set 2. A part that could not be selected is not read.
TEST(Sheet, OpeningOffersSetOneWhenPartOneHasCircuits) {
  const struct {
    int selected, failRead, failWrite, value15;
    bool reader, writer, set1, set2;
    const char* calls;
  } cases[] = {
      {1, 0, 0, 2, true, true, true, true,
       "R45@0 R46@0 W45:0000@0 N@0 R45@0 W45:0001@200 R46@400 W45:0000@600"},
      {9, 0, 0, 2, true, true, true, true,
       "R45@0 W45:0001@0 R46@0 W45:0000@0 N@0 R45@0 W45:0001@200 R46@400 W45:0000@600"},
      {1, 0, 0, 0, true, true, false, false,
       "R45@0 R46@0 W45:0000@0 N@0 R45@0 W45:0001@200 R46@400 W45:0000@600"},
      {1, 46, 0, 2, true, true, false, true,
       "R45@0 R46!@0 W45:0000@0 N@0 R45@0 W45:0001@200 R46!@400 W45:0000@600"},
      {3, 0, 45, 2, true, true, false, true,
       "R45@0 W45:0001!@0 W45:0000!@0 N@0 R45@0 W45:0001!@200 W45:0000!@600"},
      {1, 0, 0, 2, true, false, true, true, "R45@0 R46@0 N@0 R45@0 R46@0"},
      {3, 0, 0, 2, true, false, false, true, "R45@0 N@0 R45@0"},
      {1, 0, 0, 2, false, true, false, true, "W45:0001@0 W45:0000@0 W45:0001@200 W45:0000@600"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.calls);
    NodeFixture f;
    f.node.SetSelectedPart(1);
    f.node.SetByte(46, 30, static_cast<uint8_t>(c.value15));
    f.node.SetSelectedPart(c.selected);
    if (c.failRead != 0) f.node.FailReads(c.failRead);
    if (c.failWrite != 0) f.node.FailWrites(c.failWrite);
    f.OpenSheet(c.reader, c.writer);
    EXPECT_EQ(Traffic(f.node.Log(), true), Split(c.calls));
    EXPECT_EQ(f.driver->TabCaptions(), c.set1 ? TabsWith(testing_support::kSet1Tabs) : kFixedTabs);
    EXPECT_FALSE(f.driver->Enabled(kIdShowSet1));
    EXPECT_EQ(f.driver->Enabled(kIdShowSet2), c.set2);
    EXPECT_TRUE(f.platform.Messages().empty());
  }
}

TEST(Sheet, WithoutANodeOnlyTheFixedPagesAndOneMessage) {
  for (bool hasControl : {true, false}) {
    NodeFixture f;
    if (hasControl) {
      f.OpenSheet(false, false);
    } else {
      SetCurrentControl(nullptr);
      f.sheet = std::make_unique<CSheet>("HD7_3");
      f.driver = std::make_unique<fw::headless::SheetDriver>(*f.sheet, f.platform);
      f.driver->Open();
    }
    EXPECT_TRUE(f.node.Log().empty());
    EXPECT_EQ(f.driver->TabCaptions(), kFixedTabs);
    ASSERT_EQ(f.platform.Messages().size(), 1u);
    const fw::MessageBoxRequest& m = f.platform.Messages()[0].request;
    EXPECT_EQ(m.text, "Node not available!");
    EXPECT_EQ(m.caption, std::optional<std::string>("Plugin"));
    EXPECT_EQ(m.flags, fw::kMbOk | fw::kMbIconExclamation);
  }
}

TEST(Sheet, NodeInformationShowsTheNameUpToItsFirstZeroByte) {
  std::vector<uint8_t> full(32, 'N');
  full[31] = 'E';
  full.push_back('!');  // beyond the 32-byte buffer: never shown
  const struct {
    std::vector<uint8_t> bytes;
    int status;
    std::string shown;
  } names[] = {{{'A', 'b', 'c', 0, 'x', 'y', 'z'}, 0, "Abc"},
               {full, 0, std::string(31, 'N') + "E"},
               {full, 7, ""}};
  for (const auto& c : names) {
    NodeFixture f;
    f.node.SetNodeNameBytes(c.bytes);
    f.node.SetNodeNameStatus(c.status);
    f.OpenSheet();
    EXPECT_EQ(f.driver->Text(kIdNodeName), c.shown);
    EXPECT_TRUE(f.platform.Messages().empty());
  }
}

TEST(Sheet, SetButtonsSwapThePageSets) {
  NodeFixture f;
  f.OpenSheet();
  ASSERT_TRUE(f.driver->Click(kIdShowSet2));
  EXPECT_EQ(f.driver->TabCaptions(), TabsWith(testing_support::kSet2Tabs));
  EXPECT_TRUE(f.driver->Enabled(kIdShowSet1));
  EXPECT_FALSE(f.driver->Click(kIdShowSet2));  // disabled: the click does not reach the page
  ASSERT_TRUE(f.driver->Click(kIdShowSet1));
  EXPECT_EQ(f.driver->TabCaptions(), TabsWith(testing_support::kSet1Tabs));
  EXPECT_TRUE(f.driver->Enabled(kIdShowSet2));
  EXPECT_FALSE(f.driver->Enabled(kIdShowSet1));
  EXPECT_EQ(f.sheet->GetPage(2), f.sheet->AllPages()[3]);  // the same objects in both sets
}

}  // namespace
