// The texts of calendar times and of the node's clock.
#include "pages/clock/time_text.h"

#include <gtest/gtest.h>

#include "pages/clock/node_clock.h"

namespace {

// Calendar bytes count quarter hours; a byte from 128 up is a negative number widened to 16
// bits. Texts become quarter hours rounded down, and a text the check refuses still gives one.
TEST(TimeText, QuarterHoursAndTheirTexts) {
  const std::pair<uint8_t, const char*> shown[] = {
      {0, "0:00"},   {1, "0:15"},    {33, "8:15"},      {64, "16:00"},    {95, "23:45"},
      {96, "24:00"}, {127, "31:45"}, {128, "16352:00"}, {255, "16383:45"}};
  for (const auto& [quarters, text] : shown) EXPECT_EQ(QuarterHoursToText(quarters), text);
  const std::pair<const char*, int> taken[] = {
      {"8:00", 32},  {"08:00", 32}, {"8:14", 32}, {"8:15", 33}, {"8:20", 33},   {"23:59", 95},
      {"24:00", 96}, {"ab:cd", 0},  {"", 0},      {"7", 28},    {"1e300:00", 0}};
  for (const auto& [text, quarters] : taken) EXPECT_EQ(TextToQuarterHours(text), quarters) << text;
  for (int q = 0; q <= 96; ++q) {
    const std::string text = QuarterHoursToText(static_cast<uint8_t>(q));
    EXPECT_TRUE(IsValidTimeText(text)) << text;
    EXPECT_EQ(TextToQuarterHours(text), q) << text;
  }
}

TEST(TimeText, AcceptsHMmAndHhMmWithinTheDay) {
  for (const char* good :
       {"8:00", "08:00", "0:00", "23:59", "24:00", "9:59", "ab:cd", "+8:00", "\t8:00", "8:5x"}) {
    EXPECT_TRUE(IsValidTimeText(good)) << good;
  }
  for (const char* bad : {"",      "8:0",    "800",    "8.00",  "0800", "24:15", "24:01",   "24:30",
                          "24:0x", "25:00",  "8:60",   "-1:00", "8:-5", " 8:00", "8:00 ",   "8 :0",
                          "8: 0",  "008:00", "12:345", "1:2:3", "::00", "12345", "16383:45"}) {
    EXPECT_FALSE(IsValidTimeText(bad)) << '"' << bad << '"';
  }
}

// Bytes are signed: a negative minute also gets its "0"; the year word is unsigned.
TEST(NodeClock, TextsAndRecord) {
  const std::tuple<std::vector<uint8_t>, const char*, const char*> records[] = {
      {{0x07, 0xEA, 12, 5, 9, 5, 7}, "5/12-2026", "9:05:07"},
      {{0x07, 0xEA, 1, 1, 14, 3, 9}, "1/1-2026", "14:03:09"},
      {{0xFF, 0xFF, 0x80, 0xFF, 0xFE, 0xFB, 10}, "-1/-128-65535", "-2:0-5:10"}};
  for (const auto& [record, date, time] : records) {
    EXPECT_EQ(NodeDateText(record.data()), date);
    EXPECT_EQ(NodeTimeText(record.data()), time);
  }
  const auto last = ClockRecord(fw::LocalTime{2099, 12, 31, 23, 59, 58});
  EXPECT_EQ(std::vector<uint8_t>(last.begin(), last.end()),
            (std::vector<uint8_t>{0x08, 0x33, 12, 31, 23, 59, 58}));
  const auto turn = ClockRecord(fw::LocalTime{2100, 1, 1, 0, 0, 0});
  EXPECT_EQ(turn[0] << 8 | turn[1], 2000);  // the two-digit year cannot say 2100
}

}  // namespace
