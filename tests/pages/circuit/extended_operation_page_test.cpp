#include "pages/circuit/extended_operation_page.h"

#include <gtest/gtest.h>

#include <array>

#include "resources/dialog_extended_operation.h"
#include "tests/pages/circuit/page_checks.h"
#include "tests/support/random_write.h"

using testing_support::NodeFixture;
using testing_support::Timed;
using namespace extended_operation_dialog;

namespace {

using Calls = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

TEST(DelayText, ShownUnpaddedAndTypedSplitAtTheFirstColonCutAndClamped) {
  const std::pair<Delay, const char*> shown[] = {{{1, 75}, "1:75"},
                                                 {{0, 0}, "0:00"},
                                                 {{2, 5}, "2:05"},
                                                 {{0, 10}, "0:10"},
                                                 {{65535, 9}, "65535:09"}};
  for (const auto& [delay, text] : shown) EXPECT_EQ(DelayToText(delay), text);
  const std::pair<const char*, Delay> typed[] = {
      {"90", {0, 90}},         {"1:30:15", {1, 30}},  {"", {0, 0}},          {"x:y", {0, 0}},
      {"2:", {2, 0}},          {" 3: 07", {3, 7}},    {"1.9:2.99", {1, 2}},  {"-1:-5", {0, 0}},
      {"70000:0", {65535, 0}}, {"0:1e9", {0, 65535}}, {"0.29:1.15", {0, 1}}, {"8h:15m", {8, 15}}};
  for (const auto& [text, delay] : typed) {
    const Delay d = TextToDelay(text);
    EXPECT_EQ(std::make_pair(d.hours, d.minutes), std::make_pair(delay.hours, delay.minutes))
        << text;
  }
}

struct DelayTwin {
  const char* name;
  int pageIndex;  // in the sheet's list of every page
  int templateId;
  std::array<int, 3> rowAt;  // first byte of the boost, day and night hours in host index 38
  Calls simulated;           // the simulated node's delays
};
void PrintTo(const DelayTwin& twin, std::ostream* os) {
  *os << twin.name;
}
const DelayTwin kTwins[] = {
    {"BL1", 14, 214, {1, 5, 9}, {"1:00", "2:30", "0:45"}},
    {"BL2", 15, 215, {13, 17, 21}, {"0:30", "1:15", "3:00"}},
};

const int kDelayIds[] = {kIdBoostDelay, kIdDayDelay, kIdNightDelay};
const int kStartIds[] = {kIdStartBoost, kIdStartDay, kIdStartNight};

class ExtendedOperationPage : public ::testing::TestWithParam<DelayTwin> {
 protected:
  void SetUp() override {
    f.OpenSheet();
    page = dynamic_cast<CExtendedOperationPage*>(f.sheet->AllPages()[GetParam().pageIndex]);
    ASSERT_NE(page, nullptr);
    f.Show(*page);
  }
  Calls Texts() const {
    return {f.driver->Text(kIdBoostDelay), f.driver->Text(kIdDayDelay),
            f.driver->Text(kIdNightDelay)};
  }
  // `record` with row `row`'s hours and minutes words set.
  Bytes With(Bytes record, int row, int hours, int minutes) const {
    const int at = GetParam().rowAt[static_cast<size_t>(row)];
    const Bytes words{uint8_t(hours >> 8), uint8_t(hours), uint8_t(minutes >> 8), uint8_t(minutes)};
    std::copy(words.begin(), words.end(), record.begin() + at);
    return record;
  }
  // Host index 38 with every byte distinct.
  static Bytes Delays() {
    Bytes b(31);
    for (int i = 0; i < 31; ++i) b[i] = static_cast<uint8_t>(0x40 + i);
    return b;
  }

  NodeFixture f;
  CExtendedOperationPage* page = nullptr;
};

TEST_P(ExtendedOperationPage, TrafficOfEveryEventNoTimerAndOnePausePerStart) {
  f.driver->SelectTab(0);
  const Calls start{"R38@0", "W38@0", "W38@2000"};
  const std::pair<std::function<void()>, Calls> steps[] = {
      {[&] { f.Show(*page); }, {"R38@0"}},
      {[&] { f.platform.RunFor(10000); }, {}},
      {[&] { f.driver->Click(kIdRead); }, {"R38@0"}},
      {[&] { f.driver->Click(kIdWrite); }, {"R38@0", "W38@0"}},  // not read back
      {[&] { f.driver->Click(kIdStartBoost); }, start},
      {[&] { f.driver->Click(kIdStartDay); }, start},
      {[&] { f.driver->Click(kIdStartNight); }, start},
  };
  f.platform.ResetSlept();
  for (const auto& [action, expected] : steps) EXPECT_EQ(Timed(f, action), expected);
  EXPECT_EQ(f.platform.SleptMs(), 6000u);
  EXPECT_EQ(f.platform.TimerCount(), 0u);
}

TEST_P(ExtendedOperationPage, ReadAndWriteOnlyTheCircuitsOwnTwelveBytes) {
  EXPECT_EQ(Texts(), GetParam().simulated);
  // The other circuit's words would show 65535:65535.
  const Bytes record = With(With(With(Bytes(31, 0xFF), 0, 1, 75), 1, 0, 0), 2, 258, 9);
  f.node.SetBytes(38, record);
  f.driver->Click(kIdRead);
  EXPECT_EQ(Texts(), (Calls{"1:75", "0:00", "258:09"}));

  f.node.SetBytes(38, Delays());
  f.driver->Type(kIdBoostDelay, "90");
  f.driver->Type(kIdDayDelay, "1:30:15");
  f.driver->Type(kIdNightDelay, "-2:70000");
  f.driver->Click(kIdWrite);
  const Bytes expected = With(With(With(Delays(), 0, 0, 90), 1, 1, 30), 2, 0, 65535);
  EXPECT_EQ(f.node.Bytes(38), expected);
  EXPECT_EQ(Texts(), (Calls{"90", "1:30:15", "-2:70000"}));  // not read back

  f.node.SetBytes(38, Delays());
  f.node.FailReads(38);
  for (int id : {kIdRead, kIdWrite, kIdStartDay}) {
    EXPECT_EQ(Timed(f, [&] { f.driver->Click(id); }), Calls{"R38!@0"});
  }
  EXPECT_EQ(Texts(), (Calls{"90", "1:30:15", "-2:70000"}));
  EXPECT_EQ(f.node.Bytes(38), Delays());
}

TEST_P(ExtendedOperationPage, StartZeroesItsRowThenWritesItsTimeTwoSecondsLater) {
  const int typed[3][2] = {{3, 15}, {0, 45}, {12, 5}};
  for (int row = 0; row < 3; ++row) {
    f.driver->Type(kDelayIds[row], Calls{"3:15", "0:45", "12:05"}[static_cast<size_t>(row)]);
  }
  for (int row = 0; row < 3; ++row) {
    f.node.SetBytes(38, Delays());
    const size_t from = f.node.Log().size();
    f.driver->Click(kStartIds[row]);
    const std::vector<sim::HostCall> calls = f.CallsSince(from);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[1].bytes, With(Delays(), row, 0, 0)) << row;
    EXPECT_EQ(calls[2].bytes, With(Delays(), row, typed[row][0], typed[row][1])) << row;
    EXPECT_EQ(Texts(), (Calls{"3:15", "0:45", "12:05"}));
    EXPECT_EQ(f.driver->Text(kIdRead) + f.driver->Text(kIdWrite), "ReadWrite");
  }
}

TEST_P(ExtendedOperationPage, TemplateShowsEveryLabelAndTabsInReadingOrder) {
  EXPECT_EQ(page->TemplateId(), GetParam().templateId);
  EXPECT_EQ(page->Caption(), "Externded operation");
  EXPECT_EQ(testing_support::LayoutFaults(
                page->Template(),
                {"Time", "Start boost temperature in X Hours", "Start day temperature in X Hours",
                 "Start night temperature in X Hours", "Start", "Read", "Write"}),
            Calls{});
  EXPECT_EQ(testing_support::TabStops(page->Template()),
            (std::vector<int>{203, 206, 204, 207, 205, 208, 211, 210}));
}

TEST_P(ExtendedOperationPage, RandomWritesAndStartsTouchOnlyTheCircuitsDelays) {
  std::vector<testing_support::PageByte> owned;
  for (int at : GetParam().rowAt) {
    for (int i = 0; i < 4; ++i) owned.push_back(testing_support::PageByte::Nv(38, at + i));
  }
  for (int button : {kIdWrite, kIdStartBoost, kIdStartDay, kIdStartNight}) {
    testing_support::RandomWriteOptions options;
    options.button = button;
    options.seed += static_cast<uint32_t>(GetParam().rowAt[0] * 1000 + button);
    const auto stats = testing_support::RunRandomWrites(
        f, *page, owned,
        [&](std::mt19937& rng, fw::CPropertyPage& p) {
          for (int id : kDelayIds) p.SetItemText(id, testing_support::RandomFieldText(rng));
        },
        options);
    EXPECT_GT(stats.withWrites, options.trials / 2) << button;
    EXPECT_GT(stats.withoutWrites, 20) << button;
  }
}

INSTANTIATE_TEST_SUITE_P(BothCircuits, ExtendedOperationPage, ::testing::ValuesIn(kTwins),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
