#include "settingsfile/import_export_page.h"

#include <gtest/gtest.h>

#include "nvdata/config_part.h"
#include "resources/dialog_import_export.h"
#include "settingsfile/settings_export.h"
#include "tests/settingsfile/temp_folder.h"
#include "tests/support/fixture.h"

using namespace import_export;
using settingsfile_test::RunConfined;
using settingsfile_test::TempFolder;
using testing_support::NodeFixture;
using testing_support::Traffic;

namespace {

const std::string kFile =
    "- 90 48 44 37 5F 33 42 2A\r\n"
    "* nciSwitchExt1     (40) - SNVT_count             \r\n"
    "300\r\n";

struct Shown {
  fw::MessageKind kind;
  std::string text;
  std::optional<std::string> caption;
  unsigned buttons;
  bool operator==(const Shown& o) const {
    return kind == o.kind && text == o.text && caption == o.caption && buttons == o.buttons;
  }
};
std::ostream& operator<<(std::ostream& out, const Shown& s) {
  return out << (s.kind == fw::MessageKind::kModule ? "module " : "page ") << '"' << s.text
             << "\" caption " << s.caption.value_or("(default)") << " buttons " << s.buttons;
}
Shown Page(const std::string& text, std::optional<std::string> caption = std::nullopt,
           unsigned buttons = fw::kMbOk) {
  return {fw::MessageKind::kPage, text, std::move(caption), buttons};
}
Shown Module(const std::string& text) {
  return {fw::MessageKind::kModule, text, std::string("HD7_3"), fw::kMbOk};
}

class ImportExportPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.platform.SetLocalTime({2026, 12, 5, 9, 5, 7});
    f.OpenSheet();
    ShowPage();
  }
  void ShowPage() {
    f.driver->SelectTab(0);
    ASSERT_TRUE(f.driver->SelectTab(std::string("Import / Export")));
    f.platform.ClearMessages();
  }
  std::vector<Shown> Messages() const {
    std::vector<Shown> shown;
    for (const auto& m : f.platform.Messages()) {
      shown.push_back({m.request.kind, m.request.text, m.request.caption, m.request.flags});
    }
    return shown;
  }
  void Save(std::optional<std::string> path) {
    f.platform.QueueFile(std::move(path));
    f.driver->Click(kSaveToFile);
  }
  void Download(std::optional<std::string> path, const std::string& password = "Kobalt") {
    f.driver->Type(kPassword, password);
    f.platform.QueueFile(std::move(path));
    f.driver->Click(kReadFromFile);
  }

  NodeFixture f;
  TempFolder folder;
};

TEST_F(ImportExportPageTest, ShowingAndDefaultFetchTheNodeNameAndTheDefaultFileName) {
  EXPECT_EQ(f.driver->Text(kNodeName), "HD7_3 Sim");
  EXPECT_EQ(f.driver->Text(kFileName), "C:\\HD7_3 Sim.txt");
  EXPECT_TRUE(f.driver->Enabled(kSaveToFile));

  // What the engineer typed is replaced on the next showing; the name is cut to 20 bytes.
  f.driver->Type(kFileName, "D:\\mine.txt");
  f.node.SetNodeName("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  const size_t before = f.node.Log().size();
  ShowPage();
  EXPECT_EQ(f.driver->Text(kNodeName), "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(f.driver->Text(kFileName), "C:\\ABCDEFGHIJKLMNOPQRST.txt");
  const auto calls = f.CallsSince(before);
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(Traffic({calls.back()}), std::vector<std::string>{"N"});
  EXPECT_EQ(calls.back().size, 20);

  // Without a name: "Save to file" is disabled and the fields stay; "Default" tries again.
  f.driver->Type(kFileName, "D:\\mine.txt");
  f.node.SetNodeNameStatus(9);
  f.driver->Click(kDefaultName);
  EXPECT_FALSE(f.driver->Enabled(kSaveToFile));
  EXPECT_EQ(f.driver->Text(kFileName), "D:\\mine.txt");
  EXPECT_EQ(f.driver->Text(kNodeName), "ABCDEFGHIJKLMNOPQRST");
  EXPECT_FALSE(f.driver->Click(kSaveToFile));
  f.node.SetNodeNameStatus(0);
  f.node.SetNodeNameBytes({'B', '7', 0, 'x'});
  f.driver->Click(kDefaultName);
  EXPECT_TRUE(f.driver->Enabled(kSaveToFile));
  EXPECT_EQ(f.driver->Text(kFileName), "C:\\B7.txt");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ImportExportPageTest, SaveAsksBeforeReplacingAndReportsTheOutcome) {
  f.driver->Type(kFileName, folder.Path("typed"));
  Save(std::nullopt);
  ASSERT_EQ(f.platform.FileRequests().size(), 1u);
  const fw::FileDialogRequest& request = f.platform.FileRequests()[0];
  EXPECT_TRUE(request.save);
  EXPECT_EQ(request.initialName, folder.Path("typed"));
  EXPECT_EQ(request.defaultExt, "txt");
  EXPECT_EQ(request.filter, "Tavera NodeSettings (*.txt)|*.txt|All files (*.*)|*.*|");
  EXPECT_TRUE(request.hideReadOnly);
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(folder.Names().empty());

  // A name without an extension gets ".txt", and the field shows the path.
  Save(folder.Path("node"));
  EXPECT_EQ(f.driver->Text(kFileName), folder.Path("node.txt"));
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"node.txt"});
  EXPECT_EQ(Messages(), std::vector<Shown>{Page("File written")});
  const std::string first = TempFolder::Read(folder.Path("node.txt"));
  EXPECT_NE(first.find("\r\n- 5/12-2026  9:05:07\r\n"), std::string::npos);

  // An existing file: No keeps it.
  f.platform.ClearMessages();
  f.node.FailReads(41);
  f.platform.QueueAnswer(fw::kIdNo);
  Save(folder.Path("node.txt"));
  EXPECT_EQ(Messages(),
            (std::vector<Shown>{Page("Overwrite existing file?", "File exists!", fw::kMbYesNo),
                                Page("File not written")}));
  EXPECT_EQ(TempFolder::Read(folder.Path("node.txt")), first);

  // Yes replaces it; failed reads are counted in the message.
  f.platform.ClearMessages();
  f.node.FailReads(43);
  f.node.FailReads(kIndexPluginCnf);
  f.platform.QueueAnswer(fw::kIdYes);
  Save(folder.Path("node.txt"));
  EXPECT_EQ(Messages().back(), Page("File Written. 14 NV read errors"));
  EXPECT_NE(TempFolder::Read(folder.Path("node.txt")), first);

  // A path that is a folder cannot be written.
  f.platform.ClearMessages();
  std::filesystem::create_directory(folder.Path("folder.txt"));
  Save(folder.Path("folder.txt"));
  EXPECT_EQ(Messages(), std::vector<Shown>{Page("Error opening file")});
  EXPECT_EQ(f.driver->Text(kSaveToFile), "Save to file");
}

TEST_F(ImportExportPageTest, AFailedSaveKeepsTheOldFile) {
  const std::string old = "an older backup\r\n";
  const std::string path = folder.Write("node.txt", old);
  // The disk takes no more than 200 bytes.
  EXPECT_TRUE(RunConfined(
      [&] {
        f.platform.QueueAnswer(fw::kIdYes);
        Save(path);
        EXPECT_EQ(Messages().back(), Page("Error writing file"));
      },
      200));
  EXPECT_EQ(TempFolder::Read(path), old);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"node.txt"});

  // A read-only file fails the read-and-write probe: no question, and it cannot be opened.
  using std::filesystem::perms;
  folder.Write("locked.txt", old, perms::owner_read | perms::group_read | perms::others_read);
  EXPECT_TRUE(RunConfined([&] {
    Save(folder.Path("locked.txt"));
    EXPECT_EQ(Messages(), std::vector<Shown>{Page("Error opening file")});
  }));
  EXPECT_EQ(TempFolder::Read(folder.Path("locked.txt")), old);
}

TEST_F(ImportExportPageTest, DownloadAsksAndReports) {
  const std::string path = folder.Write("node.txt", kFile);
  f.driver->Type(kFileName, "C:\\kept.txt");

  // Wrong password (the case counts): no dialog, the field keeps what was typed.
  f.driver->Type(kPassword, "kobalt");
  f.driver->Click(kReadFromFile);
  EXPECT_EQ(Messages(), std::vector<Shown>{Page("Wrong password!", "Download status")});
  EXPECT_EQ(f.driver->Text(kPassword), "kobalt");
  EXPECT_TRUE(f.platform.FileRequests().empty());

  // Cancelled dialog: nothing said, password emptied.
  f.platform.ClearMessages();
  f.driver->Type(kPassword, "Kobalt");
  f.driver->Click(kReadFromFile);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(f.driver->Text(kPassword), "");
  ASSERT_EQ(f.platform.FileRequests().size(), 1u);
  EXPECT_FALSE(f.platform.FileRequests()[0].save);
  EXPECT_EQ(f.platform.FileRequests()[0].initialName, "C:\\kept.txt");
  EXPECT_EQ(f.platform.FileRequests()[0].defaultExt, "txt");

  Download(folder.Path("missing.txt"));
  EXPECT_EQ(Messages(), std::vector<Shown>{Page("File not found!")});
  EXPECT_EQ(f.driver->Text(kPassword), "");

  // Refused: the node is untouched.
  f.platform.ClearMessages();
  f.node.ClearLog();
  f.platform.QueueAnswer(fw::kIdNo);
  Download(path);
  EXPECT_EQ(Messages(),
            (std::vector<Shown>{Page("Download from file to node?", "Download", fw::kMbYesNo),
                                Page("Download aborted", "Download status")}));
  for (const sim::HostCall& call : f.node.Log()) {
    EXPECT_NE(call.kind, sim::HostCall::Kind::kWrite);
  }

  // Agreed, and a name typed without ".txt" finds the file with it.
  f.platform.ClearMessages();
  f.platform.QueueAnswer(fw::kIdYes);
  Download(folder.Path("node"));
  EXPECT_EQ(Messages().back(), Page("Download completed", "Download status"));
  EXPECT_EQ(f.node.Bytes(41), (std::vector<uint8_t>{0x01, 0x2C}));
  EXPECT_EQ(f.node.SelectedPart(), 0);
  EXPECT_EQ(f.driver->Text(kFileName), "C:\\kept.txt");
  EXPECT_EQ(f.driver->Text(kPassword), "");
  EXPECT_EQ(f.driver->Text(kReadFromFile), "Read from file");
}

TEST_F(ImportExportPageTest, DownloadReportsProgramIdAndWriteErrors) {
  const std::string mismatched =
      folder.Write("other.txt", "- 90 48 44 37 5F 33 42 2B\r\n" + kFile.substr(27) + kFile);
  f.platform.QueueAnswer(fw::kIdYes);
  f.platform.QueueAnswer(fw::kIdNo);
  Download(mismatched);
  EXPECT_EQ(Messages(),
            (std::vector<Shown>{Page("Download from file to node?", "Download", fw::kMbYesNo),
                                Page("ProgramID does not match!\nDo you want to download anyway?",
                                     "ProgramID does not match!", fw::kMbYesNo),
                                Page("Download completed", "Download status")}));

  f.platform.ClearMessages();
  f.node.FailWrites(41);
  f.platform.QueueAnswer(fw::kIdYes);
  Download(mismatched);  // the mismatch is refused; the later matching line enables again
  EXPECT_EQ(Messages().back(), Page("Download completed. 1 NV write errors", "Download status"));

  f.platform.ClearMessages();
  const std::string noId = folder.Write("noid.txt", kFile.substr(27));
  f.platform.QueueAnswer(fw::kIdYes);
  Download(noId);
  EXPECT_EQ(Messages().back(), Page("Download not completed", "Download status"));

  // A path that opens but cannot be read (a folder): a read error, never "completed".
  f.platform.ClearMessages();
  std::filesystem::create_directory(folder.Path("unreadable.txt"));
  f.platform.QueueAnswer(fw::kIdYes);
  Download(folder.Path("unreadable.txt"));
  EXPECT_EQ(Messages().back(),
            Page("Error reading file. Download not completed", "Download status"));
}

TEST_F(ImportExportPageTest, AReadOnlyFileDownloads) {
  using std::filesystem::perms;
  const std::string path =
      folder.Write("node.txt", kFile, perms::owner_read | perms::group_read | perms::others_read);
  EXPECT_TRUE(RunConfined([&] {
    f.platform.QueueAnswer(fw::kIdYes);
    Download(path);
    EXPECT_EQ(Messages().back(), Page("Download completed", "Download status"));
    EXPECT_EQ(f.node.Bytes(41), (std::vector<uint8_t>{0x01, 0x2C}));
  }));
}

TEST_F(ImportExportPageTest, FactorySettingsNeedThePasswordAndReportWriteErrors) {
  f.node.SetBytes(41, {0x12, 0x34});
  f.driver->Type(kPassword, "Kobalt ");
  f.driver->Click(kDefaultSettings);
  EXPECT_EQ(Messages(), std::vector<Shown>{Module("Wrong password")});
  EXPECT_EQ(f.driver->Text(kPassword), "");
  EXPECT_EQ(f.node.Bytes(41), (std::vector<uint8_t>{0x12, 0x34}));

  f.platform.ClearMessages();
  f.driver->Type(kPassword, "Kobalt");
  f.driver->Click(kDefaultSettings);
  EXPECT_EQ(Messages(), std::vector<Shown>{Module("Please restart the plugin")});
  EXPECT_EQ(f.node.Bytes(41), (std::vector<uint8_t>{0x00, 0xFF}));
  EXPECT_EQ(f.driver->Text(kPassword), "");
  EXPECT_EQ(f.node.SelectedPart(), 0);

  f.platform.ClearMessages();
  f.node.FailWrites(39);
  f.node.FailWrites(44);
  f.driver->Type(kPassword, "Kobalt");
  f.driver->Click(kDefaultSettings);
  EXPECT_EQ(
      Messages(),
      std::vector<Shown>{Module("Default settings: 2 NV write errors. Please restart the plugin")});
}

// Sees the buttons' captions whenever the page waits or asks.
class CaptionSpy : public fw::headless::HeadlessPlatform {
 public:
  explicit CaptionSpy(std::function<void()> look) : look_(std::move(look)) {}
  void Sleep(uint32_t ms) override {
    look_();
    HeadlessPlatform::Sleep(ms);
  }
  int ShowMessageBox(const fw::MessageBoxRequest& request) override {
    look_();
    return HeadlessPlatform::ShowMessageBox(request);
  }
  std::optional<std::string> FileDialog(const fw::FileDialogRequest& request) override {
    look_();
    return HeadlessPlatform::FileDialog(request);
  }

 private:
  std::function<void()> look_;
};

TEST_F(ImportExportPageTest, ButtonsSayPleaseWaitWhileTheyWork) {
  std::set<std::string> seen;
  CaptionSpy spy([&] {
    for (int id : {kSaveToFile, kReadFromFile, kDefaultSettings}) seen.insert(f.driver->Text(id));
  });
  f.driver->Click(kSaveToFile);  // the dialog is cancelled
  EXPECT_EQ(seen, (std::set<std::string>{"Please wait...", "Read from file", "Default settings"}));
  seen.clear();
  f.driver->Type(kPassword, "wrong");
  f.driver->Click(kReadFromFile);
  EXPECT_EQ(seen, (std::set<std::string>{"Save to file", "Please wait...", "Default settings"}));
  seen.clear();
  f.driver->Type(kPassword, "Kobalt");
  f.driver->Click(kDefaultSettings);
  // While writing "Please wait..."; back to "Default settings" before the closing message.
  EXPECT_EQ(seen, (std::set<std::string>{"Save to file", "Read from file", "Please wait...",
                                         "Default settings"}));
  EXPECT_EQ(spy.Messages().back().request.text, "Please restart the plugin");
  for (int id : {kSaveToFile, kReadFromFile}) EXPECT_NE(f.driver->Text(id), "Please wait...");
  EXPECT_EQ(f.driver->Text(kDefaultSettings), "Default settings");
}

std::string WithoutTimestamp(std::string text) {
  const size_t at = text.find("/ Export timestamp");
  const size_t end = text.find("\r\n", text.find("\r\n", at) + 2);
  return text.erase(at, end - at);
}

TEST_F(ImportExportPageTest, RoundTripBringsTheNodeBack) {
  std::vector<uint8_t> part3 = f.node.Part(3);
  part3[0] = 0xF6;  // -10: a value line that begins with a minus sign
  part3[30] = 0x99;
  f.node.SetPart(3, part3);
  f.node.SetBytes(43, {0x80, 0x7F, 0xFF, 0x01});
  const auto before = f.node.Snapshot();
  Save(folder.Path("before.txt"));

  f.node.LoadFactorySettings();
  f.node.SetBytes(41, {0xAB, 0xCD});
  ASSERT_NE(f.node.Snapshot(), before);
  f.platform.QueueAnswer(fw::kIdYes);
  Download(folder.Path("before.txt"));
  EXPECT_EQ(Messages().back(), Page("Download completed", "Download status"));
  EXPECT_EQ(f.node.SelectedPart(), 0);
  EXPECT_EQ(f.node.Snapshot(), before);

  Save(folder.Path("after.txt"));
  const std::string first = TempFolder::Read(folder.Path("before.txt"));
  const std::string second = TempFolder::Read(folder.Path("after.txt"));
  EXPECT_NE(first, second);  // minutes of virtual time apart
  EXPECT_EQ(WithoutTimestamp(first), WithoutTimestamp(second));
}

}  // namespace
