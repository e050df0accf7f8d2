// Conversions between the node's bytes (most significant first) and numbers, as pure functions.
#pragma once

#include <cstdint>

class CNvCodec {
 public:
  // Decoders: arguments are the bytes as read, high byte first.
  static int MakeWord(uint8_t high, uint8_t low) { return high * 256 + low; }
  static int SignedByte(uint8_t b) { return static_cast<int8_t>(b); }
  // Hundredths of a degree; words above 10000 are negative (10001 reads -555.35).
  static double WordToTemp(uint8_t high, uint8_t low) { return WordToHundredths(high, low) * 0.01; }
  // The same temperature in whole hundredths, for comparing with a fixed limit exactly.
  static int WordToHundredths(uint8_t high, uint8_t low) {
    const int w = MakeWord(high, low);
    return w > 10000 ? w - 65536 : w;
  }
  static double ByteToHalf(uint8_t b) { return b * 0.5; }
  static double WordToLevPercent(uint8_t high, uint8_t low) { return MakeWord(high, low) * 0.005; }

  // Encoders: scale in double precision, cut toward zero to 32 bits (exact in decimal: see
  // TruncScaled), keep the two's-complement bit pattern. They never clamp: a page clamps a
  // typed number to its field's range first (typed_value.h).
  static uint8_t HalfToByte(double v);
  static uint8_t TenthsHigh(double v);
  static uint8_t TenthsLow(double v);
  static uint8_t HundredthsHigh(double v);
  static uint8_t HundredthsLow(double v);
  static uint8_t WholeHigh(double v);
  static uint8_t WholeLow(double v);
  static uint8_t HighByte(int32_t w) {
    return static_cast<uint8_t>((static_cast<uint32_t>(w) >> 8) & 0xFF);
  }
  static uint8_t LowByte(int32_t w) {
    return static_cast<uint8_t>(static_cast<uint32_t>(w) & 0xFF);
  }
};
