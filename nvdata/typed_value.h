// Typed numbers become node values only within the range their field can hold. A number
// outside it is clamped to the nearest value that reads back as itself; it is never cut to its
// low bits by the encoder (200 % would otherwise store 72 %, 70000 hours 4464, a negative time
// 65535 and a temperature above 100.00 would read back negative).
#pragma once

#include <algorithm>

struct TypedRange {
  double lo;
  double hi;
};

// Temperature in hundredths, read back with WordToTemp: words above 10000 read negative, down
// to 10001 = -555.35.
inline constexpr TypedRange kTempRange{-555.35, 100.0};
// Plain unsigned word (count, time, pressure) read back with MakeWord.
inline constexpr TypedRange kWordRange{0.0, 65535.0};
// Unsigned word in tenths (shown whole or with one decimal).
inline constexpr TypedRange kTenthsWordRange{0.0, 6553.5};
// Unsigned byte of half steps, read back with ByteToHalf.
inline constexpr TypedRange kHalfByteRange{0.0, 127.5};
// Signed byte of whole numbers, read back with SignedByte.
inline constexpr TypedRange kSignedByteRange{-128.0, 127.0};
// Percent in half steps where the node takes at most 100 % (valve positions and limits).
inline constexpr TypedRange kPercentHalfRange{0.0, 100.0};

// NaN (never from Atof, but from arithmetic on it) counts as 0 before clamping.
inline double ClampTyped(double v, TypedRange range) {
  if (v != v) v = 0.0;
  return std::min(std::max(v, range.lo), range.hi);
}
