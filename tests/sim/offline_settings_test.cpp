// A NodeSettings file loaded as a download takes it, changed on a page, saved as "Save to file"
// writes, without the node's pauses; a refused file or a failed save costs nothing.
#include "sim/offline_settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "settingsfile/settings_export.h"
#include "settingsfile/settings_reader.h"
#include "tests/settingsfile/temp_folder.h"
#include "tests/support/fixture.h"
#include "tools/settings_tool.h"

namespace fs = std::filesystem;
using settingsfile_test::RunConfined;
using settingsfile_test::TempFolder;
using sim::DiskChange;
using sim::OfflineSaveOutcome;
using sim::OfflineStart;

namespace {

constexpr const char* kOtherProgramIdLine = "- 90 48 44 37 5F 33 42 2B";

SettingsFileContent Read(const std::string& text) {
  TextLineReader lines(text);
  return ReadSettingsFile(lines);
}

// A file from the writer, of a node whose settings are not the factory ones.
class Offline : public ::testing::Test {
 protected:
  void SetUp() override {
    source.SetNodeName("Kessel 2");
    source.SetByte(39, 5, 0x07);
    source.SetBytes(41, {0x01, 0x2C});
    int errors = 0;
    original = WithCrLf(ExportText(NodeIo(&source, &source), errors, nullptr));
    path = folder.Write("Kessel 2.txt", original);
  }

  testing_support::NodeFixture f;
  sim::SimulatedNode source;
  TempFolder folder;
  std::string original, path;
};

// The night offset of each circuit's Settings Temperatures page: field 265, bytes 21 and 22.
struct PageChange {
  size_t page;  // among the sheet's 36
  const char* text;
  const char* setting;  // as the settings tool names it
  size_t record;
  std::vector<uint8_t> bytes;
};

class OfflineChange : public Offline, public ::testing::WithParamInterface<PageChange> {};

TEST_P(OfflineChange, SavesExactlyTheSettingChangedOnItsPage) {
  const PageChange& c = GetParam();
  sim::OfflineSettings file(path);
  const uint64_t t0 = f.platform.TickCount();
  ASSERT_EQ(file.Load(f.node, nullptr), OfflineStart::kLoaded);
  EXPECT_EQ(f.platform.TickCount(), t0) << "no pauses";
  EXPECT_EQ(sim::SettingsOf(f.node), sim::SettingsOf(source));
  EXPECT_EQ(*FetchNodeName(NodeIo(&f.node, &f.node), 31), "Kessel 2");
  EXPECT_FALSE(file.NeedsSaving(f.node));

  f.OpenSheet();
  f.Show(*f.sheet->AllPages()[c.page]);
  f.driver->Type(265, c.text);
  f.driver->Click(210);
  ASSERT_TRUE(file.NeedsSaving(f.node));
  const uint64_t t1 = f.platform.TickCount();
  const sim::OfflineSave save = file.Save(f.node);
  EXPECT_EQ(f.platform.TickCount(), t1) << "no pauses";
  ASSERT_EQ(save.outcome, OfflineSaveOutcome::kWritten);
  EXPECT_EQ(TempFolder::Read(path), save.savedText);
  EXPECT_FALSE(file.NeedsSaving(f.node));

  // Of the file's lines only the setting's value line changes (and the time stamp, line 8).
  const FileRecord saved = Read(save.savedText).records[c.record];
  std::istringstream a(original), b(save.savedText);
  std::vector<int> changed;
  int line = 0;
  for (std::string x, y; std::getline(a, x) && std::getline(b, y);) {
    if (++line != 8 && x != y) changed.push_back(line);
  }
  EXPECT_EQ(changed, std::vector<int>{saved.valueLine});
  EXPECT_EQ(std::vector<uint8_t>(saved.bytes.begin() + 21, saved.bytes.begin() + 23), c.bytes);
  std::ostringstream out, err;
  EXPECT_EQ(DiffTexts(path, save.previousText, path, save.savedText, false, out, err), 1);
  EXPECT_NE(out.str().find("  " + std::string(c.setting) + " "), std::string::npos);
  EXPECT_NE(out.str().find("\n1 difference.\n"), std::string::npos) << out.str();
}

const PageChange kChanges[] = {
    {20, "7", "BL1 heating curve, night offset", 0, {0x02, 0xBC}},
    {21, "3.5", "BL2 heating curve, night offset", 1, {0x01, 0x5E}},
};
INSTANTIATE_TEST_SUITE_P(Twins, OfflineChange, ::testing::ValuesIn(kChanges));

// The writer's file with one text replaced; none: the path is a folder.
struct Refusal {
  const char* from;
  std::string to;
  bool answer;          // to "ProgramID does not match!"
  const char* message;  // empty: the file is taken
};

class OfflineRefusal : public Offline, public ::testing::WithParamInterface<Refusal> {};

TEST_P(OfflineRefusal, LeavesNodeAndFileAsTheyWere) {
  const Refusal& c = GetParam();
  std::string text = original;
  if (c.from) text.replace(text.find(c.from), std::strlen(c.from), c.to);
  const std::string target = c.from ? folder.Write("hand made.txt", text) : folder.Folder();
  const auto node = f.node.Snapshot();
  sim::OfflineSettings file(target);
  const OfflineStart start = file.Load(f.node, [&] { return c.answer; });
  EXPECT_EQ(file.Message(), c.message);
  EXPECT_EQ(start == OfflineStart::kRefused, *c.message != '\0');
  if (*c.message != '\0') {
    EXPECT_EQ(f.node.Snapshot(), node);
  } else {
    EXPECT_EQ(sim::SettingsOf(f.node), sim::SettingsOf(source));
    EXPECT_EQ(file.ProgramId(), kOtherProgramIdLine + 2);
  }
  EXPECT_EQ(c.from ? TempFolder::Read(target) : text, text);
}

const Refusal kRefusals[] = {
    // The single NVs are downloaded before the later program ID is refused: none reach the node.
    {"* nviPluginCnf", kOtherProgramIdLine + std::string("\r\n* nviPluginCnf"), false,
     "Download not completed"},
    {"- 90 48 44 37 5F 33 42 2A", kOtherProgramIdLine, true, ""},
    {nullptr, "", true, "Error reading file. Download not completed"},
};
INSTANTIATE_TEST_SUITE_P(Files, OfflineRefusal, ::testing::ValuesIn(kRefusals));

TEST_F(Offline, FailedSaveKeepsTheOldFileWholeAndTheChangesToSave) {
  sim::OfflineSettings file(path);
  ASSERT_EQ(file.Load(f.node, nullptr), OfflineStart::kLoaded);
  f.node.SetByte(39, 22, 0x99);
  // A folder that takes no new file; a disk that takes 1000 bytes of a file.
  const struct {
    bool readOnlyFolder;
    long sizeLimit;
    OfflineSaveOutcome outcome;
  } kFailures[] = {{true, -1, OfflineSaveOutcome::kOpenFailed},
                   {false, 1000, OfflineSaveOutcome::kWriteFailed}};
  for (const auto& c : kFailures) {
    folder.SetReadOnly(c.readOnlyFolder);
    EXPECT_TRUE(RunConfined(
        [&] {
          EXPECT_EQ(file.Save(f.node).outcome, c.outcome);
          EXPECT_TRUE(file.NeedsSaving(f.node));
        },
        c.sizeLimit));
    folder.SetReadOnly(false);
    EXPECT_EQ(TempFolder::Read(path), original);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Kessel 2.txt"});
  }
}

TEST_F(Offline, NewFileStartsFromFactorySettingsAndIsAskedAbout) {
  const std::string fresh = folder.Path("Neu.txt");
  f.node.SetPart(9, std::vector<uint8_t>(31, 1));
  sim::OfflineSettings file(fresh);
  ASSERT_EQ(file.Load(f.node, nullptr), OfflineStart::kNewFile);
  const sim::NodeSettings factory = sim::SettingsOf(sim::SimulatedNode());
  EXPECT_EQ(sim::SettingsOf(f.node), factory);
  EXPECT_TRUE(file.NeedsSaving(f.node)) << "no file yet";

  EXPECT_EQ(file.Save(f.node).previousName, "factory settings");
  const SettingsFileContent saved = Read(TempFolder::Read(fresh));
  for (size_t r = 0; r < saved.records.size(); ++r) EXPECT_EQ(saved.records[r].bytes, factory[r]);
  EXPECT_FALSE(file.NeedsSaving(f.node));
}

// What another program does to the file while the host has it open, and what the save then meets.
struct DiskEvent {
  const char* what;
  bool startNew;  // the host opened a path where there was no file yet
  std::function<void(const std::string& path, const std::string& original)> act;
  DiskChange change;
  OfflineSaveOutcome overwritten;  // the save the engineer then chooses anyway
  bool confined;                   // run where file permissions hold (an unreadable file)
};

class OfflineDiskChange : public Offline, public ::testing::WithParamInterface<DiskEvent> {};

TEST_P(OfflineDiskChange, SaveStopsUntilTheEngineerChoosesAndToldAgainstTheDisk) {
  const DiskEvent& c = GetParam();
  const std::string target = c.startNew ? folder.Path("Neu.txt") : path;
  sim::OfflineSettings file(target);
  ASSERT_NE(file.Load(f.node, nullptr), OfflineStart::kRefused);
  f.node.SetByte(39, 22, 0x99);
  c.act(target, original);
  const bool existed = fs::exists(target);
  const std::string before = TempFolder::Read(target);

  auto scenario = [&] {
    EXPECT_EQ(file.Look().change, c.change);
    const sim::OfflineSave plain = file.Save(f.node);
    if (c.change == DiskChange::kSame) {
      EXPECT_EQ(plain.outcome, OfflineSaveOutcome::kWritten);
      EXPECT_EQ(plain.previousText, before);
      return;
    }
    EXPECT_EQ(plain.outcome, OfflineSaveOutcome::kChangedOnDisk);
    EXPECT_EQ(fs::exists(target), existed);
    // (A file this process may not read is compared once it is back.)
    if (!c.confined) {
      EXPECT_EQ(TempFolder::Read(target), before) << "not written unasked";
    }
    EXPECT_TRUE(file.NeedsSaving(f.node));

    const sim::OfflineSave forced = file.Save(f.node, true);
    EXPECT_EQ(forced.outcome, c.overwritten);
    if (forced.outcome != OfflineSaveOutcome::kWritten) return;
    // What changed is told against the other program's file, or what was loaded when none.
    EXPECT_EQ(forced.previousText, existed ? before : original);
    EXPECT_EQ(TempFolder::Read(target), forced.savedText);
    EXPECT_EQ(file.Look().change, DiskChange::kSame);
    EXPECT_FALSE(file.NeedsSaving(f.node));
  };
  if (c.confined) {
    EXPECT_TRUE(RunConfined(scenario));
    EXPECT_EQ(TempFolder::Read(target), before);
  } else {
    scenario();
  }
}

const DiskEvent kDiskEvents[] = {
    {"untouched", false, [](const std::string&, const std::string&) {}, DiskChange::kSame,
     OfflineSaveOutcome::kWritten, false},
    {"rewritten", false,
     [](const std::string& p, const std::string& o) {
       std::string text = o;
       text.replace(text.find("- Kessel 2"), 10, "- Kessel 3");
       std::ofstream(p, std::ios::binary | std::ios::trunc) << text;
     },
     DiskChange::kChanged, OfflineSaveOutcome::kWritten, false},
    {"removed", false, [](const std::string& p, const std::string&) { fs::remove(p); },
     DiskChange::kVanished, OfflineSaveOutcome::kWritten, false},
    {"unreadable", false,
     [](const std::string& p, const std::string&) { fs::permissions(p, fs::perms::none); },
     DiskChange::kUnreadable, OfflineSaveOutcome::kOpenFailed, true},
    {"appeared", true,
     [](const std::string& p, const std::string& o) {
       std::ofstream(p, std::ios::binary | std::ios::trunc) << o;
     },
     DiskChange::kAppeared, OfflineSaveOutcome::kWritten, false},
};
INSTANTIATE_TEST_SUITE_P(Disk, OfflineDiskChange, ::testing::ValuesIn(kDiskEvents),
                         [](const auto& info) { return std::string(info.param.what); });

// The writer's file with one text put in the place of another (the first of it).
struct HandEdit {
  const char* from;  // none: the time stamp line
  const char* to;
  int linesNotKept;
};

class OfflineHandEdit : public Offline, public ::testing::WithParamInterface<HandEdit> {};

TEST_P(OfflineHandEdit, CountsTheLinesASaveDoesNotKeep) {
  const HandEdit& c = GetParam();
  std::string text = original;
  std::string from = c.from ? c.from : "";
  if (!c.from) {
    const size_t at = text.find("\r\n", text.find("/ Export timestamp")) + 2;
    from = text.substr(at, text.find("\r\n", at) - at);
  }
  text.replace(text.find(from), from.size(), c.to);
  sim::OfflineSettings file(folder.Write("hand made.txt", text));
  ASSERT_EQ(file.Load(f.node, [] { return true; }), OfflineStart::kLoaded);
  EXPECT_EQ(file.Look().linesNotKept, c.linesNotKept);
  EXPECT_EQ(sim::CountLinesNotKept(text), c.linesNotKept);
}

const HandEdit kHandEdits[] = {
    {"/ Network", "/ Network", 0},
    {"/ Network", "/ checked by J. Meier\r\n/ Network", 1},
    // Blank lines, other spacing and another time stamp: nothing of the engineer's is lost.
    {"\r\n\r\n", "\r\n \r\n\r\n\t\r\n", 0},
    {", ", ",\t", 0},
    {nullptr, "- 1/1-2020  00:00:00", 0},
    // A section the download skips, with its value line; a program ID it does not keep.
    {"* nviPluginCnf", "* nciUnknown (50) - SNVT_count\r\n7\r\n\r\n* nviPluginCnf", 2},
    {"- 90 48 44 37 5F 33 42 2A", kOtherProgramIdLine, 1},
    {"\r\n", "\r\nnotes: valve 2 replaced\r\n- 3 May\r\n", 2},
};
INSTANTIATE_TEST_SUITE_P(Edits, OfflineHandEdit, ::testing::ValuesIn(kHandEdits));

}  // namespace
