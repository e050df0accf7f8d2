// The number texts under the Windows runtime: the same texts and numbers as the native build
// gives, whatever the C runtime's own printf and atof would do.
#include <cmath>
#include <limits>
#include <string>

#include "nvdata/number_text.h"
#include "tests/win/harness.h"

namespace wintest {

int NumberTexts(Checks& checks) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const fw::LocalTime time = {2026, 12, 5, 9, 5, 7};
  const std::string texts[][2] = {
      {FormatFixed0(0.5), "1"},
      {FormatFixed0(-2.5), "-3"},
      {FormatFixed1(0.25), "0.3"},
      {FormatFixed1(0.15), "0.1"},  // stored just below 0.15
      {FormatFixed1(-555.35), "-555.4"},
      {FormatFixed1(1e20), "100000000000000000000.0"},
      {FormatFixed0(nan), "nan"},
      {FormatFixed1(-std::numeric_limits<double>::infinity()), "-inf"},
      {FormatExportDate(time) + FormatExportTime(time), "5/12-2026 9:05:07"},
      {std::to_string(TruncToInt32(1e12)), "-2147483648"},
      {std::to_string(TruncToInt32(nan)), "-2147483648"},
      {std::to_string(TruncToInt32(-1.9)), "-1"},  // toward zero
  };
  for (const auto& t : texts) checks.Equal(t[0], t[1], "a number text");
  const std::pair<const char*, double> numbers[] = {
      {"1e3", 1000}, {" -2.5x", -2.5}, {".5", 0.5},        {"abc", 0},
      {"0x10", 0},   {"inf", 0},       {"1e999", HUGE_VAL}};
  for (const auto& [text, value] : numbers) {
    checks.That(Atof(text) == value, std::string("atof of \"") + text + "\"");
  }
  return checks.Finish();
}

}  // namespace wintest
