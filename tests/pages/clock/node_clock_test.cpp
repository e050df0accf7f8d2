#include "pages/clock/node_clock.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(NodeClock, DateHasNoPaddingAndNoTrailingSpace) {
  const uint8_t record[7] = {0x07, 0xEA, 12, 5, 9, 5, 7};
  EXPECT_EQ(NodeDateText(record), "5/12-2026");
  EXPECT_EQ(NodeTimeText(record), "9:05:07");
}

TEST(NodeClock, TimePadsMinutesAndSecondsOnly) {
  const uint8_t afternoon[7] = {0x07, 0xEA, 1, 1, 14, 3, 9};
  EXPECT_EQ(NodeTimeText(afternoon), "14:03:09");
  const uint8_t morning[7] = {0x07, 0xEA, 1, 1, 7, 0, 0};
  EXPECT_EQ(NodeTimeText(morning), "7:00:00");
  // Bytes are signed: a negative minute also gets its "0", a year word is unsigned.
  const uint8_t odd[7] = {0xFF, 0xFF, 0x80, 0xFF, 0xFE, 0xFB, 10};
  EXPECT_EQ(NodeDateText(odd), "-1/-128-65535");
  EXPECT_EQ(NodeTimeText(odd), "-2:0-5:10");
}

TEST(NodeClock, RecordTakesTheYearFromItsLastTwoDigits) {
  const auto last = ClockRecord(fw::LocalTime{2099, 12, 31, 23, 59, 58});
  EXPECT_EQ(std::vector<uint8_t>(last.begin(), last.end()),
            (std::vector<uint8_t>{0x08, 0x33, 12, 31, 23, 59, 58}));
  const auto turn = ClockRecord(fw::LocalTime{2100, 1, 1, 0, 0, 0});
  EXPECT_EQ(turn[0], 0x07);  // 2000: the two-digit year cannot say 2100
  EXPECT_EQ(turn[1], 0xD0);
}

}  // namespace
