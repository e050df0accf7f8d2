// The Import / Export page: what the engineer is asked and told, the files it leaves, and how
// its three long operations keep the sheet alive.
#include "pages/node/import_export_page.h"

#include <gtest/gtest.h>

#include <map>

#include "nvdata/config_part.h"
#include "resources/dialog_import_export.h"
#include "tests/settingsfile/temp_folder.h"
#include "tests/support/case_names.h"
#include "tests/support/fixture.h"

using namespace import_export;
using settingsfile_test::kReadOnly;
using settingsfile_test::RunConfined;
using settingsfile_test::TempFolder;
using testing_support::NodeFixture;
using testing_support::Traffic;

namespace {

using Strings = std::vector<std::string>;

const std::string kFile =
    "- 90 48 44 37 5F 33 42 2A\r\n"
    "* nciSwitchExt1     (40) - SNVT_count             \r\n"
    "300\r\n";

class ImportExportPage : public ::testing::Test {
 protected:
  ImportExportPage() {
    f.platform.SetLocalTime({2026, 12, 5, 9, 5, 7});
    f.OpenSheet();
    ShowPage();
  }
  void ShowPage() {
    f.driver->SelectTab(0);
    f.driver->SelectTab(std::string("Import / Export"));
    f.platform.ClearMessages();
  }
  // Each message box: "[module] text [caption] (yes/no)".
  Strings Messages() const {
    Strings shown;
    for (const auto& m : f.platform.Messages()) {
      const fw::MessageBoxRequest& r = m.request;
      shown.push_back((r.kind == fw::MessageKind::kModule ? "module " : "") + r.text +
                      (r.caption ? " [" + *r.caption + "]" : "") +
                      (r.flags == fw::kMbYesNo ? " (yes/no)" : ""));
    }
    return shown;
  }
  void Save(std::optional<std::string> path) {
    f.platform.QueueFile(std::move(path));
    f.driver->Click(kSaveToFile);
  }

  NodeFixture f;
  TempFolder folder;
};

TEST_F(ImportExportPage, ShowingAndDefaultFetchTheNodeNameAndTheDefaultFileName) {
  EXPECT_EQ(f.driver->Text(kFileName), "C:\\HD7_3 Sim.txt");
  // What the engineer typed is replaced on the next showing; the name is cut to 20 bytes.
  f.driver->Type(kFileName, "D:\\mine.txt");
  f.node.SetNodeName("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  f.node.ClearLog();
  ShowPage();
  EXPECT_EQ(f.driver->Text(kNodeName), "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(f.driver->Text(kFileName), "C:\\ABCDEFGHIJKLMNOPQRST.txt");
  EXPECT_EQ(Traffic({f.node.Log().back()}), Strings{"N"});
  EXPECT_EQ(f.node.Log().back().size, 20);

  // Without a name: "Save to file" is disabled and the fields stay; "Default" tries again.
  f.driver->Type(kFileName, "D:\\mine.txt");
  f.node.SetNodeNameStatus(9);
  f.driver->Click(kDefaultName);
  EXPECT_FALSE(f.driver->Enabled(kSaveToFile));
  EXPECT_EQ(f.driver->Text(kFileName) + f.driver->Text(kNodeName),
            "D:\\mine.txtABCDEFGHIJKLMNOPQRST");
  f.node.SetNodeNameStatus(0);
  f.node.SetNodeNameBytes({'B', '7', 0, 'x'});
  f.driver->Click(kDefaultName);
  EXPECT_TRUE(f.driver->Enabled(kSaveToFile));
  EXPECT_EQ(f.driver->Text(kFileName), "C:\\B7.txt");
  EXPECT_EQ(Messages(), Strings{});
}

TEST_F(ImportExportPage, SaveAsksBeforeReplacingAndReportsTheOutcome) {
  f.driver->Type(kFileName, folder.Path("typed"));
  Save(std::nullopt);
  ASSERT_EQ(f.platform.FileRequests().size(), 1u);
  const fw::FileDialogRequest& r = f.platform.FileRequests()[0];
  EXPECT_EQ(std::tie(r.save, r.initialName, r.defaultExt, r.filter, r.hideReadOnly),
            std::make_tuple(true, folder.Path("typed"), "txt",
                            "Tavera NodeSettings (*.txt)|*.txt|All files (*.*)|*.*|", true));
  EXPECT_EQ(Messages(), Strings{});
  EXPECT_EQ(folder.Names(), Strings{});

  // ".txt" is added and the field shows the path.
  Save(folder.Path("node"));
  EXPECT_EQ(f.driver->Text(kFileName), folder.Path("node.txt"));
  EXPECT_EQ(folder.Names(), Strings{"node.txt"});
  EXPECT_EQ(Messages(), Strings{"File written"});
  const std::string first = TempFolder::Read(folder.Path("node.txt"));

  // An existing file: No keeps it; Yes replaces it, and failed reads are counted.
  for (int32_t index : {41, 43, kIndexPluginCnf}) f.node.FailReads(index);
  for (const int answer : {fw::kIdNo, fw::kIdYes}) {
    f.platform.ClearMessages();
    f.platform.QueueAnswer(answer);
    Save(folder.Path("node.txt"));
    EXPECT_EQ(Messages(), (Strings{"Overwrite existing file? [File exists!] (yes/no)",
                                   answer == fw::kIdNo ? "File not written"
                                                       : "File Written. 14 NV read errors"}));
    EXPECT_EQ(TempFolder::Read(folder.Path("node.txt")) == first, answer == fw::kIdNo);
  }

  // A path that is a folder cannot be opened; a full disk cannot take the new file.
  f.platform.ClearMessages();
  std::filesystem::create_directory(folder.Path("folder.txt"));
  Save(folder.Path("folder.txt"));
  EXPECT_EQ(Messages(), Strings{"Error opening file"});
  EXPECT_TRUE(RunConfined(
      [&] {
        Save(folder.Path("full.txt"));
        EXPECT_EQ(Messages().back(), "Error writing file");
      },
      200));
  EXPECT_EQ(folder.Names(), (Strings{"folder.txt", "node.txt"}));
}

// What is special about a case: the password, the file, or the node.
enum class Setup { kPlain, kWrongPassword, kReadOnly, kRefusedWrite, kForeignId, kNoId, kFolder };

struct DownloadCase {
  Setup setup;
  const char* picked;  // what the dialog gives, in the test's folder; nullptr: cancelled
  std::vector<int> answers;
  Strings messages;
};

const std::string kAsk = "Download from file to node? [Download] (yes/no)";
const std::string kDone = "Download completed [Download status]";
const std::string kForeign =
    "ProgramID does not match!\nDo you want to download anyway? [ProgramID does not match!] "
    "(yes/no)";
const std::string kReadError = "Error reading file. Download not completed [Download status]";
const std::string kWriteError = "Download completed. 1 NV write errors [Download status]";
const int kYes = fw::kIdYes, kNo = fw::kIdNo;

const DownloadCase kDownloads[] = {
    // A wrong password ("kobalt": the case counts) is kept for correcting; no dialog.
    {Setup::kWrongPassword, "node.txt", {}, {"Wrong password! [Download status]"}},
    {Setup::kPlain, nullptr, {}, {}},
    {Setup::kPlain, "missing.txt", {}, {"File not found!"}},
    {Setup::kPlain, "node.txt", {kNo}, {kAsk, "Download aborted [Download status]"}},
    {Setup::kPlain, "node", {kYes}, {kAsk, kDone}},         // found with ".txt" added
    {Setup::kReadOnly, "node.txt", {kYes}, {kAsk, kDone}},  // reading is all it needs
    {Setup::kRefusedWrite, "node.txt", {kYes}, {kAsk, kWriteError}},
    // A foreign program ID refused; the matching one after it enables writing again.
    {Setup::kForeignId, "node.txt", {kYes, kNo}, {kAsk, kForeign, kDone}},
    {Setup::kNoId, "node.txt", {kYes}, {kAsk, "Download not completed [Download status]"}},
    // A path that opens but cannot be read: a read error, never "completed".
    {Setup::kFolder, "node.txt", {kYes}, {kAsk, kReadError}},
};

class DownloadFromFile : public ImportExportPage,
                         public ::testing::WithParamInterface<DownloadCase> {};

TEST_P(DownloadFromFile, AsksAndReports) {
  const DownloadCase& c = GetParam();
  const std::string file = c.setup == Setup::kForeignId
                               ? "- 90 48 44 37 5F 33 42 2B\r\n" + kFile.substr(27) + kFile
                           : c.setup == Setup::kNoId ? kFile.substr(27)
                                                     : kFile;
  if (c.setup == Setup::kFolder) {
    std::filesystem::create_directory(folder.Path("node.txt"));
  } else {
    folder.Write("node.txt", file,
                 c.setup == Setup::kReadOnly ? kReadOnly : std::filesystem::perms::all);
  }
  const std::string password = c.setup == Setup::kWrongPassword ? "kobalt" : "Kobalt";
  f.driver->Type(kFileName, "C:\\kept.txt");
  f.node.FailWrites(41, c.setup == Setup::kRefusedWrite);
  f.node.ClearLog();
  for (int answer : c.answers) f.platform.QueueAnswer(answer);
  const auto scenario = [&] {
    f.driver->Type(kPassword, password);
    f.platform.QueueFile(c.picked ? std::optional(folder.Path(c.picked)) : std::nullopt);
    f.driver->Click(kReadFromFile);
    EXPECT_EQ(Messages(), c.messages);
    const bool completed =
        !c.messages.empty() && c.messages.back().rfind("Download completed", 0) == 0;
    EXPECT_EQ(Traffic(f.node.Log()),
              completed ? Strings{c.setup == Setup::kRefusedWrite ? "W41:012C!" : "W41:012C"}
                        : Strings{});
    const bool passwordOk = c.setup != Setup::kWrongPassword;
    EXPECT_EQ(f.driver->Text(kPassword) + f.driver->Text(kFileName),
              (passwordOk ? "" : password) + "C:\\kept.txt");
    ASSERT_EQ(f.platform.FileRequests().size(), passwordOk ? 1u : 0u);
    for (const fw::FileDialogRequest& r : f.platform.FileRequests()) {
      EXPECT_EQ(std::tie(r.save, r.initialName), std::make_tuple(false, "C:\\kept.txt"));
    }
  };
  EXPECT_TRUE(c.setup == Setup::kReadOnly ? RunConfined(scenario) : (scenario(), true));
}

INSTANTIATE_TEST_SUITE_P(ImportExport, DownloadFromFile, ::testing::ValuesIn(kDownloads),
                         testing_support::NamedInOrder({"WrongPassword", "Cancelled", "Missing",
                                                        "AnsweredNo", "TxtAdded", "ReadOnly",
                                                        "RefusedWrite", "ForeignId", "NoId",
                                                        "Folder"}));

// Without write errors the message is the long operation's closing one (below).
TEST_F(ImportExportPage, FactorySettingsNeedThePasswordAndReportWriteErrors) {
  for (int32_t index : {39, 44}) f.node.FailWrites(index);
  f.node.SetBytes(41, {0x12, 0x34});
  const std::pair<const char*, std::string> kTries[] = {
      {"Kobalt ", "module Wrong password [HD7_3]"},
      {"Kobalt", "module Default settings: 2 NV write errors. Please restart the plugin [HD7_3]"}};
  for (const auto& [password, message] : kTries) {
    f.platform.ClearMessages();
    f.driver->Type(kPassword, password);
    f.driver->Click(kDefaultSettings);
    EXPECT_EQ(Messages(), Strings{message});
    EXPECT_EQ(f.node.Bytes(41)[0] == 0x12, password[6] == ' ');
  }
  EXPECT_EQ(f.driver->Text(kPassword), "");
}

// With every host call blocking for a while, the sheet can still paint at least every 100 ms,
// no page timer fires in the middle, the button says "Please wait..." and the page shows each
// step as it happens (when the node sees the call; index 46 by part) and clears it afterwards.
using Progress = std::map<std::string, std::string>;
struct Operation {
  int button;
  const char* caption;
  Progress progressAt;
  std::string closingMessage;
};

const Operation kOperations[] = {
    {kSaveToFile, "Save to file",
     Progress{{"R39", "Saving to file - nciTemp1PlugIn: reading"},
              {"W45:000C", "Saving to file - Part 12 of 12: selecting"},
              {"R46/12", "Saving to file - Part 12 of 12: reading"}},
     "File written"},
    {kReadFromFile, "Read from file",
     Progress{{"W39", "Downloading - nciTemp1PlugIn: writing"},
              {"W45:0003", "Downloading - Part 3 of 12: selecting"},
              {"W46/12", "Downloading - Part 12 of 12: writing"}},
     "Download completed [Download status]"},
    {kDefaultSettings, "Default settings",
     Progress{{"W43", "Factory settings - nciCalcValve1: writing"},
              {"W45:0007", "Factory settings - Part 7 of 12: selecting"},
              {"W46/7", "Factory settings - Part 7 of 12: writing"}},
     "module Please restart the plugin [HD7_3]"},
};

class LongOperation : public ImportExportPage, public ::testing::WithParamInterface<Operation> {};

TEST_P(LongOperation, SheetPaintsNoTimerFiresAndTheStepsShowAsTheyHappen) {
  const Operation& op = GetParam();
  const std::string path = folder.Path("node.txt");
  if (op.button == kReadFromFile) Save(path);  // the factory settings to download
  f.driver->Type(kPassword, "Kobalt");
  f.platform.QueueFile(path);
  f.platform.QueueAnswer(fw::kIdYes);
  f.node.SetSelectedPart(0);
  f.node.SetLatency(60);  // a slow network: every host call blocks this long

  std::map<std::string, std::string> seen;
  std::set<std::string> captions;
  f.node.OnCall([&](const sim::HostCall& call) {
    captions.insert(f.driver->Text(op.button));
    std::string key = Traffic({call}, false, call.index == 45)[0];
    if (call.index == 46) key += "/" + std::to_string(call.part);
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
  EXPECT_EQ(captions, std::set<std::string>{"Please wait..."});
  EXPECT_EQ(f.driver->Text(op.button), op.caption);
  EXPECT_EQ(f.driver->Text(kProgress), "") << "cleared when the operation ends";
  EXPECT_EQ(Messages().back(), op.closingMessage);
}

INSTANTIATE_TEST_SUITE_P(ImportExport, LongOperation, ::testing::ValuesIn(kOperations),
                         testing_support::NamedBy([](const Operation& op) { return op.caption; }));

// The measure itself: blocked time between pauses counts, pauses do not.
TEST(LongestUnpainted, CountsTheStretchesOutsidePauses) {
  fw::headless::HeadlessPlatform platform;
  for (const auto& [block, ms] :
       {std::pair{true, 30u}, {false, 200u}, {true, 120u}, {false, 50u}, {true, 10u}}) {
    block ? platform.Block(ms) : platform.Sleep(ms);
  }
  EXPECT_EQ(platform.LongestUnpaintedMs(0, platform.TickCount()), 120u);
  EXPECT_EQ(platform.LongestUnpaintedMs(0, 100), 30u);
  EXPECT_EQ(platform.LongestUnpaintedMs(400, 410), 10u);
}

}  // namespace
