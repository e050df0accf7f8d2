// The service password that guards downloading, factory settings and the PID pages.
#pragma once

#include <string_view>

// Compared exactly (case counts) with the whole field.
constexpr std::string_view kServicePassword = "Kobalt";
inline bool IsServicePassword(std::string_view text) {
  return text == kServicePassword;
}
