#include "control/sheet.h"

#include <gtest/gtest.h>

#include "nvdata/config_part.h"
#include "resources/strings.h"
#include "tests/support/fixture.h"
#include "tests/support/page_sets.h"

using testing_support::NodeFixture;
using testing_support::Traffic;

namespace {

using testing_support::kFixedTabs;
using testing_support::kSet1Tabs;
using testing_support::kSet2Tabs;
using testing_support::TabsWith;

void SetValue15(sim::SimulatedNode& node, int value) {
  std::vector<uint8_t> part1 = node.Part(1);
  part1[29] = static_cast<uint8_t>(value >> 8);
  part1[30] = static_cast<uint8_t>(value & 0xFF);
  node.SetPart(1, part1);
}

TEST(Sheet, StartsWithSetOneWhenPartOneOffersCircuits) {
  NodeFixture f;
  f.OpenSheet();
  EXPECT_EQ(f.driver->TabCaptions(), TabsWith(kSet1Tabs));
  EXPECT_EQ(f.sheet->ButtonText(fw::kIdSheetOk), "Exit");
  EXPECT_FALSE(f.sheet->IsButtonVisible(fw::kIdSheetApply));
  EXPECT_FALSE(f.sheet->IsButtonVisible(fw::kIdSheetCancel));
  EXPECT_TRUE(f.platform.Messages().empty());
  EXPECT_EQ(f.node.SelectedPart(), 0);
}

TEST(Sheet, HandshakeTrafficIsExactAndPauseFree) {
  NodeFixture f;
  f.node.SetSelectedPart(1);
  SetCurrentControl(&f.control);
  CSheet sheet("HD7_3");
  // Already on part 1: no selection; part 1 read with 50 bytes; selector back to 0.
  EXPECT_EQ(Traffic(f.node.Log(), true),
            (std::vector<std::string>{"R45@0", "R46@0", "W45:0000@0"}));
  EXPECT_EQ(f.node.Log()[0].size, 31);
  EXPECT_EQ(f.node.Log()[1].size, 50);
  f.node.ClearLog();
  f.node.SetSelectedPart(9);
  CSheet other("HD7_3");
  EXPECT_EQ(Traffic(f.node.Log(), true),
            (std::vector<std::string>{"R45@0", "W45:0001@0", "R46@0", "W45:0000@0"}));
  EXPECT_EQ(f.platform.SleptMs(), 0u);
}

TEST(Sheet, NoCircuitPagesWhenValueFifteenIsZeroOrPartOneUnreadable) {
  NodeFixture f;
  SetValue15(f.node, 0);
  f.OpenSheet();
  EXPECT_EQ(f.driver->TabCaptions(), kFixedTabs);
  EXPECT_TRUE(f.platform.Messages().empty());
  EXPECT_EQ(f.node.SelectedPart(), 0);

  NodeFixture g;
  g.node.FailReads(kIndexPluginCnf);
  g.node.SetSelectedPart(1);
  g.OpenSheet();
  EXPECT_EQ(g.driver->TabCaptions(), kFixedTabs);
  EXPECT_EQ(g.node.SelectedPart(), 0);  // written 0 even after the failed read
}

TEST(Sheet, SwitchingSetsKeepsSharedPagesAtTheirSetPositions) {
  NodeFixture f;
  f.OpenSheet();
  ASSERT_TRUE(f.driver->Click(kIdShowSet2));
  EXPECT_EQ(f.driver->TabCaptions(), TabsWith(kSet2Tabs));
  ASSERT_TRUE(f.driver->Click(kIdShowSet1));
  EXPECT_EQ(f.driver->TabCaptions(), TabsWith(kSet1Tabs));
  ASSERT_TRUE(f.driver->Click(kIdShowSet2));
  EXPECT_EQ(f.driver->TabCaptions(), TabsWith(kSet2Tabs));
  // The shared pages are the same objects in both sets.
  EXPECT_EQ(f.sheet->GetPage(2), f.sheet->AllPages()[3]);
  EXPECT_EQ(f.sheet->GetPage(15), f.sheet->AllPages()[28]);
}

TEST(Sheet, InterfaceCombinations) {
  {  // Only reads: no message, reads work, writes skipped. The selector cannot be moved to
     // part 1, so part 1 is only read when the node already has it selected.
    NodeFixture f;
    f.node.SetSelectedPart(1);
    f.OpenSheet(true, false);
    EXPECT_TRUE(f.platform.Messages().empty());
    EXPECT_EQ(f.driver->TabCaptions(), TabsWith(kSet1Tabs));
    for (const sim::HostCall& c : f.node.Log()) EXPECT_NE(c.kind, sim::HostCall::Kind::kWrite);
    EXPECT_EQ(f.node.SelectedPart(), 1);
  }
  {
    NodeFixture f;
    f.node.SetSelectedPart(3);
    f.OpenSheet(true, false);
    EXPECT_EQ(f.driver->TabCaptions(), kFixedTabs);
    for (const sim::HostCall& c : f.node.Log()) EXPECT_NE(c.index, kIndexPluginCnf);
  }
  {  // Only writes: every read fails, so no set; no message either.
    NodeFixture f;
    f.node.SetSelectedPart(1);
    f.OpenSheet(false, true);
    EXPECT_TRUE(f.platform.Messages().empty());
    EXPECT_EQ(f.driver->TabCaptions(), kFixedTabs);
    for (const sim::HostCall& c : f.node.Log()) EXPECT_EQ(c.kind, sim::HostCall::Kind::kWrite);
    EXPECT_EQ(f.node.SelectedPart(), 0);
  }
  {  // Neither: the node is not there.
    NodeFixture f;
    f.OpenSheet(false, false);
    EXPECT_TRUE(f.node.Log().empty());
    EXPECT_EQ(f.driver->TabCaptions(), kFixedTabs);
    ASSERT_EQ(f.platform.Messages().size(), 1u);
    const fw::MessageBoxRequest& m = f.platform.Messages()[0].request;
    EXPECT_EQ(m.text, "Node not available!");
    EXPECT_EQ(m.caption, std::optional<std::string>("Plugin"));
    EXPECT_EQ(m.flags, fw::kMbOk | fw::kMbIconExclamation);
  }
}

TEST(Sheet, EachInterfaceIsReleasedExactlyOnce) {
  NodeFixture f;
  EXPECT_EQ(f.node.RefCount(), 0);
  f.OpenSheet();
  EXPECT_EQ(f.node.RefCount(), 2);
  EXPECT_EQ(f.site.RefCount(), 0);  // the client site itself is only borrowed
  f.CloseSheet();
  EXPECT_EQ(f.node.RefCount(), 0);
  f.OpenSheet(true, false);
  EXPECT_EQ(f.node.RefCount(), 1);
  f.CloseSheet();
  EXPECT_EQ(f.node.RefCount(), 0);
}

TEST(Sheet, NoCurrentControlMeansNoNode) {
  NodeFixture f;
  SetCurrentControl(nullptr);
  CSheet sheet("HD7_3");
  fw::headless::SheetDriver driver(sheet, f.platform);
  driver.Open();
  EXPECT_EQ(driver.TabCaptions(), kFixedTabs);
  ASSERT_EQ(f.platform.Messages().size(), 1u);
  EXPECT_EQ(f.platform.Messages()[0].request.text, "Node not available!");
}

TEST(Sheet, PagesAreInMemberOrderWithTheirTemplatesAndCaptions) {
  NodeFixture f;
  f.OpenSheet();
  const int templates[36] = {200, 201, 202, 203, 204, 205, 206, 207, 208, 209, 210, 211,
                             212, 213, 214, 215, 216, 226, 217, 227, 228, 229, 230, 231,
                             232, 233, 234, 235, 218, 219, 220, 221, 222, 223, 225, 224};
  const int captions[36] = {200, 201, 202, 203, 204, 205, 206, 207, 208, 209, 210, 211,
                            212, 213, 214, 215, 216, 217, 218, 219, 220, 221, 222, 223,
                            224, 225, 226, 227, 228, 229, 230, 0,   232, 233, 234, 0};
  const auto pages = f.sheet->AllPages();
  for (int i = 0; i < 36; ++i) {
    EXPECT_EQ(pages[static_cast<size_t>(i)]->TemplateId(), templates[i]) << i;
    EXPECT_EQ(pages[static_cast<size_t>(i)]->CaptionId(), captions[i]) << i;
    EXPECT_EQ(pages[static_cast<size_t>(i)]->Caption(), ResString(captions[i])) << i;
  }
  EXPECT_FALSE(HasResString(231));
  EXPECT_FALSE(HasResString(235));
}

TEST(Sheet, PropertiesVerbRunsTheSheetModallyAndLeavesSelectorAtZero) {
  NodeFixture f;
  f.node.SetSelectedPart(1);
  std::vector<std::string> seen;
  f.platform.SetModalScript([&](fw::headless::SheetDriver& d) {
    seen = d.TabCaptions();
    EXPECT_TRUE(d.ClickSheetButton(fw::kIdSheetOk));
  });
  EXPECT_EQ(RunPropertiesSheet(&f.control), S_OK);
  EXPECT_EQ(seen, TabsWith(kSet1Tabs));
  EXPECT_EQ(f.node.RefCount(), 0);
  EXPECT_EQ(f.node.SelectedPart(), 0);
}

}  // namespace
