// The plug-in sheet and its Node Information page: the start-up exchange with the node, which
// page set is offered, the set buttons, the host's interfaces.
#include "control/sheet.h"

#include <gtest/gtest.h>

#include "control/node_info_page.h"
#include "resources/dialogs.h"
#include "resources/strings.h"
#include "tests/support/fixture.h"
#include "tests/support/page_sets.h"

using testing_support::kFixedTabs;
using testing_support::NodeFixture;
using testing_support::TabsWith;
using testing_support::Traffic;

namespace {

using Calls = std::vector<std::string>;

// Part 1's value 15 says whether the node has circuit pages.
void SetValue15(sim::SimulatedNode& node, int value) {
  node.SetByte(46, 29, static_cast<uint8_t>(value >> 8));
  node.SetByte(46, 30, static_cast<uint8_t>(value & 0xFF));
}

TEST(Sheet, OpeningOffersSetOneWhenPartOneHasCircuits) {
  const struct {
    const char* what;
    int selected;
    bool reader, writer;
    void (*fault)(sim::SimulatedNode&);
    Calls calls;  // the sheet's pause-free exchange, then the Node Information page's
    Calls tabs;
    bool set2;  // the "BL2" button
  } cases[] = {
      {"part 1 selected",
       1,
       true,
       true,
       nullptr,
       {"R45@0", "R46@0", "W45:0000@0", "N@0", "R45@0", "W45:0001@200", "R46@400", "W45:0000@600"},
       TabsWith(testing_support::kSet1Tabs),
       true},
      {"part 9 selected",
       9,
       true,
       true,
       nullptr,
       {"R45@0", "W45:0001@0", "R46@0", "W45:0000@0", "N@0", "R45@0", "W45:0001@200", "R46@400",
        "W45:0000@600"},
       TabsWith(testing_support::kSet1Tabs),
       true},
      {"value 15 is 0",
       1,
       true,
       true,
       [](sim::SimulatedNode& n) { SetValue15(n, 0); },
       {"R45@0", "R46@0", "W45:0000@0", "N@0", "R45@0", "W45:0001@200", "R46@400", "W45:0000@600"},
       kFixedTabs,
       false},
      // An unreadable part 1 offers no set, yet "BL2" stays: it adds set 2.
      {"part 1 unreadable",
       1,
       true,
       true,
       [](sim::SimulatedNode& n) { n.FailReads(46); },
       {"R45@0", "R46!@0", "W45:0000@0", "N@0", "R45@0", "W45:0001@200", "R46!@400",
        "W45:0000@600"},
       kFixedTabs,
       true},
      // Part 3 stays selected, so part 1 is never read: its value 15 is 0.
      {"selector takes no writes",
       3,
       true,
       true,
       [](sim::SimulatedNode& n) { n.FailWrites(45); },
       {"R45@0", "W45:0001!@0", "W45:0000!@0", "N@0", "R45@0", "W45:0001!@200", "W45:0000!@600"},
       kFixedTabs,
       true},
      {"only reads, part 1 selected",
       1,
       true,
       false,
       nullptr,
       {"R45@0", "R46@0", "N@0", "R45@0", "R46@0"},
       TabsWith(testing_support::kSet1Tabs),
       true},
      {"only reads, part 3 selected",
       3,
       true,
       false,
       nullptr,
       {"R45@0", "N@0", "R45@0"},
       kFixedTabs,
       true},
      {"only writes",
       1,
       false,
       true,
       nullptr,
       {"W45:0001@0", "W45:0000@0", "W45:0001@200", "W45:0000@600"},
       kFixedTabs,
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    NodeFixture f;
    f.node.SetSelectedPart(c.selected);
    if (c.fault) c.fault(f.node);
    f.OpenSheet(c.reader, c.writer);
    EXPECT_EQ(Traffic(f.node.Log(), true), c.calls);
    EXPECT_EQ(f.driver->TabCaptions(), c.tabs);
    EXPECT_FALSE(f.driver->Enabled(kIdShowSet1));
    EXPECT_EQ(f.driver->Enabled(kIdShowSet2), c.set2);
    EXPECT_TRUE(f.platform.Messages().empty());
    EXPECT_EQ(f.sheet->ButtonText(fw::kIdSheetOk), "Exit");
    EXPECT_FALSE(f.sheet->IsButtonVisible(fw::kIdSheetApply));
    EXPECT_FALSE(f.sheet->IsButtonVisible(fw::kIdSheetCancel));
  }
  NodeFixture f;
  f.node.SetSelectedPart(1);
  f.OpenSheet();
  EXPECT_EQ(f.node.Log()[1].size, 50);  // the sheet reads part 1 with 50 bytes, the page 32
  EXPECT_EQ(f.node.Log()[6].size, 32);
  EXPECT_EQ(f.platform.SleptMs(), 800u);
  EXPECT_EQ(f.node.SelectedPart(), 0);
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
  const std::pair<std::vector<uint8_t>, std::string> names[] = {
      {{'A', 'b', 'c', 0, 'x', 'y', 'z'}, "Abc"}, {full, std::string(31, 'N') + "E"}};
  for (const auto& [bytes, shown] : names) {
    NodeFixture f;
    f.node.SetNodeNameBytes(bytes);
    f.OpenSheet();
    EXPECT_EQ(f.driver->Text(kIdNodeName), shown);
  }
  NodeFixture f;
  f.node.SetNodeNameStatus(7);
  f.OpenSheet();
  EXPECT_EQ(f.driver->Text(kIdNodeName), "");
  EXPECT_TRUE(f.platform.Messages().empty());

  // On a sheet without the start-up exchange, a selector on part 1 costs one selection.
  NodeFixture g;
  g.node.SetSelectedPart(1);
  testing_support::BareSheet sheet(g.node);
  CHD7_3PropPage page;
  sheet.AddPage(&page);
  fw::headless::SheetDriver driver(sheet, g.platform);
  driver.Open();
  EXPECT_EQ(Traffic(g.node.Log(), true), (Calls{"N@0", "R45@0", "R46@0", "W45:0000@200"}));
  EXPECT_EQ(g.platform.SleptMs(), 400u);
}

TEST(Sheet, SetButtonsSwapThePageSetsAndSharedPagesKeepTheirPlaces) {
  NodeFixture f;
  f.OpenSheet();
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(f.driver->Click(kIdShowSet2));
    EXPECT_EQ(f.driver->TabCaptions(), TabsWith(testing_support::kSet2Tabs));
    EXPECT_TRUE(f.driver->Enabled(kIdShowSet1));
    EXPECT_FALSE(f.driver->Click(kIdShowSet2));  // disabled: the click does not reach the page
    ASSERT_TRUE(f.driver->Click(kIdShowSet1));
    EXPECT_EQ(f.driver->TabCaptions(), TabsWith(testing_support::kSet1Tabs));
    EXPECT_TRUE(f.driver->Enabled(kIdShowSet2));
    EXPECT_FALSE(f.driver->Enabled(kIdShowSet1));
  }
  f.driver->Click(kIdShowSet2);
  EXPECT_EQ(f.sheet->GetPage(2), f.sheet->AllPages()[3]);  // the same objects in both sets
  EXPECT_EQ(f.sheet->GetPage(15), f.sheet->AllPages()[28]);

  NodeFixture g;  // part 1 unreadable: no set, but "BL2" adds set 2
  g.node.FailReads(46);
  g.OpenSheet();
  g.driver->Click(kIdShowSet2);
  EXPECT_EQ(g.driver->TabCaptions(), TabsWith(testing_support::kSet2Tabs));
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
  for (size_t i = 0; i < 36; ++i) {
    EXPECT_EQ(pages[i]->TemplateId(), templates[i]) << i;
    EXPECT_EQ(pages[i]->CaptionId(), captions[i]) << i;
    EXPECT_EQ(pages[i]->Caption(), ResString(captions[i])) << i;
  }
  EXPECT_FALSE(HasResString(231));
  EXPECT_FALSE(HasResString(235));
}

TEST(Sheet, PropertiesVerbRunsTheSheetModallyAndReleasesEachInterfaceOnce) {
  NodeFixture f;
  f.node.SetSelectedPart(1);
  Calls seen;
  f.platform.SetModalScript([&](fw::headless::SheetDriver& d) {
    seen = d.TabCaptions();
    EXPECT_EQ(f.node.RefCount(), 2);
    EXPECT_EQ(f.site.RefCount(), 0);  // the client site itself is only borrowed
    EXPECT_TRUE(d.ClickSheetButton(fw::kIdSheetOk));
  });
  EXPECT_EQ(RunPropertiesSheet(&f.control), S_OK);
  EXPECT_EQ(seen, TabsWith(testing_support::kSet1Tabs));
  EXPECT_EQ(f.node.RefCount(), 0);
  EXPECT_EQ(f.node.SelectedPart(), 0);
  f.OpenSheet(true, false);
  EXPECT_EQ(f.node.RefCount(), 1);
  f.CloseSheet();
  EXPECT_EQ(f.node.RefCount(), 0);
}

}  // namespace
