// Where hd7_3settings writes: never over a file it reads, however the output is named, and never
// a standard output that did not take everything reported as success.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <iterator>
#include <sstream>

#include "tests/settingsfile/temp_folder.h"
#include "tests/support/case_names.h"
#include "tools/settings_tool.h"

namespace {

using settingsfile_test::TempFolder;
namespace fs = std::filesystem;

const std::string kSamples = HD7_3_SOURCE_DIR "/tests/tools/files";

// The report of in.txt against planned.txt, to an output named as that input is ("same"),
// through "dot", or by a "hard" or "soft" link to it. (An output of its own: ReportOutput.)
class OutputOverInput : public ::testing::TestWithParam<const char*> {};

TEST_P(OutputOverInput, IsRefusedWithNothingWritten) {
  std::string input, how;
  std::istringstream(GetParam()) >> input >> how;
  TempFolder folder;
  const std::string text = TempFolder::Read(kSamples + "/service.txt");
  const std::string in = folder.Write("in.txt", text), planned = folder.Write("planned.txt", text);
  const std::string target = folder.Path(input);
  std::string output = how == "same" ? target : folder.Path("out.html");
  if (how == "dot") output = folder.Folder() + "/./" + input;
  if (how == "hard") fs::create_hard_link(target, output);
  if (how == "soft") fs::create_symlink(target, output);
  std::ostringstream out, err;
  EXPECT_EQ(RunSettingsTool({"report", in, "--against", planned, "--output", output}, out, err), 2);
  EXPECT_EQ(TempFolder::Read(in) + TempFolder::Read(planned), text + text);
  EXPECT_EQ(err.str(), "hd7_3settings: the output " + output + " is the input " + target +
                           ": nothing written\n");
}

INSTANTIATE_TEST_SUITE_P(Names, OutputOverInput,
                         ::testing::Values("in.txt same", "in.txt dot", "in.txt hard",
                                           "in.txt soft", "planned.txt same"),
                         testing_support::kByName);

// Every command, run by the library on a stream that takes nothing and as the program with its
// standard output a full device: exit code 2 and "write error", never success. Into a file that
// takes it all, the program writes what the library does, with its exit code and no error.
class FullOutput : public ::testing::TestWithParam<const char*> {};

TEST_P(FullOutput, IsAWriteError) {
  std::istringstream words(GetParam());
  const std::vector<std::string> args{std::istream_iterator<std::string>(words), {}};
  const fs::path previous = fs::current_path();
  fs::current_path(kSamples);  // the samples by their relative names
  std::ostream out(nullptr);   // takes nothing, as a full disk
  std::ostringstream err, whole, wholeErr;
  EXPECT_EQ(RunSettingsTool(args, out, err), 2);
  const int code = RunSettingsTool(args, whole, wholeErr);
  fs::current_path(previous);
  EXPECT_EQ(err.str(), "hd7_3settings: write error: standard output: not all of it was written\n");

  // Where this build's programs do not start (the 32-bit tests under an emulator), no more.
  const std::string tool = HD7_3_SETTINGS_TOOL;
  if (std::system(("'" + tool + "' --probe >/dev/null 2>&1").c_str()) != 0) GTEST_SKIP();
  TempFolder folder;
  std::string command = "cd '" + kSamples + "' && '" + tool + "'";
  for (const std::string& arg : args) command += " '" + arg + "'";
  const int status = std::system((command + " >/dev/full 2>" + folder.Path("err")).c_str());
  EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 2);
  EXPECT_EQ(TempFolder::Read(folder.Path("err")),
            "hd7_3settings: write error: standard output: No space left on device\n");
  const int written =
      std::system((command + " >" + folder.Path("out") + " 2>" + folder.Path("err")).c_str());
  EXPECT_EQ(WIFEXITED(written) ? WEXITSTATUS(written) : -1, code);
  EXPECT_EQ(TempFolder::Read(folder.Path("out")), whole.str());
  EXPECT_EQ(TempFolder::Read(folder.Path("err")), "");
}

INSTANTIATE_TEST_SUITE_P(Commands, FullOutput,
                         ::testing::Values("show factory.txt",
                                           "--json diff factory.txt service.txt",
                                           "check faults.txt", "trace trace.txt",
                                           "report factory.txt --date 1/1-2027", "--help"),
                         testing_support::kByName);

}  // namespace
