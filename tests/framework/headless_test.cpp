#include "framework/headless/headless.h"

#include <gtest/gtest.h>

#include "framework/property_sheet.h"

using namespace fw;
using Events = std::vector<std::string>;

namespace {

const DialogTemplate kDialog{
    900,
    250,
    150,
    {{10, ControlKind::kEdit, "start", 0, 0, 10, 10},
     {11, ControlKind::kPushButton, "Go", 0, 0, 10, 10},
     {12, ControlKind::kCheckBox, "Flag", 0, 0, 10, 10},
     {13, ControlKind::kPushButton, "Off", 0, 0, 10, 10, kCreatedDisabled}}};

// A page that records what the backend tells it; timer 1 runs while it is in view.
class ProbePage : public CPropertyPage {
 public:
  explicit ProbePage(std::string caption) : CPropertyPage(kDialog, 0, std::move(caption)) {
    OnClicked(11, [this] { events.push_back("click"); });
    OnChanged(10, [this] { events.push_back("changed"); });
  }
  bool OnInitDialog() override {
    events.push_back("init");
    return true;
  }
  void OnShowWindow(bool show) override {
    events.push_back(show ? "show" : "hide");
    show ? SetTimer(1, 2000) : KillTimer(1);
  }
  void OnTimer(int id) override {
    events.push_back("tick" + std::to_string(id) + "@" + std::to_string(Platform::TickCount()));
    if (pauseInTick > 0) Platform::Sleep(pauseInTick);
  }
  Events events;
  uint32_t pauseInTick = 0;
};

// Pages are made on their first showing; only the engineer's actions fire their handlers.
// Timers fire from the message loop only, and once after a pause however long.
TEST(HeadlessBackend, HandlersAndTimersComeAsFromTheMessageLoop) {
  ProbePage a{"A"}, b{"B"};  // first: they outlive the sheet
  headless::HeadlessPlatform platform;
  CPropertySheet sheet{"Test"};
  headless::SheetDriver driver{sheet, platform};
  sheet.AddPage(&a);
  sheet.AddPage(&b);
  driver.Open();
  EXPECT_FALSE(b.HasWindow());
  EXPECT_EQ(driver.Text(10), "start");
  a.SetItemText(10, "by code");
  driver.Type(10, "typed");
  EXPECT_TRUE(driver.Click(11));
  EXPECT_FALSE(driver.Click(13));  // disabled
  EXPECT_FALSE(driver.Click(99));  // no such control
  EXPECT_TRUE(driver.Click(12));   // a check box toggles itself
  EXPECT_TRUE(driver.Checked(12));
  EXPECT_EQ(a.events, (Events{"init", "show", "changed", "click"}));

  a.events.clear();
  Platform::Sleep(5000);  // no tick fires inside the pause; the overdue one fires once after it
  platform.RunFor(4000);
  EXPECT_EQ(a.events, (Events{"tick1@5000", "tick1@7000", "tick1@9000"}));
  a.events.clear();
  a.pauseInTick = 4500;  // a tick that pauses longer than two periods
  platform.RunFor(2000);
  EXPECT_EQ(a.events, (Events{"tick1@11000"}));
  a.events.clear();
  driver.SelectTab(1);  // hidden: its timer is gone
  platform.RunFor(10000);
  EXPECT_EQ(a.events, (Events{"hide"}));
  driver.Close();
  EXPECT_EQ(b.events.back(), "hide");
  EXPECT_EQ(platform.TimerCount(), 0u);
  EXPECT_EQ(AddSeconds({2024, 2, 28, 12, 0, 0}, 86400), (LocalTime{2024, 2, 29, 12, 0, 0}));
}

}  // namespace
