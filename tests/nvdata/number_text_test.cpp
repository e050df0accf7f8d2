#include "nvdata/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(Atof, TakesTheLeadingNumberOnly) {
  EXPECT_DOUBLE_EQ(Atof("1e3"), 1000.0);
  EXPECT_DOUBLE_EQ(Atof(" -2.5x"), -2.5);
  EXPECT_DOUBLE_EQ(Atof(".5"), 0.5);
  EXPECT_DOUBLE_EQ(Atof("5."), 5.0);
  EXPECT_DOUBLE_EQ(Atof("+7"), 7.0);
  EXPECT_DOUBLE_EQ(Atof("\t\n 12,5"), 12.0);  // a comma is not a decimal point
  EXPECT_DOUBLE_EQ(Atof("1e"), 1.0);          // an exponent without digits is not taken
  EXPECT_DOUBLE_EQ(Atof("1e+"), 1.0);
  EXPECT_DOUBLE_EQ(Atof("2E-2"), 0.02);
  EXPECT_DOUBLE_EQ(Atof("65336"), 65336.0);
}

TEST(Atof, TextWithoutANumberIsZero) {
  EXPECT_EQ(Atof("abc"), 0.0);
  EXPECT_EQ(Atof(""), 0.0);
  EXPECT_EQ(Atof("-"), 0.0);
  EXPECT_EQ(Atof("."), 0.0);
  EXPECT_EQ(Atof("-.e5"), 0.0);
  // No hexadecimal, no infinity or NaN words: only the leading "0" of "0x10" is a number.
  EXPECT_EQ(Atof("0x10"), 0.0);
  EXPECT_EQ(Atof("inf"), 0.0);
  EXPECT_EQ(Atof("nan"), 0.0);
  EXPECT_EQ(Atof("infinity"), 0.0);
}

TEST(Atof, OutOfRangeExponents) {
  EXPECT_TRUE(std::isinf(Atof("1e999")));
  EXPECT_LT(Atof("-1e999"), 0.0);
  EXPECT_EQ(Atof("1e-999"), 0.0);
}

TEST(FormatFixed, TiesGoAwayFromZero) {
  EXPECT_EQ(FormatFixed0(0.5), "1");
  EXPECT_EQ(FormatFixed0(1.5), "2");
  EXPECT_EQ(FormatFixed0(2.5), "3");
  EXPECT_EQ(FormatFixed0(-2.5), "-3");
  EXPECT_EQ(FormatFixed0(2.4999), "2");
  EXPECT_EQ(FormatFixed1(0.25), "0.3");
  EXPECT_EQ(FormatFixed1(0.75), "0.8");
  EXPECT_EQ(FormatFixed1(-0.25), "-0.3");
  EXPECT_EQ(FormatFixed1(1.125), "1.1");  // not a tie at one decimal
  // 0.15 is stored just below 0.15, so it is no tie.
  EXPECT_EQ(FormatFixed1(0.15), "0.1");
  // Decoded temperatures print as the engineer expects.
  EXPECT_EQ(FormatFixed1(-555.35), "-555.4");
  EXPECT_EQ(FormatFixed1(19.98), "20.0");
  EXPECT_EQ(FormatFixed0(65535), "65535");
  EXPECT_EQ(FormatFixed0(-128), "-128");
  EXPECT_EQ(FormatFixed1(1e20), "100000000000000000000.0");
}

TEST(FormatFixed, NonFiniteValuesHaveFixedTexts) {
  EXPECT_EQ(FormatFixed0(std::numeric_limits<double>::quiet_NaN()), "nan");
  EXPECT_EQ(FormatFixed1(std::numeric_limits<double>::infinity()), "inf");
  EXPECT_EQ(FormatFixed0(-std::numeric_limits<double>::infinity()), "-inf");
}

TEST(TruncToInt32, CutsTowardZeroAndGivesIndefiniteOutOfRange) {
  EXPECT_EQ(TruncToInt32(1.9), 1);
  EXPECT_EQ(TruncToInt32(-1.9), -1);
  EXPECT_EQ(TruncToInt32(2147483647.9), 2147483647);
  EXPECT_EQ(TruncToInt32(-2147483648.9), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(TruncToInt32(2147483648.0), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(TruncToInt32(-2147483649.0), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(TruncToInt32(1e300), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(TruncToInt32(std::numeric_limits<double>::quiet_NaN()),
            std::numeric_limits<int32_t>::min());
  EXPECT_EQ(TruncToInt32(std::numeric_limits<double>::infinity()),
            std::numeric_limits<int32_t>::min());
  EXPECT_EQ(TruncToInt32(-std::numeric_limits<double>::infinity()),
            std::numeric_limits<int32_t>::min());
}

TEST(ExportTexts, DateAndTimeOfTheTimestampLine) {
  const fw::LocalTime t{2026, 12, 5, 9, 5, 7};
  EXPECT_EQ(FormatExportDate(t), "5/12-2026 ");
  EXPECT_EQ(FormatExportTime(t), "9:05:07");
  EXPECT_EQ("- " + FormatExportDate(t) + " " + FormatExportTime(t), "- 5/12-2026  9:05:07");
  EXPECT_EQ(FormatExportDate({2099, 1, 31, 0, 0, 0}), "31/1-2099 ");
  EXPECT_EQ(FormatExportTime({2000, 1, 1, 23, 59, 10}), "23:59:10");
  EXPECT_EQ(FormatExportTime({2000, 1, 1, 0, 0, 0}), "0:00:00");
}
