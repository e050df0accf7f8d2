// The number texts under the Windows runtime: the same texts and numbers as the native build
// gives, whatever the C runtime's own printf and atof would do.
#include <cmath>
#include <limits>
#include <string>

#include "nvdata/number_text.h"
#include "tests/win/scenarios.h"

namespace wintest {

int NumberTexts(Checks& checks) {
  checks.Equal(FormatFixed0(0.5), "1", "0.5 with no decimals");
  checks.Equal(FormatFixed0(-2.5), "-3", "-2.5 with no decimals");
  checks.Equal(FormatFixed1(0.25), "0.3", "0.25 with one decimal");
  checks.Equal(FormatFixed1(0.15), "0.1", "0.15 (stored just below) with one decimal");
  checks.Equal(FormatFixed1(-555.35), "-555.4", "-555.35 with one decimal");
  checks.Equal(FormatFixed1(1e20), "100000000000000000000.0", "1e20 with one decimal");
  checks.Equal(FormatFixed0(std::numeric_limits<double>::quiet_NaN()), "nan", "NaN");
  checks.Equal(FormatFixed1(-std::numeric_limits<double>::infinity()), "-inf", "-infinity");
  checks.That(Atof("1e3") == 1000.0, "atof of 1e3");
  checks.That(Atof(" -2.5x") == -2.5, "atof of \" -2.5x\"");
  checks.That(Atof(".5") == 0.5, "atof of .5");
  checks.That(Atof("abc") == 0.0 && Atof("0x10") == 0.0 && Atof("inf") == 0.0, "no number: 0");
  checks.That(std::isinf(Atof("1e999")), "atof of 1e999 is infinite");
  checks.That(TruncToInt32(1e12) == std::numeric_limits<int32_t>::min(), "1e12 cut to 32 bits");
  checks.That(
      TruncToInt32(std::numeric_limits<double>::quiet_NaN()) == std::numeric_limits<int32_t>::min(),
      "NaN cut to 32 bits");
  checks.That(TruncToInt32(-1.9) == -1, "-1.9 cut toward zero");
  checks.Equal(
      FormatExportDate({2026, 12, 5, 9, 5, 7}) + " " + FormatExportTime({2026, 12, 5, 9, 5, 7}),
      "5/12-2026  9:05:07", "the export timestamp");
  return checks.Finish();
}

}  // namespace wintest
