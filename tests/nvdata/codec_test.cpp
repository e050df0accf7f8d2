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

// A comma is no decimal point, an exponent without digits is not taken, and there are no
// hexadecimal numbers and no words for infinity or NaN. Fixed texts round ties away from zero
// (0.15 is stored just below 0.15: no tie); truncation is toward zero, else indefinite.
TEST(NumberText, ParsesFormatsAndTruncates) {
  const std::pair<const char*, double> parsed[] = {
      {" -2.5x", -2.5}, {".5", 0.5}, {"2E-2", 0.02}, {"1e999", kInf}, {"\t\n 12,5", 12},
      {"1e+", 1.0},     {"-.e5", 0}, {"0x10", 0.0},  {"inf", 0.0},    {"nan", 0.0}};
  for (const auto& [text, value] : parsed) EXPECT_DOUBLE_EQ(Atof(text), value) << text;
  const std::pair<std::string, const char*> shown[] = {
      {FormatFixed0(-2.5), "-3"},        {FormatFixed0(2.4999), "2"},
      {FormatFixed0(kNaN), "nan"},       {FormatFixed1(-0.25), "-0.3"},
      {FormatFixed1(0.15), "0.1"},       {FormatFixed1(19.98), "20.0"},
      {FormatFixed1(-555.35), "-555.4"}, {FormatFixed1(1e20), "100000000000000000000.0"}};
  for (const auto& [text, expected] : shown) EXPECT_EQ(text, expected);
  EXPECT_EQ(TruncToInt32(-1.9), -1);
  EXPECT_EQ(TruncToInt32(2147483647.9), 2147483647);
  for (double v : {-2147483648.9, 2147483648.0, kNaN, -kInf}) {
    EXPECT_EQ(TruncToInt32(v), kIndefinite) << v;
  }
}

template <uint8_t (*High)(double), uint8_t (*Low)(double)>
int Word(double v) {
  return High(v) << 8 | Low(v);
}

// Truncation is exact in decimal: 100 x 19.99 and 100 x 1.15 are just below 1999 and 115 in
// binary, yet typed 19.99 and 1.15 mean those hundredths; 21.579 is still cut, and toward zero:
// -1.9 hundredths is -1. Out of the 32-bit range the conversion gives 0x80000000.
TEST(NvCodec, EncodersCutExactlyInDecimalAndKeepTheLowSixteenBits) {
  using Rows = std::vector<std::pair<double, int>>;
  const Rows hundredths = {{-5.5, 0xFDDA}, {19.99, 1999},    {1.15, 115},
                           {21.579, 2157}, {-0.019, 0xFFFF}, {-555.35, 0x2711}};
  const Rows whole = {{70000, 0x1170}, {-200, 0xFF38}, {1e12, 0}};
  for (const auto& [encode, rows] :
       {std::pair{Word<CNvCodec::HundredthsHigh, CNvCodec::HundredthsLow>, hundredths},
        {Word<CNvCodec::TenthsHigh, CNvCodec::TenthsLow>, Rows{{1.15, 11}}},
        {Word<CNvCodec::WholeHigh, CNvCodec::WholeLow>, whole}}) {
    for (const auto& [value, stored] : rows) EXPECT_EQ(encode(value), stored) << value;
  }
  EXPECT_EQ(CNvCodec::HalfToByte(127.5), 255);
  EXPECT_EQ(CNvCodec::HalfToByte(-0.5), 0xFF);
}

// Temperatures in hundredths, words above 10000 negative; shown exactly as on x86_64 also on the
// 32-bit build: 80-bit x87 intermediates would show the one-decimal ties as 68.3 and -68.3, and
// put -200.00 a hair below the sensor limit.
TEST(NvCodec, Decoders) {
  const std::pair<int, const char*> shown[] = {{0x2710, "100.0"}, {0x2711, "-555.4"},
                                               {0xFDDA, "-5.5"},  {6835, "68.4"},
                                               {58701, "-68.4"},  {0xB1E0, "-200.0"}};
  for (const auto& [word, text] : shown) {
    EXPECT_EQ(FormatFixed1(CNvCodec::WordToTemp(word >> 8, word & 0xFF)), text) << word;
  }
  EXPECT_EQ(CNvCodec::WordToTemp(0xB1, 0xE0), -200.0);
  EXPECT_DOUBLE_EQ(CNvCodec::WordToTemp(0xFF, 0xFF), -0.01);
  EXPECT_DOUBLE_EQ(CNvCodec::ByteToHalf(0xFF), 127.5);  // 255 half steps, not -1
}

// No typed number wraps: it is clamped to the nearest value that reads back as itself (200 %
// would store 72 %, -3 hours 65533, 70000 hours 4464, 100.5 degrees read back -554.86).
TEST(TypedValue, ClampsToWhatReadsBackAsItself) {
  const struct {
    double typed;
    TypedRange range;
    double stored;
  } cases[] = {{200.0, kPercentHalfRange, 100.0}, {-3.0, kWordRange, 0.0},
               {70000.0, kWordRange, 65535.0},    {100.5, kTempRange, 100.0},
               {-600.0, kTempRange, -555.35},     {-12.34, kTempRange, -12.34},
               {kInf, kTenthsWordRange, 6553.5},  {kNaN, kSignedByteRange, 0.0},
               {-300.0, kSignedByteRange, -128.0}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(ClampTyped(c.typed, c.range), c.stored) << c.typed;
}

}  // namespace
