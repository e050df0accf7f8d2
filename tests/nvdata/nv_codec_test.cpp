#include "nvdata/nv_codec.h"
#include "nvdata/typed_value.h"

#include <gtest/gtest.h>

TEST(NvCodec, WordToTempTurnsNegativeAboveTenThousand) {
  // 0x2710 = 10000 is the highest positive word: 100.00 degrees.
  EXPECT_DOUBLE_EQ(CNvCodec::WordToTemp(0x27, 0x10), 100.00);
  // 0x2711 = 10001 -> 10001 - 65536 = -55535 hundredths.
  EXPECT_DOUBLE_EQ(CNvCodec::WordToTemp(0x27, 0x11), -555.35);
  // 0xFDDA = 64986 -> 64986 - 65536 = -550 hundredths.
  EXPECT_DOUBLE_EQ(CNvCodec::WordToTemp(0xFD, 0xDA), -5.50);
  EXPECT_DOUBLE_EQ(CNvCodec::WordToTemp(0xFF, 0xFF), -0.01);
  EXPECT_DOUBLE_EQ(CNvCodec::WordToTemp(0x00, 0x00), 0.0);
}

TEST(NvCodec, HundredthsEncodeTwosComplementAndTruncate) {
  // -5.5 * 100 = -550 = 0xFDDA in 16-bit two's complement.
  EXPECT_EQ(CNvCodec::HundredthsHigh(-5.5), 0xFD);
  EXPECT_EQ(CNvCodec::HundredthsLow(-5.5), 0xDA);
  // 19.99 * 100 = 1998.9999... in double precision, yet stored as 1999 = 0x07CF: reads back
  // 19.99, not 19.98. 19.987 is still cut to 1998.
  EXPECT_EQ(CNvCodec::HundredthsHigh(19.99), 0x07);
  EXPECT_EQ(CNvCodec::HundredthsLow(19.99), 0xCF);
  EXPECT_DOUBLE_EQ(CNvCodec::WordToTemp(0x07, 0xCF), 19.99);
  EXPECT_EQ(CNvCodec::HundredthsLow(19.987), 0xCE);
  // 1.15 * 100 = 114.99999999999999 in binary, yet 1.15 typed means 115 hundredths: the
  // truncation is exact in decimal. 21.579 -> 2157.8999... is still cut to 2157 = 0x086D.
  EXPECT_EQ(CNvCodec::HundredthsLow(1.15), 115);
  EXPECT_EQ(CNvCodec::HundredthsHigh(1.15), 0);
  EXPECT_EQ(CNvCodec::HundredthsHigh(21.579), 0x08);
  EXPECT_EQ(CNvCodec::HundredthsLow(21.579), 0x6D);
  EXPECT_EQ(CNvCodec::TenthsLow(1.15), 11);
  EXPECT_EQ(CNvCodec::TenthsLow(0.7), 7);           // 10 x 0.7 = 7.000000000000001
  EXPECT_EQ(CNvCodec::HundredthsLow(0.29), 29);     // 100 x 0.29 = 28.999999999999996
  EXPECT_EQ(CNvCodec::HundredthsLow(-0.29), 0xE3);  // -29
  // Truncation is toward zero for negatives too: -0.019 * 100 = -1.9 -> -1 = 0xFFFF.
  EXPECT_EQ(CNvCodec::HundredthsHigh(-0.019), 0xFF);
  EXPECT_EQ(CNvCodec::HundredthsLow(-0.019), 0xFF);
}

TEST(NvCodec, TenthsWholeAndHalfSteps) {
  // 2.3 * 10 = 23 on the 0.1 scale.
  EXPECT_EQ(CNvCodec::TenthsHigh(2.3), 0);
  EXPECT_EQ(CNvCodec::TenthsLow(2.3), 23);
  // 70000 keeps its low 16 bits: 0x11170 -> 0x11 0x70.
  EXPECT_EQ(CNvCodec::WholeHigh(70000), 0x11);
  EXPECT_EQ(CNvCodec::WholeLow(70000), 0x70);
  // -200 -> 0xFF38, the same bytes as 65336.
  EXPECT_EQ(CNvCodec::WholeHigh(-200), 0xFF);
  EXPECT_EQ(CNvCodec::WholeLow(-200), 0x38);
  EXPECT_EQ(CNvCodec::WholeLow(65336), 0x38);
  // 1.9 is cut to 1.
  EXPECT_EQ(CNvCodec::WholeLow(1.9), 1);
  // Half steps: 12.75 * 2 = 25.5 -> 25; 127.5 -> 255; -0.5 -> -1 -> 0xFF.
  EXPECT_EQ(CNvCodec::HalfToByte(12.75), 25);
  EXPECT_EQ(CNvCodec::HalfToByte(127.5), 255);
  EXPECT_EQ(CNvCodec::HalfToByte(-0.5), 0xFF);
  // Out of the 32-bit range the x86 conversion gives 0x80000000: low bytes 0.
  EXPECT_EQ(CNvCodec::WholeHigh(1e12), 0);
  EXPECT_EQ(CNvCodec::WholeLow(1e12), 0);
}

TEST(NvCodec, DecodersOfWordsAndBytes) {
  EXPECT_EQ(CNvCodec::MakeWord(0xFF, 0xFF), 65535);
  EXPECT_EQ(CNvCodec::MakeWord(0x01, 0x02), 258);
  // 239 / 10 drops the 0.9.
  EXPECT_DOUBLE_EQ(CNvCodec::WordDiv10(0x00, 0xEF), 23.0);
  EXPECT_DOUBLE_EQ(CNvCodec::WordDiv10(0x00, 235), 23.0);
  EXPECT_EQ(CNvCodec::SignedByte(0x80), -128);
  EXPECT_EQ(CNvCodec::SignedByte(0x7F), 127);
  EXPECT_EQ(CNvCodec::SignedByte(0xFF), -1);
  // 0xFF is 255 half steps, not -1.
  EXPECT_DOUBLE_EQ(CNvCodec::ByteToHalf(0xFF), 127.5);
  // 0xFFFF * 0.005 = 327.675.
  EXPECT_NEAR(CNvCodec::WordToLevPercent(0xFF, 0xFF), 327.675, 1e-9);
  EXPECT_EQ(CNvCodec::HighByte(-1), 0xFF);
  EXPECT_EQ(CNvCodec::LowByte(0x1234), 0x34);
}

TEST(NvBitCodec, BitsCountFromTheMostSignificant) {
  EXPECT_EQ(CNvBitCodec::TestBit(0x80, 0), 1);
  EXPECT_EQ(CNvBitCodec::TestBit(0x80, 7), 0);
  EXPECT_EQ(CNvBitCodec::ReverseBits(0x01), 0x80);
  // 0xA0 = 1010 0000 mirrored is 0000 0101.
  EXPECT_EQ(CNvBitCodec::ReverseBits(0xA0), 0x05);
  // One set bit walked through every position: set, test, clear and mirror agree.
  for (int n = 0; n < 8; ++n) {
    const uint8_t mask = static_cast<uint8_t>(0x80 >> n);
    EXPECT_EQ(CNvBitCodec::SetBit(0, n), mask) << n;
    EXPECT_EQ(CNvBitCodec::ClearBit(0xFF, n), static_cast<uint8_t>(~mask)) << n;
    for (int m = 0; m < 8; ++m) EXPECT_EQ(CNvBitCodec::TestBit(mask, m), m == n ? 1 : 0);
    // Mirror, set bit n, mirror back: mask 1 shifted left by n, as the pages use it.
    EXPECT_EQ(CNvBitCodec::ReverseBits(CNvBitCodec::SetBit(CNvBitCodec::ReverseBits(0), n)),
              1 << n);
    EXPECT_EQ(CNvBitCodec::ReverseBits(CNvBitCodec::ReverseBits(mask)), mask);
  }
}

TEST(TypedValue, ClampsToWhatReadsBackAsItself) {
  struct Case {
    double typed;
    TypedRange range;
    double stored;
  };
  const Case cases[] = {
      {200.0, kPercentHalfRange, 100.0},  // not 400 half steps cut to 144 = 72 %
      {-3.0, kWordRange, 0.0},            // not 65533
      {70000.0, kWordRange, 65535.0},     // not 4464
      {100.5, kTempRange, 100.0},         // not 10050, which reads back -554.86
      {-600.0, kTempRange, -555.35},
      {-12.34, kTempRange, -12.34},
      {1e300 * 1e300, kTenthsWordRange, 6553.5},
      {-(1e300 * 1e300), kHalfByteRange, 0.0},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(ClampTyped(c.typed, c.range), c.stored) << c.typed;
  // The clamped extremes store as themselves.
  EXPECT_DOUBLE_EQ(CNvCodec::WordToTemp(CNvCodec::HundredthsHigh(kTempRange.hi),
                                        CNvCodec::HundredthsLow(kTempRange.hi)),
                   100.0);
  EXPECT_DOUBLE_EQ(CNvCodec::WordToTemp(CNvCodec::HundredthsHigh(kTempRange.lo),
                                        CNvCodec::HundredthsLow(kTempRange.lo)),
                   -555.35);
}
