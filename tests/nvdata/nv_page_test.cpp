// The configuration parts behind the selector, and the cycle every node page follows: live
// values on a timer, "Read" and "Write" with their "Wait" captions.
#include "nvdata/nv_page.h"

#include <gtest/gtest.h>

#include "tests/support/fixture.h"

using testing_support::NodeFixture;
using testing_support::Traffic;

namespace {

using Calls = std::vector<std::string>;

// A failed read of the selector counts as part 0.
TEST(PartExchange, OnlyTheFirstPartAsksWhichIsSelectedAndEverySelectionPauses) {
  const struct {
    int selected;
    std::vector<int> parts;
    bool selectorReadFails;
    const char* calls;
  } cases[] = {{6, {6}, false, "R45@0 R46@0"},
               {2, {6}, false, "R45@0 W45:0006@200 R46@400"},
               {1, {1, 6}, false, "R45@0 R46@0 W45:0006@200 R46@400"},
               {1, {1}, true, "R45!@0 W45:0001@200 R46@400"}};
  for (const auto& c : cases) {
    NodeFixture f;
    f.node.SetSelectedPart(c.selected);
    f.node.FailReads(kIndexPartSelector, c.selectorReadFails);
    PartExchange parts(NodeIo{&f.node, &f.node});
    uint8_t record[31];
    for (int part : c.parts) EXPECT_EQ(parts.Read(part, record), 0);
    EXPECT_EQ(Traffic(f.node.Log(), true), testing_support::Split(c.calls));
  }
}

// The node stays on part 2 when the selector takes no write: part 5's bytes would land there.
TEST(PartExchange, WritesNothingWithoutASelection) {
  NodeFixture f;
  f.node.SetSelectedPart(2);
  f.node.FailWrites(kIndexPartSelector);
  const auto before = f.node.Snapshot();
  PartExchange parts(NodeIo{&f.node, &f.node});
  EXPECT_FALSE(parts.ReadModifyWrite(5, [](uint8_t* r) { r[1] = 0x55; }));
  uint8_t record[31];
  EXPECT_EQ(parts.Read(5, record), kStatusNotSelected);
  EXPECT_EQ(Traffic(f.node.Log()), (Calls{"R45", "W45:0005!", "W45:0005!"}));
  EXPECT_EQ(f.node.Snapshot(), before);
}

const fw::DialogTemplate kDialog{
    950, 250, 150,
    std::vector<fw::ControlDef>{{kIdWrite, fw::ControlKind::kPushButton, "Write", 0, 0, 1, 1},
                                {kIdRead, fw::ControlKind::kPushButton, "Read", 0, 0, 1, 1}}};

// A page without live values whose setting is a byte of index 41.
class SettingPage : public CNvPage {
 public:
  SettingPage() : CNvPage(kDialog, 0, "Setting", false) {}
  Calls captionsSeen;

 protected:
  void ReadSettings() override { captionsSeen.push_back(GetItemText(kIdRead)); }
  void WriteSettings() override {
    captionsSeen.push_back(GetItemText(kIdWrite));
    ModifyNv(41, 2, [](uint8_t* b) { b[1] = 0x42; });
  }
};

// A page without live values starts no timer. "Read" and "Write" say "Wait" while they run; a
// write changes the page's own bytes, then reads again.
TEST(PageCycle, ReadModifyWriteOfAnNvUnderWait) {
  NodeFixture f;
  SettingPage page;
  testing_support::BareSheet sheet(f.node);
  sheet.AddPage(&page);
  fw::headless::SheetDriver driver(sheet, f.platform);
  driver.Open();
  EXPECT_EQ(f.platform.TimerCount(), 0u);
  f.node.SetBytes(41, {0x12, 0x34});
  ASSERT_TRUE(driver.Click(kIdWrite));
  EXPECT_EQ(Traffic(f.node.Log()), (Calls{"R41", "W41:1242"}));
  EXPECT_EQ(page.captionsSeen, (Calls{"Wait", "Wait", "Wait"}));
  EXPECT_EQ(driver.Text(kIdWrite), "Write");
  EXPECT_EQ(driver.Text(kIdRead), "Read");
}

}  // namespace
