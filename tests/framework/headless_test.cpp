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

struct ProbeSheet : ::testing::Test {
  void Open(std::initializer_list<ProbePage*> pages) {
    for (ProbePage* p : pages) sheet.AddPage(p);
    driver.Open();
  }
  ProbePage a{"A"}, b{"B"};  // first: they outlive the sheet
  headless::HeadlessPlatform platform;
  CPropertySheet sheet{"Test"};
  headless::SheetDriver driver{sheet, platform};
};

// Pages are made on their first showing; only the engineer's actions fire their handlers.
TEST_F(ProbeSheet, ControlsComeFromTheTemplateAndOnlyTheEngineerFiresHandlers) {
  Open({&a, &b});
  EXPECT_FALSE(b.HasWindow());
  EXPECT_EQ(driver.Text(10), "start");
  EXPECT_FALSE(driver.Enabled(13));
  a.SetItemText(10, "by code");
  EXPECT_EQ(a.events, (Events{"init", "show"}));
  driver.Type(10, "typed");
  EXPECT_EQ(a.events.back(), "changed");
  EXPECT_TRUE(driver.Click(11));
  EXPECT_EQ(a.events.back(), "click");
  EXPECT_FALSE(driver.Click(13));  // disabled
  EXPECT_FALSE(driver.Click(99));  // no such control
  EXPECT_TRUE(driver.Click(12));   // a check box toggles itself
  EXPECT_TRUE(driver.Checked(12));
  try {
    ScopedCaption caption(a, 11, "Wait", "Go");
    EXPECT_EQ(driver.Text(11), "Wait");
    throw std::runtime_error("handler failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(driver.Text(11), "Go");  // put back on every path
}

TEST_F(ProbeSheet, TimersFireFromTheMessageLoopOnlyAndCollapseAfterAPause) {
  Open({&a, &b});
  Platform::Sleep(5000);  // a pause: no tick fires inside it
  EXPECT_EQ(a.events.size(), 2u);
  platform.RunFor(0);  // the overdue tick fires once
  EXPECT_EQ(a.events.back(), "tick1@5000");
  a.events.clear();
  platform.RunFor(4000);
  EXPECT_EQ(a.events, (Events{"tick1@7000", "tick1@9000"}));
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
