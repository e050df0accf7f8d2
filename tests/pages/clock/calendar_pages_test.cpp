// The calendar pages of both circuits: "Calender Start / Stop" (two week calendars and the
// holiday period, one configuration part written whole) and "Calender Pir" (seven day words of
// a part, read-modify-write). Fields and bytes are written out: the page tables are under test.
#include <gtest/gtest.h>

#include <sstream>

#include "control/sheet.h"
#include "resources/dialog_set_time.h"
#include "tests/support/case_names.h"
#include "tests/support/fixture.h"

using set_time_dialog::kIdNodeDate;
using set_time_dialog::kIdNodeTime;
using testing_support::During;
using testing_support::kTimed;

namespace {

using Calls = std::vector<std::string>;
using Fields = std::vector<std::pair<int, int>>;  // start and stop field of each word

constexpr int kIdDefault = 259, kIdReset = 260, kIdState = 326, kIdOccupancy = 400;
// The last message of a refused write; with `hint`, a text was not a time.
std::string Refused(int n, bool hint = false) {
  return std::to_string(n) + " errors occured, data not written to NV" +
         (hint ? ". (Correct time format is 'H:MM' or 'HH:MM')" : "");
}

// Week calendar words 1 to 15: Sunday to Saturday, Calender 1 before Calender 2, then the
// holiday. Word k has its stop in byte 2k-1 and its start in byte 2k.
const Fields kWeek = {{240, 241}, {242, 243}, {208, 209}, {218, 219}, {220, 221},
                      {222, 223}, {224, 225}, {226, 227}, {228, 229}, {230, 231},
                      {232, 233}, {234, 235}, {236, 237}, {238, 239}, {244, 245}};
// Word k from k:00 to k:30, and its bytes (byte 0 aside).
const char* const kWeekTexts =
    "1:00 1:30 2:00 2:30 3:00 3:30 4:00 4:30 5:00 5:30 6:00 6:30 7:00 7:30 8:00 8:30 9:00 9:30 "
    "10:00 10:30 11:00 11:30 12:00 12:30 13:00 13:30 14:00 14:30 15:00 15:30";
const std::string kWeekBytes = "06040A080E0C121016141A181E1C222026242A282E2C323036343A383E3C";

// PIR days Sunday to Saturday (Monday's start field has the higher id): day d is word 2d+1,
// its stop in byte 4d+1 and its start in byte 4d+2.
const Fields kPir = {{392, 393}, {381, 380}, {382, 383}, {384, 385},
                     {386, 387}, {388, 389}, {390, 391}};

std::vector<uint8_t> FromHex(const std::string& hex) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

struct Twin {
  int page;  // in the sheet's member order
  int part;
  int32_t live;  // calendar state word, or occupancy byte
  std::string select;
};

class CalendarPage : public ::testing::TestWithParam<Twin>, public testing_support::OnePage {
 protected:
  void SetUp() override { Open(GetParam().page); }
  Calls Click(int id, bool timed = false) {
    return During(f, timed ? kTimed : 0, [&] { f.driver->Click(id); });
  }
  // Every field 0:00, then the given texts, then Write: the calls of the write.
  Calls Write(const std::vector<std::pair<int, std::string>>& texts, bool timed = false) {
    f.driver->Click(kIdReset);
    for (const auto& [id, text] : texts) f.driver->Type(id, text);
    f.platform.ClearMessages();
    return Click(kIdWrite, timed);
  }
  Calls Messages() const {
    Calls texts;
    for (const auto& m : f.platform.Messages()) {
      texts.push_back(m.request.text);
      EXPECT_EQ(m.request.flags, fw::kMbOk);
      EXPECT_FALSE(m.request.caption.has_value());
    }
    return texts;
  }
  // The texts of the fields, start and stop of each word in turn, and the reverse.
  std::string Texts(const Fields& fields) const {
    std::string texts;
    for (const auto& [start, stop] : fields) texts += " " + Text(start) + " " + Text(stop);
    return texts.substr(1);
  }
  void Fill(const Fields& fields, const std::string& texts) {
    std::istringstream in(texts);
    std::string start, stop;
    for (const auto& ids : fields) {
      in >> start >> stop;
      f.driver->Type(ids.first, start);
      f.driver->Type(ids.second, stop);
    }
  }
  std::vector<uint8_t> Part() const { return f.node.Part(GetParam().part); }
  // The live value after a tick, as the text of `id`.
  std::string After(const std::vector<uint8_t>& live, int id) {
    f.node.SetBytes(GetParam().live, live);
    f.platform.RunFor(2000);
    return Text(id);
  }
  // Each write is refused with its messages, sends `calls` only and keeps its first text.
  struct Refusal {
    std::vector<std::pair<int, std::string>> texts;
    Calls messages;
  };
  void ExpectRefused(const std::vector<Refusal>& cases, const Calls& calls) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.texts.front().second);
      EXPECT_EQ(Write(c.texts), calls);
      EXPECT_EQ(Messages(), c.messages);
      EXPECT_EQ(Text(c.texts.front().first), c.texts.front().second);
    }
  }
};

// ---- Calender Start / Stop ----

using WeekCalendarPage = CalendarPage;

TEST_P(WeekCalendarPage, ShowReadsTheTimetableAndTheTimerTheClockAndState) {
  const Twin& t = GetParam();
  const std::string state = "R" + std::to_string(t.live);
  f.node.SetPart(t.part, FromHex("55" + kWeekBytes));  // byte 0 means nothing here
  f.node.SetClock({2026, 12, 5, 9, 7, 3});
  f.node.SetBytes(t.live, {0, 2});
  EXPECT_EQ(Show(), (Calls{"R3@0", state + "@0", "R45@0", t.select + "@200", "R46@400"}));
  EXPECT_EQ(Texts(kWeek), kWeekTexts);
  EXPECT_EQ(Text(kIdNodeDate) + " " + Text(kIdNodeTime), "5/12-2026 9:07:03");
  EXPECT_EQ(Text(kIdState), "Calender2 active");

  EXPECT_EQ(During(f, kTimed, [&] { f.platform.RunFor(2000); }),
            (Calls{"R3@2000", state + "@2000"}));
  EXPECT_EQ(Text(kIdNodeTime), "9:07:05");
  // A state without a text, or a failed read, leaves the last text standing.
  const char* const texts[] = {
      "Off",           "Calender1 active", "Calender2 active", "Holiday inactive", "Holiday active",
      "Holiday active"};
  for (uint8_t word = 0; word < 6; ++word) EXPECT_EQ(After({0, word}, kIdState), texts[word]);
  EXPECT_EQ(After({1, 0}, kIdState), "Holiday active");
  f.node.FailReads(t.live);
  f.node.FailReads(3);
  EXPECT_EQ(After({0, 0}, kIdState), "Holiday active");
  EXPECT_EQ(Text(kIdNodeTime), "9:07:19");
}

TEST_P(WeekCalendarPage, ButtonsWriteTheWholePartUnreadOrOnlyTouchTheFieldsOrSayWhyNot) {
  const Twin& t = GetParam();
  f.node.SetPart(t.part, std::vector<uint8_t>(31, 0x77));
  Show();
  f.node.SetSelectedPart(3);
  f.driver->Click(kIdReset);
  Fill(kWeek, kWeekTexts);
  EXPECT_EQ(Click(kIdWrite, true), (Calls{"R45@0", t.select + "@200",
                                          "W46:00" + kWeekBytes + "@400", "R45@400", "R46@400"}));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Part(), FromHex("00" + kWeekBytes));

  // The week counts as a whole: a Monday with a start only and a Tuesday with a stop only pass.
  EXPECT_EQ(Write({{208, "08:00"}, {221, "17:00"}}),
            (Calls{"R45", "W46:0000000000002000004400" + std::string(40, '0'), "R45", "R46"}));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Text(208), "8:00");

  // A failed read leaves the fields.
  f.driver->Type(223, "7:30");
  f.node.FailReads(46);
  EXPECT_EQ(Click(kIdRead), (Calls{"R45", "R46!"}));
  EXPECT_EQ(Text(223), "7:30");

  // "Default" fills Calender 1 with a working week and clears the holiday's start.
  std::string ones;
  for (int word = 0; word < 15; ++word) ones += " 1:15 2:30";
  Fill(kWeek, ones);
  EXPECT_EQ(Click(kIdDefault), Calls{});
  EXPECT_EQ(Texts(kWeek),
            "0:00 0:00 1:15 2:30 8:00 16:00 1:15 2:30 8:00 16:00 1:15 2:30 "
            "8:00 16:00 1:15 2:30 8:00 16:00 1:15 2:30 8:00 16:00 1:15 2:30 "
            "0:00 0:00 1:15 2:30 0:00 2:30");
  EXPECT_EQ(Click(kIdReset), Calls{});  // sends nothing

  // Refused writes say why and send nothing.
  const std::string c1 = "Error in Calender 1, unequal start and stoptimes";
  const std::string c2 = "Error in Calender 2, unequal start and stoptimes";
  const std::string hol = "Error in holiday, unequal start and stoptimes";
  f.node.FailReads(46, false);
  const std::vector<uint8_t> before = Part();
  ExpectRefused({{{{208, "8:00"}, {244, "1:00"}}, {c1, hol, Refused(2)}},
                 // A text that is not a time counts as 0:00 in the checks: Tuesday of Calender 2
                 // has a start and no stop.
                 {{{208, "8:00"}, {222, "9:00"}, {223, "8:0"}, {245, "3:00"}},
                  {c1, c2, hol, Refused(4, true)}},
                 // A stop before its start is counted without a message of its own.
                 {{{208, "22:00"}, {209, "6:00"}}, {Refused(1)}},
                 {{{208, "22:00"}, {209, "0:00"}}, {c1, Refused(1)}},
                 {{{208, "22:00"}, {209, "6:0"}}, {c1, Refused(2, true)}}},
                {"R45"});
  // The part is selected before the checks; a failed selection writes no part.
  f.node.SetSelectedPart(3);
  EXPECT_EQ(Write({{208, "8:00"}}), (Calls{"R45", GetParam().select}));
  f.node.SetSelectedPart(3);
  f.node.FailWrites(45);
  const std::string failed = GetParam().select + "!";
  EXPECT_EQ(Write({}), (Calls{"R45", failed, "R45", failed}));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Part(), before);
}

// ---- Calender Pir ----

// Monday 8:00 to 16:00; the words the page does not show hold odd values, two of them (word 2
// and the holiday word 15) with a stop before their start.
const std::string kPirNode = "55000010204020AABB000001020000030400000506000007080000090A0160";

using PirCalendarPage = CalendarPage;

TEST_P(PirCalendarPage, ShowTickReadWriteOfTheDayBytesOnlyAndRefusedWrites) {
  const Twin& t = GetParam();
  f.node.SetPart(t.part, FromHex(kPirNode));
  const std::string occupancy = "R" + std::to_string(t.live);
  EXPECT_EQ(Show(), (Calls{occupancy + "@0", "R45@0", t.select + "@200", "R46@400"}));
  EXPECT_EQ(Texts(kPir), "0:00 0:00 8:00 16:00 0:00 0:00 0:00 0:00 0:00 0:00 0:00 0:00 0:00 0:00");
  EXPECT_EQ(During(f, kTimed, [&] { f.platform.RunFor(2000); }), (Calls{occupancy + "@2000"}));
  EXPECT_EQ(Text(kIdOccupancy), "occupied");
  // The occupancy byte is signed; a failed read leaves the text.
  const std::pair<uint8_t, std::string> states[] = {
      {1, "unoccupied"},      {2, "out of range"}, {0x7F, "out of range"}, {0x80, "out of range"},
      {0xFF, "out of range"}, {0, "occupied"},     {1, "unoccupied"}};
  for (const auto& [byte, text] : states) EXPECT_EQ(After({byte}, kIdOccupancy), text);
  f.node.FailReads(t.live);
  EXPECT_EQ(After({0}, kIdOccupancy), "unoccupied");
  EXPECT_EQ(Click(kIdRead), (Calls{"R45", "R46"}));

  // Another part selected: the part is read, changed in the day bytes only and read back. The
  // hidden words, stops before starts included, do not stand in the way.
  f.node.SetSelectedPart(3);
  f.driver->Click(kIdReset);
  const std::string days = "1:00 1:30 2:00 2:30 3:00 3:30 4:00 4:30 5:00 5:30 6:00 6:30 7:00 7:30";
  Fill(kPir, days);
  const std::string written = "00060410200A08AABB0E0C010212100304161405061A1807081E1C090A0160";
  EXPECT_EQ(Click(kIdWrite, true), (Calls{"R45@0", t.select + "@200", "R46@400",
                                          "W46:" + written + "@400", "R45@400", "R46@400"}));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Part(), FromHex(written));
  f.driver->Click(kIdReset);
  f.driver->Click(kIdRead);
  EXPECT_EQ(Texts(kPir), days);

  // Refused writes: the messages in order, and nothing sent beyond the read of the part.
  f.node.SetSelectedPart(t.part);
  f.node.SetPart(t.part, FromHex(kPirNode));
  f.driver->Click(kIdRead);
  const std::string unequal = "Error in PIR calender, unequal start and stoptimes";
  ExpectRefused({{{{381, "8:00"}}, {unequal, Refused(1)}},
                 // A stop before its start counts silently.
                 {{{381, "22:00"}, {380, "6:00"}}, {Refused(1)}},
                 {{{381, "22:00"}, {380, "6:00"}, {382, "8:00"}}, {unequal, Refused(2)}},
                 // An invalid text keeps the node's byte in the checks: Monday's stop stays 16:00,
                 // which balances a start of 9:00 and is before a start of 17:00.
                 {{{381, "9:00"}, {380, "x"}}, {Refused(1, true)}},
                 {{{381, "17:00"}, {380, "16:0"}}, {Refused(2, true)}}},
                {"R45", "R46"});
  // The week counts as a whole: one start on Monday and one stop on Tuesday pass.
  EXPECT_EQ(Write({{381, "8:00"}, {383, "17:00"}}).size(), 5u);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Part()[6], 32);
  EXPECT_EQ(Part()[9], 68);

  // Without the part's selection a write ends silently; a failed read leaves the fields.
  const std::vector<uint8_t> before = Part();
  f.node.FailReads(46);
  f.driver->Type(380, "7:45");
  EXPECT_EQ(Click(kIdRead), (Calls{"R45", "R46!"}));
  EXPECT_EQ(Text(380), "7:45");
  f.node.FailReads(46, false);
  f.node.SetSelectedPart(3);
  f.node.FailWrites(45);
  EXPECT_EQ(Write({{381, "bad"}}), (Calls{"R45", t.select + "!"}));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Part(), before);
}

const auto kTwinName =
    testing_support::NamedBy([](const Twin& t) { return "Part" + std::to_string(t.part); });
INSTANTIATE_TEST_SUITE_P(BothCircuits, WeekCalendarPage,
                         ::testing::Values(Twin{4, 9, 4, "W45:0009"}, Twin{5, 11, 5, "W45:000B"}),
                         kTwinName);
INSTANTIATE_TEST_SUITE_P(BothCircuits, PirCalendarPage,
                         ::testing::Values(Twin{6, 10, 10, "W45:000A"},
                                           Twin{7, 12, 11, "W45:000C"}),
                         kTwinName);

}  // namespace
