#include "pages/clock/time_text.h"

#include <gtest/gtest.h>

namespace {

TEST(TimeText, QuarterHoursShowAsHoursAndTwoDigitMinutes) {
  EXPECT_EQ(QuarterHoursToText(0), "0:00");
  EXPECT_EQ(QuarterHoursToText(1), "0:15");
  EXPECT_EQ(QuarterHoursToText(33), "8:15");
  EXPECT_EQ(QuarterHoursToText(64), "16:00");
  EXPECT_EQ(QuarterHoursToText(95), "23:45");
  EXPECT_EQ(QuarterHoursToText(96), "24:00");
  EXPECT_EQ(QuarterHoursToText(127), "31:45");
  // A byte from 128 up is a negative number widened to 16 bits.
  EXPECT_EQ(QuarterHoursToText(128), "16352:00");
  EXPECT_EQ(QuarterHoursToText(255), "16383:45");
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

TEST(TimeText, TextsBecomeQuarterHoursRoundedDown) {
  EXPECT_EQ(TextToQuarterHours("8:00"), 32);
  EXPECT_EQ(TextToQuarterHours("08:00"), 32);
  EXPECT_EQ(TextToQuarterHours("8:14"), 32);
  EXPECT_EQ(TextToQuarterHours("8:15"), 33);
  EXPECT_EQ(TextToQuarterHours("8:20"), 33);
  EXPECT_EQ(TextToQuarterHours("23:59"), 95);
  EXPECT_EQ(TextToQuarterHours("24:00"), 96);
  EXPECT_EQ(TextToQuarterHours("ab:cd"), 0);
  // Texts the check refuses still give a byte, and no text crashes it.
  EXPECT_EQ(TextToQuarterHours(""), 0);
  EXPECT_EQ(TextToQuarterHours("7"), 28);
  EXPECT_EQ(TextToQuarterHours("1e300:00"), 0);
}

TEST(TimeText, EveryQuarterOfTheDayRoundTrips) {
  for (int q = 0; q <= 96; ++q) {
    const std::string text = QuarterHoursToText(static_cast<uint8_t>(q));
    EXPECT_TRUE(IsValidTimeText(text)) << text;
    EXPECT_EQ(TextToQuarterHours(text), q) << text;
  }
}

}  // namespace
