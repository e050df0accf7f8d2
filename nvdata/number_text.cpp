#include "nvdata/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string Printf(const char* format, double v) {
  char buffer[400];  // the widest double printed with one decimal fits in 312 characters
  const int n = std::snprintf(buffer, sizeof buffer, format, v);
  if (n < 0) return std::string();
  return std::string(buffer, static_cast<size_t>(std::min<int>(n, sizeof buffer - 1)));
}

// printf's "%.0f" and "%.1f" round a value exactly halfway between two outputs to even on one
// runtime and away from zero on another; the pages show such values away from zero on every
// build. Only exact ties need care: any other value lies strictly on one side of the halfway
// point, and printf, which works from the exact binary value, rounds it correctly everywhere.
// Which doubles are exact ties?
//   - No decimals: v = k + 1/2, so 2v is an odd whole number.
//   - One decimal: v = (2n + 1) / 20 = (2n + 1) / (4 x 5). A double is a whole number over a
//     power of two, so the 5 must cancel: 2n + 1 = 5m with m odd, and v = m / 4. The exact
//     ties are the odd multiples of 0.25 (0.25, 0.75, 1.25 ...), that is 4v odd. A decimal
//     like 0.05 is not a double at all; the double nearest to it is no tie.
// Below 2^52 (2^50 for 4v) the products 2v and 4v are exact, so the tests on them are too.
std::string FormatFixed(double v, int decimals) {
  if (std::isnan(v)) return "nan";
  if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
  const int sign = v < 0 ? -1 : 1;
  if (decimals == 0) {
    // A tie is v = k + 0.5: 2v is an odd whole number.
    const double twice = 2.0 * v;
    if (std::fabs(v) < 4503599627370496.0 && twice == std::floor(twice) &&
        std::fmod(twice, 2.0) != 0.0) {
      return Printf("%.0f", v + 0.5 * sign);  // exact: a whole number
    }
    return Printf("%.0f", v);
  }
  // One decimal: a tie is 10v = n + 0.5, which for a binary fraction means 4v is odd.
  const double four = 4.0 * v;
  if (std::fabs(v) < 1125899906842624.0 && four == std::floor(four) &&
      std::fmod(four, 2.0) != 0.0) {
    const int64_t t = static_cast<int64_t>(four);
    const int64_t tenths = (5 * t + sign) / 2;  // 10v rounded away from zero
    const int64_t magnitude = tenths < 0 ? -tenths : tenths;
    return std::string(tenths < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." +
           std::to_string(magnitude % 10);
  }
  return Printf("%.1f", v);
}

}  // namespace

double Atof(std::string_view text) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::string digits;  // the number rebuilt without sign, for a locale-free conversion
  size_t mantissaDigits = 0;
  while (i < n && IsDigit(text[i])) {
    digits += text[i++];
    ++mantissaDigits;
  }
  if (i < n && text[i] == '.') {
    ++i;
    std::string fraction;
    while (i < n && IsDigit(text[i])) {
      fraction += text[i++];
      ++mantissaDigits;
    }
    if (!fraction.empty()) digits += "." + fraction;
  }
  if (mantissaDigits == 0) return 0.0;
  if (digits[0] == '.') digits.insert(digits.begin(), '0');
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    std::string exponent = "e";
    if (j < n && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    if (j < n && IsDigit(text[j])) {
      while (j < n && IsDigit(text[j])) exponent += text[j++];
      digits += exponent;
    }
  }
  double value = 0.0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large becomes infinite, too small becomes zero, as the runtime's atof gives them.
    const auto e = digits.find('e');
    const bool tooSmall = e != std::string::npos && digits[e + 1] == '-';
    value = tooSmall ? 0.0 : std::numeric_limits<double>::infinity();
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

int32_t TruncToInt32(double v) {
  // What the x86 conversion instruction gives: the "integer indefinite" value for NaN and for
  // anything whose whole part does not fit.
  if (!(v > -2147483649.0 && v < 2147483648.0)) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

int32_t TruncScaled(double scaled) {
  const double nearest = std::nearbyint(scaled);
  if (std::fabs(scaled - nearest) <= 1e-9 * std::fabs(nearest)) return TruncToInt32(nearest);
  return TruncToInt32(scaled);
}

std::string FormatFixed0(double v) {
  return FormatFixed(v, 0);
}
std::string FormatFixed1(double v) {
  return FormatFixed(v, 1);
}

std::string TwoDigits(int v) {
  return (v < 10 ? "0" : "") + FormatFixed0(v);
}

std::string FormatExportDate(const fw::LocalTime& t) {
  // The PC gives month/day/two-digit year; each field is printed as a number, the year from
  // 2000 on.
  return FormatFixed0(t.day) + "/" + FormatFixed0(t.month) + "-" +
         FormatFixed0(2000 + t.year % 100) + " ";
}

std::string FormatExportTime(const fw::LocalTime& t) {
  return FormatFixed0(t.hour) + ":" + TwoDigits(t.minute) + ":" + TwoDigits(t.second);
}
