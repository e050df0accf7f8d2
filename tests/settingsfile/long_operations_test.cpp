// The three long operations of the Import / Export page keep the sheet alive: with every host
// call blocking for a while, the sheet can still paint at least every 100 ms, no page timer
// fires in the middle, and the page shows each step as it happens and clears it afterwards.
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "resources/dialog_import_export.h"
#include "settingsfile/settings_export.h"
#include "tests/settingsfile/temp_folder.h"
#include "tests/support/fixture.h"

using namespace import_export;
using settingsfile_test::TempFolder;
using testing_support::NodeFixture;

namespace {

constexpr uint32_t kHostCallMs = 60;  // a slow network: every host call blocks this long

struct Operation {
  const char* name;
  int button;
  bool needsPassword;
  bool needsFile;
  // What the progress line says when the node sees these calls (index 46 by part).
  std::map<std::string, std::string> progressAt;
  std::string closingMessage;
};

const Operation kOperations[] = {
    {"Export",
     kSaveToFile,
     false,
     true,
     {{"R39", "Saving to file - nciTemp1PlugIn: reading"},
      {"R44", "Saving to file - nciCalcValve2: reading"},
      {"R46/1", "Saving to file - Part 1 of 12: reading"},
      {"W45:000C", "Saving to file - Part 12 of 12: selecting"},
      {"R46/12", "Saving to file - Part 12 of 12: reading"}},
     "File written"},
    {"Download",
     kReadFromFile,
     true,
     true,
     {{"W39", "Downloading - nciTemp1PlugIn: writing"},
      {"W45:0003", "Downloading - Part 3 of 12: selecting"},
      {"W46/3", "Downloading - Part 3 of 12: writing"},
      {"W46/12", "Downloading - Part 12 of 12: writing"}},
     "Download completed"},
    {"FactorySettings",
     kDefaultSettings,
     true,
     false,
     {{"W43", "Factory settings - nciCalcValve1: writing"},
      {"W45:0007", "Factory settings - Part 7 of 12: selecting"},
      {"W46/7", "Factory settings - Part 7 of 12: writing"}},
     "Please restart the plugin"},
};

class LongOperation : public ::testing::TestWithParam<Operation> {};

// The host call in the notation of the progress table: index, selector bytes, or part of 46.
std::string Key(const sim::HostCall& call) {
  std::string key =
      (call.kind == sim::HostCall::Kind::kWrite ? "W" : "R") + std::to_string(call.index);
  if (call.index == 45 && call.kind == sim::HostCall::Kind::kWrite && call.bytes.size() == 2) {
    char bytes[8];
    std::snprintf(bytes, sizeof bytes, ":%02X%02X", call.bytes[0], call.bytes[1]);
    key += bytes;
  }
  if (call.index == 46) key += "/" + std::to_string(call.part);
  return key;
}

TEST_P(LongOperation, SheetPaintsNoTimerFiresAndTheStepsShowAsTheyHappen) {
  const Operation& op = GetParam();
  TempFolder folder;
  const std::string path = folder.Path("node.txt");
  NodeFixture f;
  f.OpenSheet();
  ASSERT_TRUE(f.driver->SelectTab(std::string("Import / Export")));
  if (op.button == kReadFromFile) {
    // A file of the factory settings to download.
    int readErrors = 0;
    std::ofstream(path, std::ios::binary) << ExportText(NodeIo(&f.node, &f.node), readErrors, {});
  }
  if (op.needsPassword) f.driver->Type(kPassword, "Kobalt");
  if (op.needsFile) f.platform.QueueFile(path);
  f.platform.QueueAnswer(fw::kIdYes);  // "Download from file to node?"
  f.node.SetSelectedPart(0);
  f.node.SetLatency(kHostCallMs);

  std::map<std::string, std::string> seen;
  f.node.OnCall([&](const sim::HostCall& call) {
    const std::string key = Key(call);
    if (op.progressAt.count(key) != 0) seen[key] = f.driver->Text(kProgress);
  });
  f.platform.ClearMessages();
  const uint64_t start = f.platform.TickCount();
  const size_t ticksBefore = f.platform.TimerTicks().size();
  f.driver->Click(op.button);
  const uint64_t end = f.platform.TickCount();
  f.node.OnCall(nullptr);

  EXPECT_GT(end - start, 2000u) << "a long operation";
  EXPECT_LE(f.platform.LongestUnpaintedMs(start, end), 100u);
  EXPECT_EQ(f.platform.TimerTicks().size(), ticksBefore) << "a timer fired during the operation";
  EXPECT_EQ(seen, op.progressAt);
  EXPECT_EQ(f.driver->Text(kProgress), "") << "cleared when the operation ends";
  ASSERT_FALSE(f.platform.Messages().empty());
  EXPECT_EQ(f.platform.Messages().back().request.text, op.closingMessage);
}

INSTANTIATE_TEST_SUITE_P(ImportExport, LongOperation, ::testing::ValuesIn(kOperations),
                         [](const auto& info) { return std::string(info.param.name); });

// The measure itself: blocked time between pauses counts, pauses do not.
TEST(LongestUnpainted, CountsTheStretchesOutsidePauses) {
  fw::headless::HeadlessPlatform platform;
  platform.Block(30);
  platform.Sleep(200);
  platform.Block(120);
  platform.Sleep(50);
  platform.Block(10);
  EXPECT_EQ(platform.LongestUnpaintedMs(0, platform.TickCount()), 120u);
  EXPECT_EQ(platform.LongestUnpaintedMs(0, 100), 30u);
  EXPECT_EQ(platform.LongestUnpaintedMs(230, 350), 120u);
  EXPECT_EQ(platform.LongestUnpaintedMs(400, 410), 10u);
}

}  // namespace
