// Names for the cases of a parameterized suite, so that the test list, CTest and a failure name
// each case by what it is ("Lines/TraceOfAText.KeepsTheLineWholeAndItsEnd/KeepsALetterWhole")
// instead of its index and the raw bytes of its parameter. Given as the last argument of
// INSTANTIATE_TEST_SUITE_P:
//   testing_support::kByName                      a case's `name` member, or a text parameter
//   testing_support::NamedBy([](const P& p) { ... })   the text a function makes of the case
//   testing_support::NamedInOrder({"First", ...})      one name per row of the table, in order
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace testing_support {

// `text` as a test's name: letters and digits kept, each run of other characters one
// underscore, none at either end; "Empty" for a text with neither.
inline std::string AsTestName(std::string_view text) {
  std::string name;
  for (char c : text) {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      name += c;
    } else if (!name.empty() && name.back() != '_') {
      name += '_';
    }
  }
  if (!name.empty() && name.back() == '_') name.pop_back();
  return name.empty() ? "Empty" : name;
}

// A suite's name generator: `describe` says what a case is, its text becomes the name.
template <typename Describe>
auto NamedBy(Describe describe) {
  return [describe](const auto& info) { return AsTestName(describe(info.param)); };
}

template <typename T, typename = void>
struct HasName : std::false_type {};
template <typename T>
struct HasName<T, std::void_t<decltype(std::declval<const T&>().name)>> : std::true_type {};

// Names a case by its `name` member, or a text parameter by the text.
struct ByName {
  template <typename T>
  std::string operator()(const ::testing::TestParamInfo<T>& info) const {
    if constexpr (HasName<T>::value) {
      return AsTestName(info.param.name);
    } else {
      return AsTestName(info.param);
    }
  }
};
inline constexpr ByName kByName{};

// Names the table's rows in order; a row beyond the names is "Case" and its index, so that a row
// added without a name still runs under a name of its own.
inline auto NamedInOrder(std::initializer_list<const char*> names) {
  return [list = std::vector<std::string>(names.begin(), names.end())](const auto& info) {
    return info.index < list.size() ? AsTestName(list[info.index])
                                    : "Case" + std::to_string(info.index);
  };
}

}  // namespace testing_support
