#include "pages/clock/pir_calendar_page.h"

#include <gtest/gtest.h>

#include "pages/clock/time_text.h"
#include "resources/dialog_pir_calendar.h"
#include "tests/support/fixture.h"
#include "tests/support/random_write.h"

using testing_support::NodeFixture;
using testing_support::PageByte;
using testing_support::Traffic;
using namespace pir_calendar_dialog;

namespace {

using Calls = std::vector<std::string>;

constexpr const char* kUnequal = "Error in PIR calender, unequal start and stoptimes";
constexpr const char* kRefused = " errors occured, data not written to NV";
constexpr const char* kHint =
    " errors occured, data not written to NV. (Correct time format is 'H:MM' or 'HH:MM')";

// Fields by day, written out: the template's own table is what is being tested.
constexpr int kSunStart = 392, kSunStop = 393, kMonStart = 381, kMonStop = 380, kTueStart = 382,
              kTueStop = 383, kFriStart = 388, kFriStop = 389, kSatStart = 390, kSatStop = 391;

struct Twin {
  int pageIndex;
  int templateId;
  int part;
  int32_t occupancy;
  const char* select;
};
const Twin kTwins[] = {{6, 206, 10, 10, "W45:000A"}, {7, 207, 12, 11, "W45:000C"}};

std::vector<uint8_t> FromHex(const std::string& hex) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

// The node's part: Monday 8:00 to 16:00; the words the page does not show hold odd values,
// two of them (word 2 and the holiday word 15) with a stop before their start.
const std::string kNodePart = "55000010204020AABB000001020000030400000506000007080000090A0160";

class PirCalendarPage : public ::testing::TestWithParam<Twin> {
 protected:
  void SetUp() override {
    f.OpenSheet();
    page = dynamic_cast<CPirCalendarPage*>(f.sheet->AllPages()[GetParam().pageIndex]);
    ASSERT_NE(page, nullptr);
    f.node.SetPart(GetParam().part, FromHex(kNodePart));
  }
  Calls Show(bool withTime = false) {
    const size_t from = f.node.Log().size();
    f.Show(*page);
    return Traffic(f.CallsSince(from), withTime);
  }
  Calls Click(int id, bool withTime = false) {
    const size_t from = f.node.Log().size();
    f.driver->Click(id);
    return Traffic(f.CallsSince(from), withTime);
  }
  std::string Text(int id) const { return f.driver->Text(id); }
  // Reset, then the given texts, then Write; returns the calls of the write.
  Calls Write(const std::vector<std::pair<int, std::string>>& texts, bool withTime = false) {
    f.driver->Click(kIdReset);
    for (const auto& [id, text] : texts) f.driver->Type(id, text);
    f.platform.ClearMessages();
    return Click(kIdWrite, withTime);
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& m : f.platform.Messages()) {
      texts.push_back(m.request.text);
      EXPECT_EQ(m.request.flags, fw::kMbOk);
    }
    return texts;
  }
  std::string At(uint64_t ms) const { return "@" + std::to_string(ms); }

  NodeFixture f;
  CPirCalendarPage* page = nullptr;
};

TEST_P(PirCalendarPage, TrafficOfShowTickReadAndWrite) {
  const Twin& t = GetParam();
  const std::string occ = "R" + std::to_string(t.occupancy);
  const uint64_t t0 = f.platform.TickCount();
  EXPECT_EQ(Show(true),
            (Calls{occ + At(t0), "R45" + At(t0), t.select + At(t0 + 200), "R46" + At(t0 + 400)}));
  EXPECT_EQ(page->TemplateId(), t.templateId);
  EXPECT_EQ(page->Caption(), "Calender Pir");
  // Monday's start field has the higher id.
  EXPECT_EQ(Text(kMonStart), "8:00");
  EXPECT_EQ(Text(kMonStop), "16:00");
  EXPECT_EQ(Text(kSunStart), "0:00");
  EXPECT_EQ(Text(kIdOccupancy), "occupied");

  const size_t from = f.node.Log().size();
  f.platform.RunFor(2000);
  EXPECT_EQ(Traffic(f.CallsSince(from), true), (Calls{occ + At(t0 + 2400)}));
  EXPECT_EQ(Click(kIdRead), (Calls{"R45", "R46"}));

  // A good write with another part selected: the part is read, changed in the day bytes only
  // and read back. The hidden words, stop before start included, do not stand in its way.
  f.node.SetSelectedPart(3);
  const uint64_t w0 = f.platform.TickCount();
  const std::string written = "00000010204820AABB000001020000030400000506604607080000090A0160";
  EXPECT_EQ(
      Write({{kMonStart, "08:00"}, {kMonStop, "18:00"}, {kFriStart, "17:35"}, {kFriStop, "24:00"}},
            true),
      (Calls{"R45" + At(w0), t.select + At(w0 + 200), "R46" + At(w0 + 400),
             "W46:" + written + At(w0 + 400), "R45" + At(w0 + 400), "R46" + At(w0 + 400)}));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(f.node.Part(t.part), FromHex(written));
  EXPECT_EQ(Text(kFriStart), "17:30");  // rounded down to the quarter
  EXPECT_EQ(Text(kIdWrite), "Write");
  EXPECT_EQ(Text(kIdRead), "Read");
}

TEST_P(PirCalendarPage, OccupancyTexts) {
  Show();
  const std::pair<uint8_t, const char*> states[] = {
      {0, "occupied"},        {1, "unoccupied"},      {2, "out of range"},    {3, "out of range"},
      {0x7F, "out of range"}, {0x80, "out of range"}, {0xFF, "out of range"}, {1, "unoccupied"}};
  for (const auto& [byte, text] : states) {
    f.node.SetBytes(GetParam().occupancy, {byte});
    f.platform.RunFor(2000);
    EXPECT_EQ(Text(kIdOccupancy), text) << int{byte};
  }
  f.node.SetBytes(GetParam().occupancy, {0});
  f.node.FailReads(GetParam().occupancy);
  f.platform.RunFor(2000);
  EXPECT_EQ(Text(kIdOccupancy), "unoccupied");
}

// Refused writes: the messages in order, and nothing sent beyond the read of the part.
TEST_P(PirCalendarPage, RefusedWritesSayWhyInOrder) {
  struct Case {
    std::vector<std::pair<int, std::string>> texts;
    Calls messages;
  };
  const std::string one = std::string("1") + kRefused;
  const Case cases[] = {
      // A start without a stop anywhere in the week.
      {{{kMonStart, "8:00"}}, {kUnequal, one}},
      // A stop before its start counts silently.
      {{{kMonStart, "22:00"}, {kMonStop, "6:00"}}, {one}},
      {{{kMonStart, "22:00"}, {kMonStop, "6:00"}, {kTueStart, "8:00"}},
       {kUnequal, std::string("2") + kRefused}},
      // An invalid text keeps the node's byte in the checks: Monday's stop stays 16:00, which
      // balances a start of 9:00 and is before a start of 17:00.
      {{{kMonStart, "9:00"}, {kMonStop, "x"}}, {std::string("1") + kHint}},
      {{{kMonStart, "17:00"}, {kMonStop, "16:0"}}, {std::string("2") + kHint}},
      {{{kSunStop, ""}}, {std::string("1") + kHint}},
      {{{kSatStart, "24:15"}, {kSatStop, "8 :00"}}, {std::string("2") + kHint}},
  };
  Show();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.texts.front().second);
    EXPECT_EQ(Write(c.texts), (Calls{"R45", "R46"}));
    EXPECT_EQ(Messages(), c.messages);
    EXPECT_EQ(Text(c.texts.front().first), c.texts.front().second);  // kept to be corrected
    EXPECT_EQ(f.node.Part(GetParam().part), FromHex(kNodePart));
    EXPECT_EQ(Text(kIdWrite), "Write");
  }
  // The week counts as a whole: one start on Monday and one stop on Tuesday pass.
  EXPECT_EQ(Write({{kMonStart, "8:00"}, {kTueStop, "17:00"}}).size(), 5u);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(f.node.Part(GetParam().part)[6], 32);
  EXPECT_EQ(f.node.Part(GetParam().part)[9], 68);
}

TEST_P(PirCalendarPage, WithoutThePartAWriteEndsSilently) {
  Show();
  f.node.FailReads(46);
  EXPECT_EQ(Write({{kMonStart, "bad"}}), (Calls{"R45", "R46!"}));
  f.node.FailReads(46, false);
  f.node.SetSelectedPart(3);
  f.node.FailWrites(45);
  EXPECT_EQ(Write({{kMonStart, "bad"}}), (Calls{"R45", std::string(GetParam().select) + "!"}));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Text(kIdWrite), "Write");
  EXPECT_EQ(f.node.Part(GetParam().part), FromHex(kNodePart));

  // A failed read leaves the fields.
  f.node.FailWrites(45, false);
  f.node.FailReads(46);
  f.driver->Type(kMonStop, "7:45");
  Click(kIdRead);
  EXPECT_EQ(Text(kMonStop), "7:45");
}

// Random texts: either a consistent week, or any mixture.
void FillDays(std::mt19937& rng, fw::CPropertyPage& page) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const bool consistent = pick(0, 9) < 4;
  for (const DayFields& d : kDayFields) {
    if (consistent) {
      const int start = pick(0, 1) != 0 ? pick(1, 95) : 0;
      page.SetItemText(d.start, QuarterHoursToText(static_cast<uint8_t>(start)));
      page.SetItemText(d.stop,
                       QuarterHoursToText(static_cast<uint8_t>(start ? pick(start, 96) : 0)));
    } else {
      for (int id : {d.start, d.stop}) {
        page.SetItemText(id, pick(0, 9) < 7 ? QuarterHoursToText(static_cast<uint8_t>(pick(0, 96)))
                                            : testing_support::RandomFieldText(rng));
      }
    }
  }
}

TEST_P(PirCalendarPage, RandomWritesChangeOnlyTheDayBytes) {
  const int part = GetParam().part;
  std::vector<PageByte> owned = {PageByte::FixedPartByte(part, 0, 0)};
  for (int day = 0; day < 7; ++day) {
    owned.push_back(PageByte::Part(part, 4 * day + 1));
    owned.push_back(PageByte::Part(part, 4 * day + 2));
  }
  testing_support::RandomWriteOptions options;
  options.seed += static_cast<uint32_t>(part);
  options.checkCalls = [part](const std::vector<sim::HostCall>& calls) {
    for (const sim::HostCall& c : calls) {
      if (c.kind == sim::HostCall::Kind::kWrite && c.index == 46) {
        EXPECT_EQ(c.part, part);
      }
    }
  };
  const auto stats = testing_support::RunRandomWrites(f, *page, owned, FillDays, options);
  EXPECT_EQ(stats.trials, options.trials);
  EXPECT_GT(stats.withWrites, options.trials / 5);
  EXPECT_GT(stats.withoutWrites, options.trials / 5);
  EXPECT_GT(stats.withFailedReads, 20);
}

INSTANTIATE_TEST_SUITE_P(BothCircuits, PirCalendarPage, ::testing::ValuesIn(kTwins),
                         [](const auto& info) { return "Page" + std::to_string(info.param.part); });

}  // namespace
