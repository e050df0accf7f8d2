#include "tools/settings_tool.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

#include "tests/settingsfile/temp_folder.h"
#include "tests/support/case_names.h"

namespace {

namespace fs = std::filesystem;

// The tool runs from the source folder, so that the file names in its output are the same
// relative paths on every machine (and under Wine). HD7_3_UPDATE_GOLDEN=1 rewrites the goldens.
// That the tool reads every record as a download writes it is checked by the download's fuzz
// target, whose corpus holds these files. "@name" stands for tests/tools/files/name.txt.
using GoldenCase = std::tuple<const char*, int, const char*>;  // command, exit code, golden
const GoldenCase kCases[] = {
    {"show @factory", 0, "show_factory"},
    {"show --raw @service", 0, "show_raw_service"},
    {"--json show @factory", 0, "show_json_factory"},
    {"diff @factory @service", 1, "diff_factory_service"},
    {"diff @factory @factory_lf", 0, "diff_factory_same"},
    {"diff --json @factory @service", 1, "diff_json_factory_service"},
    {"diff @wrong_id @truncated", 2, "diff_unreadable"},
    {"diff @factory @wrong_id", 2, "diff_one_unreadable"},
    {"check @factory", 0, "check_factory"},
    {"check @faults", 1, "check_faults"},
    {"check --json @faults", 1, "check_json_faults"},
    {"check @wrong_id", 1, "check_wrong_id"},
    {"check @truncated", 1, "check_truncated"},
    {"show @no_such_file", 2, "show_missing_file"},
    {"show @factory @service", 2, "show_two_files"},
    {"--help", 0, "help"},
    {"report @factory --date 7/12-2026", 0, "report_factory"},
    {"report @service --against @factory --date 7/12-2026", 1, "report_service_against_factory"},
    {"report @calendars --date 7/12-2026", 0, "report_calendars"},
    {"report @service --site-file tests/tools/files/site.txt --date 7/12-2026", 0,
     "report_service_site"},
    {"report @wrong_id --date 7/12-2026", 2, "report_unreadable"},
    {"trace @trace", 1, "trace_failures"},
    {"trace @trace_untagged", 1, "trace_untagged"},
    {"trace @factory", 2, "trace_not_a_trace"},
};

class SettingsToolGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(SettingsToolGolden, OutputIsTheGoldenFile) {
  const auto [command, exitCode, name] = GetParam();
  std::vector<std::string> args;
  std::istringstream words(command);
  for (std::string arg; words >> arg;) {
    args.push_back(arg[0] == '@' ? "tests/tools/files/" + arg.substr(1) + ".txt" : arg);
  }
  const fs::path previous = fs::current_path();
  fs::current_path(HD7_3_SOURCE_DIR);
  std::ostringstream out, err;
  const int code = RunSettingsTool(args, out, err);
  const char* type = exitCode != 2 && args[0] == "report" ? ".html" : ".txt";
  const fs::path golden = fs::path("tests/tools/golden") / (std::string(name) + type);
  if (std::getenv("HD7_3_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(golden, std::ios::binary) << out.str() + err.str();
  }
  const std::string expected = settingsfile_test::TempFolder::Read(golden.string());
  fs::current_path(previous);
  EXPECT_EQ(code, exitCode);
  EXPECT_EQ(out.str() + err.str(), expected) << golden;  // standard output, then error
  // Errors go to standard error alone, results to standard output alone.
  EXPECT_EQ(err.str().empty(), exitCode != 2 || args[0] == "--help");
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsToolGolden, ::testing::ValuesIn(kCases),
                         testing_support::NamedBy([](const GoldenCase& c) {
                           return std::get<2>(c);
                         }));

}  // namespace
