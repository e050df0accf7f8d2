// The texts of calendar times and of the node's clock.
#include "pages/clock/time_text.h"

#include <gtest/gtest.h>

#include "pages/clock/node_clock.h"

namespace {

// Calendar bytes count quarter hours; a byte from 128 up is a negative number widened to 16
// bits. Texts become quarter hours rounded down, and a text the check refuses still gives one.
TEST(TimeText, QuarterHoursTheirTextsAndWhichTextsAreTimes) {
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
  // Accepted: H:MM and HH:MM within the day.
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

// Bytes are signed: a negative minute also gets its "0"; the year word is unsigned. Plain
// dates and times are shown by the clock pages.
TEST(NodeClock, TextsAndRecord) {
  const uint8_t record[] = {0xFF, 0xFF, 0x80, 0xFF, 0xFE, 0xFB, 10};
  EXPECT_EQ(NodeDateText(record), "-1/-128-65535");
  EXPECT_EQ(NodeTimeText(record), "-2:0-5:10");
  const auto turn = ClockRecord(fw::LocalTime{2100, 1, 1, 0, 0, 0});
  EXPECT_EQ(turn[0] << 8 | turn[1], 2000);  // the two-digit year cannot say 2100
}

}  // namespace
