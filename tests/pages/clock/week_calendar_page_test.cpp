#include "pages/clock/week_calendar_page.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "pages/clock/time_text.h"
#include "resources/dialog_week_calendar.h"
#include "tests/support/fixture.h"
#include "tests/support/random_write.h"

using testing_support::NodeFixture;
using testing_support::PageByte;
using testing_support::Traffic;
using namespace week_calendar_dialog;

namespace {

using Calls = std::vector<std::string>;

constexpr const char* kCal1 = "Error in Calender 1, unequal start and stoptimes";
constexpr const char* kCal2 = "Error in Calender 2, unequal start and stoptimes";
constexpr const char* kHoliday = "Error in holiday, unequal start and stoptimes";
constexpr const char* kRefused = " errors occured, data not written to NV";
constexpr const char* kHint =
    " errors occured, data not written to NV. (Correct time format is 'H:MM' or 'HH:MM')";

// Fields by day and calendar (0 Sunday .. 6 Saturday; calendar 0 or 1).
const WordFields& Day(int day, int calendar) {
  return kWordFields[2 * day + calendar];
}
const WordFields& Holiday() {
  return kWordFields[kHolidayWord - 1];
}
constexpr int kSunday = 0, kMonday = 1, kTuesday = 2;

std::string Hex(const std::vector<uint8_t>& bytes) {
  std::string s;
  for (uint8_t b : bytes) {
    char h[3];
    std::snprintf(h, sizeof h, "%02X", b);
    s += h;
  }
  return s;
}

class WeekCalendarPage : public ::testing::Test {
 protected:
  void Open(int pageIndex = 4) {
    f.OpenSheet();
    page = dynamic_cast<CWeekCalendarPage*>(f.sheet->AllPages()[pageIndex]);
    ASSERT_NE(page, nullptr);
  }
  Calls Show(bool withTime = false) {
    const size_t from = f.node.Log().size();
    shownAt = f.platform.TickCount();
    f.Show(*page);
    return Traffic(f.CallsSince(from), withTime);
  }
  Calls Click(int id) {
    const size_t from = f.node.Log().size();
    f.driver->Click(id);
    return Traffic(f.CallsSince(from));
  }
  void Type(int id, const std::string& text) { f.driver->Type(id, text); }
  std::string Text(int id) const { return f.driver->Text(id); }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& m : f.platform.Messages()) {
      texts.push_back(m.request.text);
      EXPECT_EQ(m.request.flags, fw::kMbOk);
      EXPECT_FALSE(m.request.caption.has_value());
    }
    return texts;
  }
  // Every field "0:00", then the given ones, then Write; returns the calls of the write.
  Calls Write(const std::vector<std::pair<int, std::string>>& texts) {
    f.driver->Click(kIdReset);
    for (const auto& [id, text] : texts) Type(id, text);
    f.platform.ClearMessages();
    return Click(kIdWrite);
  }

  NodeFixture f;
  CWeekCalendarPage* page = nullptr;
  uint64_t shownAt = 0;
};

TEST_F(WeekCalendarPage, ShowRefreshesSelectsAndReadsTheTimetable) {
  Open();
  std::vector<uint8_t> part(31, 0);
  part[0] = 0x55;                // ignored
  part[5] = 64, part[6] = 32;    // Monday, Calender 1: 8:00 to 16:00
  part[7] = 96, part[8] = 33;    // Monday, Calender 2: 8:15 to 24:00
  part[29] = 1, part[30] = 255;  // holiday
  f.node.SetPart(9, part);
  f.node.SetClock({2026, 12, 5, 9, 7, 3});
  f.node.SetBytes(4, {0, 2});
  const auto at = [&](uint64_t ms) { return "@" + std::to_string(f.platform.TickCount() + ms); };
  const std::string t0 = at(0), t200 = at(200), t400 = at(400);
  EXPECT_EQ(Show(true), (Calls{"R3" + t0, "R4" + t0, "R45" + t0, "W45:0009" + t200, "R46" + t400}));
  EXPECT_EQ(Text(kIdNodeDate), "5/12-2026");
  EXPECT_EQ(Text(kIdNodeTime), "9:07:03");
  EXPECT_EQ(Text(kIdCalendarState), "Calender2 active");
  EXPECT_EQ(Text(Day(kMonday, 0).start), "8:00");
  EXPECT_EQ(Text(Day(kMonday, 0).stop), "16:00");
  EXPECT_EQ(Text(Day(kMonday, 1).start), "8:15");
  EXPECT_EQ(Text(Day(kMonday, 1).stop), "24:00");
  EXPECT_EQ(Text(Holiday().start), "16383:45");
  EXPECT_EQ(Text(Holiday().stop), "0:15");
  EXPECT_EQ(Text(Day(kSunday, 0).start), "0:00");
  EXPECT_EQ(Text(kIdRead), "Read");

  // The timer refreshes the clock and the state only.
  f.node.SetBytes(4, {0, 4});
  const size_t from = f.node.Log().size();
  f.platform.RunFor(2000);
  const std::string tick = "@" + std::to_string(shownAt + 2400);
  EXPECT_EQ(Traffic(f.CallsSince(from), true), (Calls{"R3" + tick, "R4" + tick}));
  EXPECT_EQ(Text(kIdNodeTime), "9:07:05");
  EXPECT_EQ(Text(kIdCalendarState), "Holiday active");
}

TEST_F(WeekCalendarPage, StateTextsAndWhatLeavesThemStanding) {
  Open();
  Show();
  const char* const texts[] = {"Off", "Calender1 active", "Calender2 active", "Holiday inactive",
                               "Holiday active"};
  for (int state = 0; state <= 4; ++state) {
    f.node.SetBytes(4, {0, static_cast<uint8_t>(state)});
    f.platform.RunFor(2000);
    EXPECT_EQ(Text(kIdCalendarState), texts[state]);
  }
  for (int odd : {5, 0x0100, 0xFFFF}) {
    f.node.SetBytes(4, {static_cast<uint8_t>(odd >> 8), static_cast<uint8_t>(odd)});
    f.platform.RunFor(2000);
    EXPECT_EQ(Text(kIdCalendarState), "Holiday active") << odd;
  }
  f.node.SetBytes(4, {0, 0});
  f.node.FailReads(4);
  f.node.FailReads(3);
  const std::string time = Text(kIdNodeTime);
  f.platform.RunFor(2000);
  EXPECT_EQ(Text(kIdCalendarState), "Holiday active");
  EXPECT_EQ(Text(kIdNodeTime), time);
}

TEST_F(WeekCalendarPage, ReadAsksForThePartAndFailedReadsLeaveTheFields) {
  Open();
  Show();
  EXPECT_EQ(Click(kIdRead), (Calls{"R45", "R46"}));  // part 9 already selected
  Type(Day(kTuesday, 1).stop, "7:30");
  f.node.FailReads(46);
  EXPECT_EQ(Click(kIdRead), (Calls{"R45", "R46!"}));
  EXPECT_EQ(Text(Day(kTuesday, 1).stop), "7:30");
  f.node.FailReads(46, false);
  f.node.FailReads(45);  // counts as part 0: selects again
  EXPECT_EQ(Click(kIdRead), (Calls{"R45!", "W45:0009", "R46"}));
  EXPECT_EQ(Text(Day(kTuesday, 1).stop), "0:00");
}

TEST_F(WeekCalendarPage, GoodWriteSendsTheWholePartAndReadsItBack) {
  Open();
  f.node.SetPart(9, std::vector<uint8_t>(31, 0x77));
  Show();
  f.node.SetSelectedPart(3);
  const size_t from = f.node.Log().size();
  const uint64_t start = f.platform.TickCount();
  Write({{Day(kMonday, 0).start, "08:00"},
         {Day(kMonday, 0).stop, "16:00"},
         {Day(kMonday, 1).start, "8:20"},
         {Day(kMonday, 1).stop, "24:00"},
         {Holiday().start, "1:00"},
         {Holiday().stop, "2:00"}});
  const std::string record =
      "00"
      "00000000"
      "4020"
      "6021" +
      std::string(40, '0') + "0804";
  const auto at = [&](uint64_t ms) { return "@" + std::to_string(start + ms); };
  EXPECT_EQ(Traffic(f.CallsSince(from), true),
            (Calls{"R45" + at(0), "W45:0009" + at(200), "W46:" + record + at(400), "R45" + at(400),
                   "R46" + at(400)}));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Hex(f.node.Part(9)), record);
  EXPECT_EQ(Text(Day(kMonday, 0).start), "8:00");
  EXPECT_EQ(Text(Day(kMonday, 1).start), "8:15");  // rounded down to the quarter
  EXPECT_EQ(Text(Day(kMonday, 1).stop), "24:00");
  EXPECT_EQ(Text(kIdWrite), "Write");
  EXPECT_EQ(Text(kIdRead), "Read");

  // A week counts as a whole: a Monday with only a start and a Tuesday with only a stop pass,
  // and a stop of 0:00 passes after any start.
  EXPECT_EQ(Write({{Day(kMonday, 0).start, "8:00"}, {Day(kTuesday, 0).stop, "17:00"}}),
            (Calls{"R45",
                   "W46:00"
                   "00000000"
                   "0020"
                   "0000"
                   "4400" +
                       std::string(36, '0') + "0000",
                   "R45", "R46"}));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(WeekCalendarPage, RefusedWriteSelectsButSendsNothingAndSaysWhy) {
  Open();
  Show();
  const std::vector<uint8_t> before = f.node.Part(9);
  f.node.SetSelectedPart(3);
  // Calender 1 and the holiday, every text valid: two messages, then the total.
  EXPECT_EQ(Write({{Day(kMonday, 0).start, "8:00"}, {Holiday().start, "1:00"}}),
            (Calls{"R45", "W45:0009"}));
  EXPECT_EQ(Messages(), (Calls{kCal1, kHoliday, std::string("2") + kRefused}));
  EXPECT_EQ(f.node.Part(9), before);
  EXPECT_EQ(Text(Day(kMonday, 0).start), "8:00");  // the fields keep what was typed
  EXPECT_EQ(Text(kIdWrite), "Write");

  // All three checks, and a text that is not a time counts as 0:00 in them (it leaves Tuesday
  // of Calender 2 with a start and no stop).
  EXPECT_EQ(Write({{Day(kMonday, 0).start, "8:00"},
                   {Day(kTuesday, 1).start, "9:00"},
                   {Day(kTuesday, 1).stop, "8:0"},
                   {Holiday().stop, "3:00"}}),
            (Calls{"R45"}));
  EXPECT_EQ(Messages(), (Calls{kCal1, kCal2, kHoliday, std::string("4") + kHint}));

  // A stop before its start is counted without a message of its own.
  Write({{Day(kMonday, 0).start, "22:00"}, {Day(kMonday, 0).stop, "6:00"}});
  EXPECT_EQ(Messages(), (Calls{std::string("1") + kRefused}));
  Write({{Day(kMonday, 0).start, "22:00"}, {Day(kMonday, 0).stop, "0:00"}});
  EXPECT_EQ(Messages(), (Calls{kCal1, std::string("1") + kRefused}));
  // An invalid stop counts as 0:00: no order error, but the counts differ.
  Write({{Day(kMonday, 0).start, "22:00"}, {Day(kMonday, 0).stop, "6:0"}});
  EXPECT_EQ(Messages(), (Calls{kCal1, std::string("2") + kHint}));
  // An empty field alone: the format hint.
  Write({{Holiday().stop, ""}});
  EXPECT_EQ(Messages(), (Calls{std::string("1") + kHint}));
  Write({{Holiday().start, "24:15"}, {Holiday().stop, "8 :00"}});
  EXPECT_EQ(Messages(), (Calls{std::string("2") + kHint}));
  EXPECT_EQ(f.node.Part(9), before);
}

TEST_F(WeekCalendarPage, FailedSelectionWritesNoPart) {
  Open();
  Show();
  const std::vector<uint8_t> other = f.node.Part(3);
  f.node.SetSelectedPart(3);
  f.node.FailWrites(45);
  EXPECT_EQ(Write({{Day(kMonday, 0).start, "8:00"}, {Day(kMonday, 0).stop, "9:00"}}),
            (Calls{"R45", "W45:0009!", "R45", "W45:0009!"}));
  EXPECT_EQ(f.node.Part(3), other);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(WeekCalendarPage, DefaultAndResetChangeOnlyTheirFields) {
  Open();
  Show();
  for (const WordFields& w : kWordFields) {
    Type(w.start, "1:15");
    Type(w.stop, "2:30");
  }
  const size_t from = f.node.Log().size();
  f.driver->Click(kIdDefault);
  for (int day = 0; day < 7; ++day) {
    const bool weekday = day >= kMonday && day <= 5;
    EXPECT_EQ(Text(Day(day, 0).start), weekday ? "8:00" : "0:00") << day;
    EXPECT_EQ(Text(Day(day, 0).stop), weekday ? "16:00" : "0:00") << day;
    EXPECT_EQ(Text(Day(day, 1).start), "1:15") << day;
    EXPECT_EQ(Text(Day(day, 1).stop), "2:30") << day;
  }
  EXPECT_EQ(Text(Holiday().start), "0:00");
  EXPECT_EQ(Text(Holiday().stop), "2:30");
  f.driver->Click(kIdReset);
  for (const WordFields& w : kWordFields) {
    EXPECT_EQ(Text(w.start), "0:00");
    EXPECT_EQ(Text(w.stop), "0:00");
  }
  EXPECT_TRUE(f.CallsSince(from).empty());
}

TEST_F(WeekCalendarPage, SecondCircuitUsesPartElevenAndStateFive) {
  Open(5);
  EXPECT_EQ(Show(), (Calls{"R3", "R5", "R45", "W45:000B", "R46"}));
  EXPECT_EQ(page->TemplateId(), 205);
  EXPECT_EQ(page->Caption(), "Calender Start / Stop");
  const std::vector<uint8_t> part9 = f.node.Part(9);
  const Calls calls = Write({{Day(kSunday, 1).start, "6:00"}, {Day(kSunday, 1).stop, "7:00"}});
  EXPECT_EQ(calls.size(), 4u);
  EXPECT_EQ(Hex(f.node.Part(11)),
            "00"
            "0000"
            "1C18" +
                std::string(52, '0'));
  EXPECT_EQ(f.node.Part(9), part9);
}

// Random texts: either a consistent timetable that should be written, or any mixture.
void FillTimetable(std::mt19937& rng, fw::CPropertyPage& page) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto timeText = [&](int quarters) {
    const int minutes = quarters * 15 + (quarters < 96 ? pick(0, 14) : 0);
    char text[8];
    std::snprintf(text, sizeof text, pick(0, 1) != 0 ? "%d:%02d" : "%02d:%02d", minutes / 60,
                  minutes % 60);
    return std::string(text);
  };
  const bool consistent = pick(0, 9) < 4;
  for (const WordFields& w : kWordFields) {
    if (consistent) {
      const bool used = pick(0, 1) != 0;
      const int start = used ? pick(1, 95) : 0;
      const int stop = used ? pick(start, 96) : 0;
      page.SetItemText(w.start, timeText(start));
      page.SetItemText(w.stop, timeText(stop));
    } else {
      for (int id : {w.start, w.stop}) {
        page.SetItemText(id, pick(0, 9) < 7 ? QuarterHoursToText(static_cast<uint8_t>(pick(0, 255)))
                                            : testing_support::RandomFieldText(rng));
      }
    }
  }
}

TEST_F(WeekCalendarPage, RandomWritesSendOnlyTheWholeTimetable) {
  for (int pageIndex : {4, 5}) {
    SCOPED_TRACE(pageIndex);
    Open(pageIndex);
    const int part = pageIndex == 4 ? 9 : 11;
    std::vector<PageByte> owned = {PageByte::FixedPartByte(part, 0, 0)};
    for (int i = 1; i < 31; ++i) owned.push_back(PageByte::Part(part, i));
    testing_support::RandomWriteOptions options;
    options.seed += static_cast<uint32_t>(part);
    options.readsBeforeWrite = false;
    options.checkCalls = [part](const std::vector<sim::HostCall>& calls) {
      for (const sim::HostCall& c : calls) {
        if (c.kind != sim::HostCall::Kind::kWrite || c.index != 46) continue;
        EXPECT_EQ(c.part, part);
        ASSERT_EQ(c.bytes.size(), 31u);
        EXPECT_EQ(c.bytes[0], 0);
      }
    };
    const auto stats = testing_support::RunRandomWrites(f, *page, owned, FillTimetable, options);
    EXPECT_EQ(stats.trials, options.trials);
    EXPECT_GT(stats.withWrites, options.trials / 5);
    EXPECT_GT(stats.withoutWrites, options.trials / 5);
  }
}

}  // namespace
