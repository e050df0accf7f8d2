#include "pages/clock/set_time_page.h"

#include <gtest/gtest.h>

#include "resources/dialog_set_time.h"
#include "tests/support/fixture.h"

using testing_support::NodeFixture;
using testing_support::Traffic;
using namespace set_time_dialog;

namespace {

using Calls = std::vector<std::string>;

class SetTimePage : public ::testing::Test {
 protected:
  void SetUp() override {
    f.OpenSheet();
    page = dynamic_cast<CPage4PropPage*>(f.sheet->AllPages()[3]);
    ASSERT_NE(page, nullptr);
  }
  // Shows the page with the PC at `pc` and returns the calls the showing made.
  Calls ShowAt(const fw::LocalTime& pc) {
    f.platform.SetLocalTime(pc);
    const size_t from = f.node.Log().size();
    f.Show(*page);
    shownAt = f.platform.TickCount();
    return Traffic(f.CallsSince(from));
  }
  std::string Text(int id) const { return f.driver->Text(id); }

  NodeFixture f;
  CPage4PropPage* page = nullptr;
  uint64_t shownAt = 0;
};

TEST_F(SetTimePage, ShowsBothClocksAndRefreshesThemEveryTwoSeconds) {
  f.node.SetClock({2026, 12, 5, 14, 3, 9});
  EXPECT_EQ(ShowAt({2026, 12, 5, 9, 5, 7}), (Calls{"R3"}));
  EXPECT_EQ(Text(kIdPcDate), "5/12-2026 ");  // the PC date ends with a space
  EXPECT_EQ(Text(kIdPcTime), "9:05:07");
  EXPECT_EQ(Text(kIdNodeDate), "5/12-2026");  // the node date does not
  EXPECT_EQ(Text(kIdNodeTime), "14:03:09");

  f.node.SetClock({2026, 1, 2, 7, 0, 0});
  f.node.ClearLog();
  f.platform.RunFor(4000);
  const std::string t1 = "@" + std::to_string(shownAt + 2000);
  const std::string t2 = "@" + std::to_string(shownAt + 4000);
  EXPECT_EQ(Traffic(f.node.Log(), true), (Calls{"R3" + t1, "R3" + t2}));
  EXPECT_EQ(Text(kIdPcTime), "9:05:11");
  EXPECT_EQ(Text(kIdNodeDate), "2/1-2026");
  EXPECT_EQ(Text(kIdNodeTime), "7:00:04");
}

TEST_F(SetTimePage, UnreadableNodeClockLeavesTheNodeFields) {
  f.node.FailReads(3);
  ShowAt({2026, 12, 5, 23, 59, 59});
  EXPECT_EQ(Text(kIdNodeDate), "");
  EXPECT_EQ(Text(kIdNodeTime), "");
  EXPECT_EQ(Text(kIdPcDate), "5/12-2026 ");

  f.node.FailReads(3, false);
  f.node.SetClock({2026, 3, 4, 10, 20, 30});
  f.platform.RunFor(2000);
  EXPECT_EQ(Text(kIdNodeTime), "10:20:32");
  f.node.FailReads(3);
  f.platform.RunFor(2000);
  EXPECT_EQ(Text(kIdNodeDate), "4/3-2026");
  EXPECT_EQ(Text(kIdNodeTime), "10:20:32");
  EXPECT_EQ(Text(kIdPcDate), "6/12-2026 ");  // the PC clock went on past midnight
  EXPECT_EQ(Text(kIdPcTime), "0:00:03");
}

TEST_F(SetTimePage, HidingStopsTheRefresh) {
  ShowAt({2026, 12, 5, 9, 0, 0});
  f.driver->SelectTab(0);
  f.node.ClearLog();
  f.platform.RunFor(10000);
  EXPECT_TRUE(f.node.Log().empty());
  f.Show(*page);
  f.platform.RunFor(2000);
  EXPECT_EQ(Traffic(f.node.Log()), (Calls{"R3", "R3"}));
}

TEST_F(SetTimePage, SyncWritesThePcTimeToTheNodeWithoutReadingBack) {
  ShowAt({2026, 12, 5, 9, 5, 7});
  f.node.ClearLog();
  f.platform.ResetSlept();
  ASSERT_TRUE(f.driver->Click(kIdSync));
  EXPECT_EQ(Traffic(f.node.Log()), (Calls{"W0:07EA0C05090507"}));
  EXPECT_EQ(f.platform.SleptMs(), 0u);
  f.platform.RunFor(2000);
  EXPECT_EQ(Text(kIdNodeDate), "5/12-2026");
  EXPECT_EQ(Text(kIdNodeTime), "9:05:09");

  f.platform.SetLocalTime({2099, 12, 31, 23, 59, 58});
  f.node.ClearLog();
  f.driver->Click(kIdSync);
  EXPECT_EQ(Traffic(f.node.Log()), (Calls{"W0:08330C1F173B3A"}));
  // A host without the writing interface gets nothing and nothing breaks.
  f.OpenSheet(true, false);
  page = dynamic_cast<CPage4PropPage*>(f.sheet->AllPages()[3]);
  f.Show(*page);
  f.node.ClearLog();
  f.driver->Click(kIdSync);
  EXPECT_TRUE(f.node.Log().empty());
}

// A PC clock that moves one second at every reading.
class SteppingClock : public fw::PlatformImpl {
 public:
  SteppingClock(fw::PlatformImpl& base, fw::LocalTime start) : base_(base), start_(start) {}
  void Sleep(uint32_t ms) override { base_.Sleep(ms); }
  uint64_t TickCount() override { return base_.TickCount(); }
  fw::LocalTime Now() override { return fw::AddSeconds(start_, readings++); }
  int ShowMessageBox(const fw::MessageBoxRequest& r) override { return base_.ShowMessageBox(r); }
  std::optional<std::string> FileDialog(const fw::FileDialogRequest& r) override {
    return base_.FileDialog(r);
  }
  int RunModal(fw::CPropertySheet& sheet) override { return base_.RunModal(sheet); }
  int readings = 0;

 private:
  fw::PlatformImpl& base_;
  fw::LocalTime start_;
};

TEST_F(SetTimePage, SyncAtMidnightTakesDateAndTimeFromOneReading) {
  ShowAt({2026, 12, 5, 9, 5, 7});
  f.node.ClearLog();
  SteppingClock clock(f.platform, {2026, 12, 31, 23, 59, 59});
  {
    fw::ScopedPlatform installed(clock);
    f.driver->Click(kIdSync);
  }
  EXPECT_EQ(clock.readings, 1);
  EXPECT_EQ(Traffic(f.node.Log()), (Calls{"W0:07EA0C1F173B3B"}));
}

}  // namespace
