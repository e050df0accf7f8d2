// Where hd7_3settings writes: never over a file it reads, however the output is named, and never
// a standard output that did not take everything reported as success.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <iterator>
#include <sstream>

#include "tests/settingsfile/temp_folder.h"
#include "tools/settings_tool.h"

namespace {

using settingsfile_test::TempFolder;

std::string Sample(const std::string& name) {
  return TempFolder::Read(std::string(HD7_3_SOURCE_DIR) + "/tests/tools/files/" + name + ".txt");
}

// The report of in.txt against planned.txt, to an output named as that input is ("same"),
// through "dot", or by a "hard" or "soft" link to it. (An output of its own: ReportOutput.)
class OutputOverInput : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(OutputOverInput, IsRefusedWithNothingWritten) {
  const auto [input, spelling] = GetParam();
  const std::string how = spelling;
  TempFolder folder;
  const std::string in = folder.Write("in.txt", Sample("service"));
  const std::string planned = folder.Write("planned.txt", Sample("factory"));
  const std::string target = folder.Path(input);
  std::string output = how == "same" ? target : folder.Path("out.html");
  if (how == "dot") output = folder.Folder() + "/./" + input;
  if (how == "hard") std::filesystem::create_hard_link(target, output);
  if (how == "soft") std::filesystem::create_symlink(target, output);

  std::ostringstream out, err;
  EXPECT_EQ(RunSettingsTool({"report", in, "--against", planned, "--output", output}, out, err), 2);
  EXPECT_EQ(TempFolder::Read(in) + TempFolder::Read(planned),
            Sample("service") + Sample("factory"));
  EXPECT_EQ(err.str(), "hd7_3settings: the output " + output + " is the input " + target +
                           ": nothing written\n");
}

INSTANTIATE_TEST_SUITE_P(Names, OutputOverInput,
                         ::testing::Values(std::pair{"in.txt", "same"}, std::pair{"in.txt", "dot"},
                                           std::pair{"in.txt", "hard"}, std::pair{"in.txt", "soft"},
                                           std::pair{"planned.txt", "same"}));

// A stream that takes nothing, as a full disk.
struct FullBuffer : std::streambuf {
  int_type overflow(int_type) override { return traits_type::eof(); }
};

// Every command, run by the library on a stream that takes nothing and as the program with its
// standard output a full device: exit code 2 and "write error", never success.
class FullOutput : public ::testing::TestWithParam<const char*> {};

TEST_P(FullOutput, IsAWriteError) {
  std::istringstream words(GetParam());
  std::vector<std::string> args{std::istream_iterator<std::string>(words), {}};
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(HD7_3_SOURCE_DIR);  // the samples by their relative names
  FullBuffer full;
  std::ostream out(&full);
  std::ostringstream err;
  EXPECT_EQ(RunSettingsTool(args, out, err), 2);
  std::filesystem::current_path(previous);
  EXPECT_EQ(err.str(), "hd7_3settings: write error: standard output: not all of it was written\n");

  const std::string tool = HD7_3_SETTINGS_TOOL;
  // Where this build's programs do not start (the 32-bit tests under an emulator).
  if (std::system(("'" + tool + "' --probe >/dev/null 2>&1").c_str()) != 0) GTEST_SKIP();
  TempFolder folder;
  std::string command = "cd '" HD7_3_SOURCE_DIR "' && '" + tool + "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  const int status = std::system((command + " >/dev/full 2>" + folder.Path("err")).c_str());
  EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 2);
  EXPECT_EQ(TempFolder::Read(folder.Path("err")),
            "hd7_3settings: write error: standard output: No space left on device\n");
}

INSTANTIATE_TEST_SUITE_P(
    Commands, FullOutput,
    ::testing::Values("show tests/tools/files/factory.txt",
                      "--json diff tests/tools/files/factory.txt tests/tools/files/service.txt",
                      "check tests/tools/files/faults.txt", "trace tests/tools/files/trace.txt",
                      "report tests/tools/files/factory.txt", "--help"));

}  // namespace
