#include "nvdata/nv_codec.h"

#include "nvdata/number_text.h"

double CNvCodec::WordToTemp(uint8_t high, uint8_t low) {
  int w = MakeWord(high, low);
  if (w > 10000) w -= 65536;
  return w * 0.01;
}

uint8_t CNvCodec::HalfToByte(double v) {
  return LowByte(TruncScaled(2.0 * v));
}
uint8_t CNvCodec::TenthsHigh(double v) {
  return HighByte(TruncScaled(10.0 * v));
}
uint8_t CNvCodec::TenthsLow(double v) {
  return LowByte(TruncScaled(10.0 * v));
}
uint8_t CNvCodec::HundredthsHigh(double v) {
  return HighByte(TruncScaled(100.0 * v));
}
uint8_t CNvCodec::HundredthsLow(double v) {
  return LowByte(TruncScaled(100.0 * v));
}
uint8_t CNvCodec::WholeHigh(double v) {
  return HighByte(TruncScaled(v));
}
uint8_t CNvCodec::WholeLow(double v) {
  return LowByte(TruncScaled(v));
}

uint8_t CNvBitCodec::ReverseBits(uint8_t b) {
  uint8_t r = 0;
  for (int i = 0; i < 8; ++i) {
    if ((b & (1u << i)) != 0) r = static_cast<uint8_t>(r | (0x80u >> i));
  }
  return r;
}
