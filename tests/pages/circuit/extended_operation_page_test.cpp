#include "pages/circuit/extended_operation_page.h"

#include <gtest/gtest.h>

#include <array>

#include "resources/dialog_extended_operation.h"
#include "tests/pages/circuit/layout_checks.h"
#include "tests/support/fixture.h"
#include "tests/support/random_write.h"

using testing_support::NodeFixture;
using testing_support::PageByte;
using testing_support::Traffic;
using namespace extended_operation_dialog;

namespace {

using Calls = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

TEST(DelayText, HoursUnpaddedMinutesTwoDigitsAtLeast) {
  const std::pair<Delay, const char*> cases[] = {
      {{1, 75}, "1:75"}, {{0, 0}, "0:00"},  {{2, 5}, "2:05"},     {{12, 30}, "12:30"},
      {{0, 9}, "0:09"},  {{0, 10}, "0:10"}, {{100, 0}, "100:00"}, {{65535, 65535}, "65535:65535"}};
  for (const auto& [delay, text] : cases) {
    EXPECT_EQ(DelayToText(delay), text) << delay.hours << " " << delay.minutes;
  }
}

TEST(DelayText, TypedTextSplitsAtTheFirstColonCutsAndClamps) {
  struct Case {
    const char* text;
    int hours;
    int minutes;
  };
  const Case cases[] = {
      {"2:05", 2, 5},
      {"90", 0, 90},
      {"1:30:15", 1, 30},
      {"1:75", 1, 75},
      {"", 0, 0},
      {"abc", 0, 0},
      {"x:y", 0, 0},
      {"2:", 2, 0},
      {":45", 0, 45},
      {" 3: 07", 3, 7},
      {"1.9:2.99", 1, 2},
      {"-1:30", 0, 30},
      {"1:-5", 1, 0},
      {"-90", 0, 0},
      {"70000:0", 65535, 0},
      {"0:70000", 0, 65535},
      {"65535:65535", 65535, 65535},
      {"1e9", 0, 65535},
      {"0.29:1.15", 0, 1},
      {"8h:15m", 8, 15},
  };
  for (const Case& c : cases) {
    const Delay d = TextToDelay(c.text);
    EXPECT_EQ(d.hours, c.hours) << '"' << c.text << '"';
    EXPECT_EQ(d.minutes, c.minutes) << '"' << c.text << '"';
  }
}

// What differs between the two extended operation pages.
struct DelayTwin {
  const char* name;
  int pageIndex;  // in the sheet's list of every page
  int templateId;
  std::array<int, 3> rowAt;  // first byte of the boost, day, night hours word in host index 38
};

void PrintTo(const DelayTwin& twin, std::ostream* os) {
  *os << twin.name;
}

const DelayTwin kTwins[] = {
    {"BL1", 14, 214, {1, 5, 9}},
    {"BL2", 15, 215, {13, 17, 21}},
};

const int kDelayIds[] = {kIdBoostDelay, kIdDayDelay, kIdNightDelay};
const int kStartIds[] = {kIdStartBoost, kIdStartDay, kIdStartNight};

// Host index 38 with every byte distinct.
Bytes Delays() {
  Bytes b(31);
  for (int i = 0; i < 31; ++i) b[i] = static_cast<uint8_t>(0x40 + i);
  return b;
}

class ExtendedOperationPage : public ::testing::TestWithParam<DelayTwin> {
 protected:
  void SetUp() override {
    f.OpenSheet();
    page = dynamic_cast<CExtendedOperationPage*>(f.sheet->AllPages()[GetParam().pageIndex]);
    ASSERT_NE(page, nullptr);
  }
  // The host calls of `action`, with their times counted from its start.
  template <typename Action>
  Calls Timed(Action action, bool withBytes = false) {
    const size_t from = f.node.Log().size();
    const uint64_t t0 = f.platform.TickCount();
    action();
    Calls calls;
    for (const sim::HostCall& c : f.CallsSince(from)) {
      calls.push_back(Traffic({c}, false, withBytes)[0] + "@" + std::to_string(c.atMs - t0));
    }
    return calls;
  }
  void Show() { f.Show(*page); }
  void Click(int id) { f.driver->Click(id); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (int id : kDelayIds) texts.push_back(f.driver->Text(id));
    return texts;
  }
  // `record` with row `row`'s words set to hours and minutes.
  Bytes With(Bytes record, int row, int hours, int minutes) const {
    const int at = GetParam().rowAt[static_cast<size_t>(row)];
    record[at] = static_cast<uint8_t>(hours >> 8);
    record[at + 1] = static_cast<uint8_t>(hours & 0xFF);
    record[at + 2] = static_cast<uint8_t>(minutes >> 8);
    record[at + 3] = static_cast<uint8_t>(minutes & 0xFF);
    return record;
  }

  NodeFixture f;
  CExtendedOperationPage* page = nullptr;
};

TEST_P(ExtendedOperationPage, TrafficOfEveryEventNoTimerAndOnePause) {
  struct Step {
    const char* event;
    std::function<void()> action;
    Calls expected;
  };
  const Step steps[] = {
      {"show", [&] { Show(); }, {"R38@0"}},
      {"tick", [&] { f.platform.RunFor(2000); }, {}},
      {"read", [&] { Click(kIdRead); }, {"R38@0"}},
      {"write", [&] { Click(kIdWrite); }, {"R38@0", "W38@0"}},  // and no read back
      {"start boost", [&] { Click(kIdStartBoost); }, {"R38@0", "W38@0", "W38@2000"}},
      {"start day", [&] { Click(kIdStartDay); }, {"R38@0", "W38@0", "W38@2000"}},
      {"start night", [&] { Click(kIdStartNight); }, {"R38@0", "W38@0", "W38@2000"}},
      {"tick", [&] { f.platform.RunFor(10000); }, {}},
  };
  f.platform.ResetSlept();
  for (const Step& step : steps) EXPECT_EQ(Timed(step.action), step.expected) << step.event;
  EXPECT_EQ(f.platform.SleptMs(), 6000u);
  EXPECT_EQ(f.platform.TimerCount(), 0u);
}

TEST_P(ExtendedOperationPage, ShowAndReadFillTheCircuitsOwnDelays) {
  Show();
  // The simulated node's delays.
  const Calls simulated =
      GetParam().templateId == 214 ? Calls{"1:00", "2:30", "0:45"} : Calls{"0:30", "1:15", "3:00"};
  EXPECT_EQ(Texts(), simulated);
  Bytes record(31, 0xFF);  // the other circuit's words: 65535:65535
  record = With(record, 0, 1, 75);
  record = With(record, 1, 0, 0);
  record = With(record, 2, 0x0102, 0x0009);
  f.node.SetBytes(38, record);
  Click(kIdRead);
  EXPECT_EQ(Texts(), (Calls{"1:75", "0:00", "258:09"}));
  EXPECT_EQ(f.driver->Text(kIdRead), "Read");

  f.node.SetBytes(38, Delays());
  f.node.FailReads(38);
  Click(kIdRead);
  EXPECT_EQ(Texts(), (Calls{"1:75", "0:00", "258:09"}));
  EXPECT_EQ(f.driver->Text(kIdRead), "Read");
}

TEST_P(ExtendedOperationPage, WriteChangesOnlyTheCircuitsDelaysAndDoesNotReadBack) {
  Show();
  f.node.SetBytes(38, Delays());
  f.driver->Type(kIdBoostDelay, "90");
  f.driver->Type(kIdDayDelay, "1:30:15");
  f.driver->Type(kIdNightDelay, "-2:70000");
  Click(kIdWrite);
  Bytes expected = With(With(With(Delays(), 0, 0, 90), 1, 1, 30), 2, 0, 65535);
  EXPECT_EQ(f.node.Bytes(38), expected);
  EXPECT_EQ(Texts(), (Calls{"90", "1:30:15", "-2:70000"}));
  EXPECT_EQ(f.driver->Text(kIdWrite), "Write");

  f.node.SetBytes(38, Delays());
  f.node.FailReads(38);
  EXPECT_EQ(Timed([&] { Click(kIdWrite); }), (Calls{"R38!@0"}));
  EXPECT_EQ(f.node.Bytes(38), Delays());
  EXPECT_EQ(f.driver->Text(kIdWrite), "Write");
}

TEST_P(ExtendedOperationPage, StartZeroesItsRowThenWritesItsTimeTwoSecondsLater) {
  Show();
  const Calls texts{"3:15", "0:45", "12:05"};
  const int typed[3][2] = {{3, 15}, {0, 45}, {12, 5}};
  for (int row = 0; row < 3; ++row) {
    SCOPED_TRACE(row);
    for (int i = 0; i < 3; ++i) f.driver->Type(kDelayIds[i], texts[static_cast<size_t>(i)]);
    f.node.SetBytes(38, Delays());
    const size_t from = f.node.Log().size();
    Click(kStartIds[row]);
    const std::vector<sim::HostCall> calls = f.CallsSince(from);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[1].bytes, With(Delays(), row, 0, 0));
    EXPECT_EQ(calls[2].bytes, With(Delays(), row, typed[row][0], typed[row][1]));
    EXPECT_EQ(calls[2].atMs - calls[1].atMs, 2000u);
    EXPECT_EQ(Texts(), texts);
    EXPECT_EQ(f.driver->Text(kIdRead), "Read");
    EXPECT_EQ(f.driver->Text(kIdWrite), "Write");
  }
  // A failed read starts nothing.
  f.node.SetBytes(38, Delays());
  f.node.FailReads(38);
  EXPECT_EQ(Timed([&] { Click(kIdStartDay); }), (Calls{"R38!@0"}));
  EXPECT_EQ(f.node.Bytes(38), Delays());
}

TEST_P(ExtendedOperationPage, TemplateShowsEveryLabelAndTabsInReadingOrder) {
  const fw::DialogTemplate& dialog = page->Template();
  EXPECT_EQ(page->TemplateId(), GetParam().templateId);
  EXPECT_EQ(page->Caption(), "Externded operation");
  EXPECT_EQ(
      testing_support::MissingTexts(
          dialog, {"Time", "Start boost temperature in X Hours", "Start day temperature in X Hours",
                   "Start night temperature in X Hours", "Start", "Read", "Write"}),
      Calls{});
  EXPECT_EQ(testing_support::TabStops(dialog),
            (std::vector<int>{203, 206, 204, 207, 205, 208, 211, 210}));
  EXPECT_EQ(testing_support::OutOfReadingOrder(dialog), Calls{});
  EXPECT_EQ(testing_support::OutsideTheDialog(dialog), std::vector<int>{});
}

// Write and each Start: random node bytes, texts and read failures never change a byte outside
// the circuit's twelve, nor write after a failed read.
TEST_P(ExtendedOperationPage, RandomWritesTouchOnlyTheCircuitsDelays) {
  std::vector<PageByte> owned;
  for (int at : GetParam().rowAt) {
    for (int i = 0; i < 4; ++i) owned.push_back(PageByte::Nv(38, at + i));
  }
  for (int button : {kIdWrite, kIdStartBoost, kIdStartDay, kIdStartNight}) {
    SCOPED_TRACE(button);
    testing_support::RandomWriteOptions options;
    options.button = button;
    options.seed += static_cast<uint32_t>(GetParam().pageIndex * 1000 + button);
    const auto stats = testing_support::RunRandomWrites(
        f, *page, owned,
        [&](std::mt19937& rng, fw::CPropertyPage& p) {
          for (int id : kDelayIds) p.SetItemText(id, testing_support::RandomFieldText(rng));
        },
        options);
    EXPECT_EQ(stats.trials, options.trials);
    EXPECT_GT(stats.withWrites, options.trials / 2);
    EXPECT_GT(stats.withoutWrites, 20);
  }
}

INSTANTIATE_TEST_SUITE_P(BothCircuits, ExtendedOperationPage, ::testing::ValuesIn(kTwins),
                         [](const ::testing::TestParamInfo<DelayTwin>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
