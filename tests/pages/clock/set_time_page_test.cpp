#include "pages/clock/set_time_page.h"

#include <gtest/gtest.h>

#include "resources/dialog_set_time.h"
#include "tests/support/fixture.h"

using testing_support::During;
using testing_support::kTimed;
using testing_support::SteppingClock;
using testing_support::Traffic;
using namespace set_time_dialog;

namespace {

using Calls = std::vector<std::string>;

class SetTimePage : public ::testing::Test, public testing_support::OnePage {
 protected:
  void SetUp() override { Open(3); }
  void ShowAt(const fw::LocalTime& pc) {
    f.platform.SetLocalTime(pc);
    f.node.ClearLog();
    f.Show(*page);
  }
  std::string Texts() const {
    return f.driver->Text(kIdPcDate) + "|" + f.driver->Text(kIdPcTime) + "|" +
           f.driver->Text(kIdNodeDate) + "|" + f.driver->Text(kIdNodeTime);
  }
};

// The PC date ends with a space, the node date does not. The timer fires from the message loop
// only: not inside a pause, and once after it however long it was.
TEST_F(SetTimePage, ShowsBothClocksEveryTwoSecondsWhileInView) {
  f.node.SetClock({2026, 12, 5, 14, 3, 9});
  ShowAt({2026, 12, 5, 9, 5, 7});
  EXPECT_EQ(Texts(), "5/12-2026 |9:05:07|5/12-2026|14:03:09");
  EXPECT_EQ(Traffic(f.node.Log()), (Calls{"R3"}));
  f.node.SetClock({2026, 1, 2, 7, 0, 0});
  auto runPauseRun = [&] {
    f.platform.RunFor(4000);
    fw::Platform::Sleep(5000);
    f.platform.RunFor(2000);
  };
  EXPECT_EQ(During(f, kTimed, runPauseRun), (Calls{"R3@2000", "R3@4000", "R3@9000", "R3@11000"}));
  EXPECT_EQ(Texts(), "5/12-2026 |9:05:18|2/1-2026|7:00:11");

  f.driver->SelectTab(0);
  f.node.ClearLog();
  f.platform.RunFor(10000);
  EXPECT_TRUE(f.node.Log().empty());

  // An unreadable node clock leaves the node's fields as they were; the PC clock goes on.
  f.node.FailReads(3);
  f.Show(*page);
  f.platform.SetLocalTime({2026, 12, 5, 23, 59, 59});
  f.platform.RunFor(4000);
  EXPECT_EQ(Texts(), "6/12-2026 |0:00:03|2/1-2026|7:00:11");
  f.CloseSheet();
  EXPECT_EQ(f.platform.TimerCount(), 0u);
  f.OpenSheet();  // the clock still unreadable: the node's fields stay empty
  f.Show(*f.sheet->AllPages()[3]);
  EXPECT_EQ(f.driver->Text(kIdNodeDate) + f.driver->Text(kIdNodeTime), "");
}

// Sync writes the PC's date and time, from one reading of the clock, without a pause and
// without reading back.
TEST_F(SetTimePage, SyncWritesThePcClockToTheNode) {
  ShowAt({2026, 12, 5, 9, 5, 7});
  f.node.ClearLog();
  {
    SteppingClock clock;
    ASSERT_TRUE(f.driver->Click(kIdSync));
    EXPECT_EQ(clock.readings, 1);
    EXPECT_EQ(clock.SleptMs(), 0u);
  }
  EXPECT_EQ(Traffic(f.node.Log()), (Calls{"W0:07EA0C1F173B3B"}));

  // A host without the writing interface gets nothing, and nothing breaks.
  f.OpenSheet(true, false);
  f.Show(*f.sheet->AllPages()[3]);
  EXPECT_EQ(During(f, 0, [&] { f.driver->Click(kIdSync); }), Calls{});
}

}  // namespace
