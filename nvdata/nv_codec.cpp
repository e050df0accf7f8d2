#include "nvdata/nv_codec.h"

#include <cfloat>

#include "nvdata/number_text.h"

// Every build computes doubles in double precision, as the node's values were designed for: the
// 32-bit builds use SSE2 (-msse2 -mfpmath=sse), since the x87 unit's 80-bit intermediates move
// products such as -20000 * 0.01 off the value the 64-bit build gets.
static_assert(FLT_EVAL_METHOD == 0, "doubles must be computed in double precision (SSE2)");

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
