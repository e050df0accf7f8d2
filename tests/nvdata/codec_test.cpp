// The node's number formats: texts to numbers and back, numbers to bytes and back, and the
// clamps of typed numbers.
#include <gtest/gtest.h>

#include <limits>

#include "nvdata/number_text.h"
#include "nvdata/nv_codec.h"
#include "nvdata/typed_value.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int32_t kIndefinite = std::numeric_limits<int32_t>::min();

TEST(NumberText, AtofTakesTheLeadingDecimalNumberOnly) {
  const std::pair<const char*, double> cases[] = {
      {"1e3", 1000.0},
      {" -2.5x", -2.5},
      {".5", 0.5},
      {"5.", 5.0},
      {"+7", 7.0},
      {"2E-2", 0.02},
      {"1e-999", 0.0},
      {"1e999", kInf},
      {"-1e999", -kInf},
      {"\t\n 12,5", 12},  // a comma is not a decimal point
      {"1e", 1.0},
      {"1e+", 1.0},  // an exponent without digits is not taken
      {"abc", 0.0},
      {"", 0.0},
      {"-", 0.0},
      {".", 0.0},
      {"-.e5", 0.0},
      // No hexadecimal, no words for infinity or NaN.
      {"0x10", 0.0},
      {"inf", 0.0},
      {"nan", 0.0},
      {"infinity", 0.0}};
  for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(Atof(text), value) << '"' << text << '"';
}

TEST(NumberText, FixedTextsRoundTiesAwayFromZero) {
  const std::tuple<double, int, const char*> cases[] = {{0.5, 0, "1"},
                                                        {2.5, 0, "3"},
                                                        {-2.5, 0, "-3"},
                                                        {2.4999, 0, "2"},
                                                        {0.25, 1, "0.3"},
                                                        {-0.25, 1, "-0.3"},
                                                        {1.125, 1, "1.1"},
                                                        {0.15, 1, "0.1"},  // below
                                                        {-555.35, 1, "-555.4"},
                                                        {19.98, 1, "20.0"},
                                                        {65535, 0, "65535"},
                                                        {-128, 0, "-128"},
                                                        {1e20, 1, "100000000000000000000.0"},
                                                        {kNaN, 0, "nan"},
                                                        {kInf, 1, "inf"},
                                                        {-kInf, 0, "-inf"}};
  for (const auto& [value, decimals, text] : cases) {
    EXPECT_EQ(decimals == 0 ? FormatFixed0(value) : FormatFixed1(value), text) << value;
  }
}

TEST(NumberText, TruncationCutsTowardZeroAndIsIndefiniteOutOfRange) {
  const std::pair<double, int32_t> cases[] = {{1.9, 1},
                                              {-1.9, -1},
                                              {2147483647.9, 2147483647},
                                              {-2147483648.9, kIndefinite},
                                              {2147483648.0, kIndefinite},
                                              {-2147483649.0, kIndefinite},
                                              {1e300, kIndefinite},
                                              {kNaN, kIndefinite},
                                              {kInf, kIndefinite},
                                              {-kInf, kIndefinite}};
  for (const auto& [value, whole] : cases) EXPECT_EQ(TruncToInt32(value), whole) << value;
}

int Hundredths(double v) {
  return CNvCodec::HundredthsHigh(v) << 8 | CNvCodec::HundredthsLow(v);
}
int Tenths(double v) {
  return CNvCodec::TenthsHigh(v) << 8 | CNvCodec::TenthsLow(v);
}
int Whole(double v) {
  return CNvCodec::WholeHigh(v) << 8 | CNvCodec::WholeLow(v);
}
int Half(double v) {
  return CNvCodec::HalfToByte(v);
}

TEST(NvCodec, EncodersCutExactlyInDecimalAndKeepTheLowSixteenBits) {
  const struct {
    int (*encode)(double);
    double value;
    int stored;
  } cases[] = {{Hundredths, -5.5, 0xFDDA},
               // 100 x 19.99 and 100 x 1.15 are just below 1999 and 115 in binary; 21.579 is cut.
               {Hundredths, 19.99, 1999},
               {Hundredths, 1.15, 115},
               {Hundredths, 21.579, 2157},
               {Hundredths, 19.987, 1998},
               {Hundredths, 0.29, 29},
               {Hundredths, -0.29, 0xFFE3},
               {Hundredths, -0.019, 0xFFFF},  // toward zero: -1.9 hundredths is -1
               {Hundredths, 100.0, 0x2710},
               {Hundredths, -555.35, 0x2711},
               {Tenths, 1.15, 11},
               {Tenths, 0.7, 7},
               {Tenths, 2.3, 23},
               {Whole, 70000, 0x1170},
               {Whole, -200, 0xFF38},
               {Whole, 65336, 0xFF38},
               {Whole, 1.9, 1},
               {Whole, 1e12, 0},  // 0x80000000 out of the 32-bit range
               {Half, 12.75, 25},
               {Half, 127.5, 255},
               {Half, -0.5, 0xFF}};
  for (const auto& c : cases) EXPECT_EQ(c.encode(c.value), c.stored) << c.value;
  EXPECT_EQ(CNvCodec::HighByte(-1), 0xFF);
  EXPECT_EQ(CNvCodec::LowByte(0x1234), 0x34);
}

TEST(NvCodec, Decoders) {
  // Temperatures in hundredths: words above 10000 are negative.
  const std::pair<int, double> temps[] = {{0x2710, 100.0}, {0x2711, -555.35}, {0xFDDA, -5.5},
                                          {0xFFFF, -0.01}, {0x0000, 0.0},     {0x07CF, 19.99}};
  for (const auto& [word, temp] : temps) {
    EXPECT_DOUBLE_EQ(CNvCodec::WordToTemp(word >> 8, word & 0xFF), temp) << word;
  }
  EXPECT_EQ(CNvCodec::MakeWord(0xFF, 0xFF), 65535);
  EXPECT_EQ(CNvCodec::MakeWord(0x01, 0x02), 258);
  EXPECT_DOUBLE_EQ(CNvCodec::WordDiv10(0x00, 0xEF), 23.0);  // 239 tenths shown whole
  EXPECT_EQ(CNvCodec::SignedByte(0x80), -128);
  EXPECT_EQ(CNvCodec::SignedByte(0x7F), 127);
  EXPECT_DOUBLE_EQ(CNvCodec::ByteToHalf(0xFF), 127.5);  // 255 half steps, not -1
  EXPECT_NEAR(CNvCodec::WordToLevPercent(0xFF, 0xFF), 327.675, 1e-9);
}

TEST(NvBitCodec, BitsCountFromTheMostSignificant) {
  EXPECT_EQ(CNvBitCodec::ReverseBits(0xA0), 0x05);
  for (int n = 0; n < 8; ++n) {
    const uint8_t mask = static_cast<uint8_t>(0x80 >> n);
    EXPECT_EQ(CNvBitCodec::SetBit(0, n), mask) << n;
    EXPECT_EQ(CNvBitCodec::ClearBit(0xFF, n), static_cast<uint8_t>(~mask)) << n;
    for (int m = 0; m < 8; ++m) EXPECT_EQ(CNvBitCodec::TestBit(mask, m), m == n ? 1 : 0);
    EXPECT_EQ(CNvBitCodec::ReverseBits(mask), 1 << n) << n;
  }
}

// No typed number wraps: it is clamped to the nearest value that reads back as itself.
TEST(TypedValue, ClampsToWhatReadsBackAsItself) {
  const struct {
    double typed;
    TypedRange range;
    double stored;
  } cases[] = {{200.0, kPercentHalfRange, 100.0},  // not 400 half steps cut to 144 = 72 %
               {-3.0, kWordRange, 0.0},            // not 65533
               {70000.0, kWordRange, 65535.0},     // not 4464
               {100.5, kTempRange, 100.0},         // not 10050, which reads back -554.86
               {-600.0, kTempRange, -555.35},     {-12.34, kTempRange, -12.34},
               {kInf, kTenthsWordRange, 6553.5},  {-kInf, kHalfByteRange, 0.0},
               {kNaN, kSignedByteRange, 0.0},     {300.0, kByteRange, 255.0},
               {-300.0, kSignedByteRange, -128.0}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(ClampTyped(c.typed, c.range), c.stored) << c.typed;
}

}  // namespace
