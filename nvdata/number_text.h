// The number and date texts every page shares, the same on every build and every locale:
// the runtime's atof as the original used it, "%.0f" and "%.1f" with ties away from zero, the
// x86 truncation to a 32-bit whole number, and the export's date and time texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/local_time.h"

// The leading number of the text: white space skipped, optional sign, digits with an optional
// point and fraction, an optional exponent. Anything else ends the number; no number gives 0.
// No locale, no hexadecimal, no "inf" or "nan".
double Atof(std::string_view text);

// Cut toward zero to 32 bits; NaN and anything outside the 32-bit range give 0x80000000.
int32_t TruncToInt32(double v);

// The encoders' truncation of a scaled value, exact in decimal: a value within 1e-9 (relative)
// of a whole number is that whole number, so 1.15 in hundredths is 115 although 100 x 1.15 is
// 114.99999999999999 in binary; anything else is cut toward zero as TruncToInt32 does (21.579
// in hundredths stays 2157).
int32_t TruncScaled(double scaled);

// "%.0f" and "%.1f", a tie rounded away from zero (0.5 shows "1", 0.25 shows "0.3").
std::string FormatFixed0(double v);
std::string FormatFixed1(double v);
// "%.0f" with a "0" before a number below 10 (a negative one too): minutes and seconds.
std::string TwoDigits(int v);

// The export's date text "d/m-yyyy " (ends in a space) and time text "h:mm:ss".
std::string FormatExportDate(const fw::LocalTime& t);
std::string FormatExportTime(const fw::LocalTime& t);
