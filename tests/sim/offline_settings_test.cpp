// A NodeSettings file prepared at the desk: loaded as a download takes it, changed through a
// page, saved as "Save to file" writes; a refused file and a failed save cost nothing; a new
// file starts from the factory settings. No virtual time passes in a load or a save.
#include "sim/offline_settings.h"

#include <gtest/gtest.h>

#include <sstream>

#include "settingsfile/settings_export.h"
#include "settingsfile/settings_reader.h"
#include "tests/settingsfile/temp_folder.h"
#include "tests/support/fixture.h"
#include "tools/settings_tool.h"

using settingsfile_test::kReadOnly;
using settingsfile_test::RunConfined;
using settingsfile_test::TempFolder;

namespace {

constexpr const char* kOtherProgramId = "- 90 48 44 37 5F 33 42 2B";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

SettingsFileContent Read(const std::string& text) {
  TextLineReader lines(text);
  return ReadSettingsFile(lines);
}

class OfflineTest : public ::testing::Test {
 protected:
  // A file from the writer, of a node whose settings are not the factory ones.
  void SetUp() override {
    source.SetNodeName("Kessel 2");
    source.SetBytes(41, {0x01, 0x2C});
    source.SetByte(39, 5, 0x07);
    std::vector<uint8_t> part = source.Part(6);
    part[12] = 40;
    source.SetPart(6, part);
    int errors = 0;
    original = WithCrLf(ExportText(NodeIo(&source, &source), errors, nullptr));
    path = folder.Write("Kessel 2.txt", original);
  }

  testing_support::NodeFixture f;
  sim::SimulatedNode source;
  TempFolder folder;
  std::string original;
  std::string path;
};

// --------------------------------------------------------------- one setting changed on its page

struct PageChange {
  const char* name;
  int page;  // among the sheet's 36
  int field;
  const char* text;
  const char* setting;  // as the settings tool names it
  size_t record;
  size_t at;                   // the setting's first byte in the record
  std::vector<uint8_t> bytes;  // what it then holds
};

const PageChange kChanges[] = {
    {"Bl1NightOffset", 20, 265, "7", "BL1 heating curve, night offset", 0, 21, {0x02, 0xBC}},
    {"Bl2NightOffset", 21, 265, "3.5", "BL2 heating curve, night offset", 1, 21, {0x01, 0x5E}},
};

class OfflineChange : public OfflineTest, public ::testing::WithParamInterface<PageChange> {};

TEST_P(OfflineChange, SavesExactlyTheSettingChangedOnItsPage) {
  const PageChange& c = GetParam();
  sim::OfflineSettings file(path);
  const uint64_t t0 = f.platform.TickCount();
  ASSERT_EQ(file.Load(f.node, nullptr), sim::OfflineStart::kLoaded);
  EXPECT_EQ(f.platform.TickCount(), t0) << "the load waits no node";
  EXPECT_EQ(sim::SettingsOf(f.node), sim::SettingsOf(source));
  EXPECT_EQ(f.node.Bytes(14), source.Bytes(14)) << "live values are the node's own";
  EXPECT_EQ(*FetchNodeName(NodeIo(&f.node, &f.node), 31), "Kessel 2");
  EXPECT_EQ(file.ProgramId(), "90 48 44 37 5F 33 42 2A");
  EXPECT_FALSE(file.NeedsSaving(f.node));

  f.OpenSheet();
  fw::CPropertyPage& page = *f.sheet->AllPages()[static_cast<size_t>(c.page)];
  f.Show(page);
  f.driver->Type(c.field, c.text);
  f.driver->Click(210);
  f.CloseSheet();
  ASSERT_TRUE(file.NeedsSaving(f.node));

  const uint64_t t1 = f.platform.TickCount();
  const sim::OfflineSave save = file.Save(f.node);
  EXPECT_EQ(f.platform.TickCount(), t1) << "the save waits no node";
  ASSERT_EQ(save.outcome, FileWriteOutcome::kWritten);
  EXPECT_EQ(save.previousText, original);
  EXPECT_EQ(TempFolder::Read(path), save.savedText);
  EXPECT_FALSE(file.NeedsSaving(f.node));

  // Line by line: the time stamp and the one value line, nothing else.
  const std::vector<std::string> before = Lines(original), after = Lines(save.savedText);
  ASSERT_EQ(before.size(), after.size());
  std::vector<size_t> changed;
  for (size_t i = 0; i < before.size(); ++i) {
    if (before[i] != after[i] && before[i - 1].rfind("/ Export timestamp", 0) != 0) {
      changed.push_back(i);
    }
  }
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(Read(save.savedText).records[c.record].valueLine, static_cast<int>(changed[0]) + 1);

  // The reader: the setting's bytes are the new value, every other byte is the original's.
  const SettingsFileContent b = Read(save.savedText);
  EXPECT_TRUE(b.IsComplete());
  EXPECT_EQ(b.nodeName, "Kessel 2");
  std::vector<uint8_t> expected = Read(original).records[c.record].bytes;
  std::copy(c.bytes.begin(), c.bytes.end(), expected.begin() + static_cast<long>(c.at));
  for (size_t r = 0; r < b.records.size(); ++r) {
    EXPECT_EQ(b.records[r].bytes, r == c.record ? expected : Read(original).records[r].bytes)
        << "record " << r;
  }

  // The tool names that one setting.
  std::ostringstream out, err;
  EXPECT_EQ(DiffTexts(save.previousName, save.previousText, path, save.savedText, false, out, err),
            1);
  EXPECT_NE(out.str().find(c.setting), std::string::npos) << out.str();
  EXPECT_NE(out.str().find("\n1 difference.\n"), std::string::npos) << out.str();
}

INSTANTIATE_TEST_SUITE_P(Pages, OfflineChange, ::testing::ValuesIn(kChanges),
                         [](const auto& info) { return std::string(info.param.name); });

// --------------------------------------------------------------- files the download refuses

struct RefusedFile {
  const char* name;
  std::function<std::string(const std::string&)> text;  // from the writer's file
  bool answer;                                          // to "ProgramID does not match!"
  int asked;                                            // times the question comes
  sim::OfflineStart start;
  const char* message;
};

const RefusedFile kRefused[] = {
    {"NoProgramId",
     [](const std::string& t) { return Replaced(t, "- 90 48 44 37 5F 33 42 2A", ""); }, true, 0,
     sim::OfflineStart::kRefused, "Download not completed"},
    {"OtherProgramIdRefused",
     [](const std::string& t) { return Replaced(t, "- 90 48 44 37 5F 33 42 2A", kOtherProgramId); },
     false, 1, sim::OfflineStart::kRefused, "Download not completed"},
    // Sections are downloaded before the later program ID is refused: none may reach the node.
    {"LaterProgramIdRefused",
     [](const std::string& t) {
       return Replaced(t, "* nviPluginCnf", std::string(kOtherProgramId) + "\r\n* nviPluginCnf");
     },
     false, 1, sim::OfflineStart::kRefused, "Download not completed"},
    {"OtherProgramIdTaken",
     [](const std::string& t) { return Replaced(t, "- 90 48 44 37 5F 33 42 2A", kOtherProgramId); },
     true, 1, sim::OfflineStart::kLoaded, ""},
    {"Folder", nullptr, true, 0, sim::OfflineStart::kRefused,
     "Error reading file. Download not completed"},
};

class OfflineRefused : public OfflineTest, public ::testing::WithParamInterface<RefusedFile> {};

TEST_P(OfflineRefused, LeavesNodeAndFileAsTheyWere) {
  const RefusedFile& c = GetParam();
  const std::string target =
      c.text ? folder.Write("hand made.txt", c.text(original)) : folder.Folder();
  const std::string bytes = c.text ? TempFolder::Read(target) : "";
  const auto node = f.node.Snapshot();
  int asked = 0;
  sim::OfflineSettings file(target);
  EXPECT_EQ(file.Load(f.node, [&] { return ++asked, c.answer; }), c.start);
  EXPECT_EQ(file.Message(), c.message);
  if (c.start == sim::OfflineStart::kRefused) {
    EXPECT_EQ(f.node.Snapshot(), node);
  } else {
    EXPECT_EQ(sim::SettingsOf(f.node), sim::SettingsOf(source));
    EXPECT_EQ(file.ProgramId(), std::string(kOtherProgramId).substr(2));
  }
  if (c.text) {
    EXPECT_EQ(TempFolder::Read(target), bytes);
  }
  EXPECT_EQ(asked, c.asked);
}

INSTANTIATE_TEST_SUITE_P(Files, OfflineRefused, ::testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.name); });

// --------------------------------------------------------------- a save that fails

struct FailedSave {
  const char* name;
  bool readOnlyFolder;
  bool readOnlyFile;
  long sizeLimit;  // bytes a file may have; -1: any
  FileWriteOutcome outcome;
};

const FailedSave kFailedSaves[] = {
    {"ReadOnlyFolder", true, false, -1, FileWriteOutcome::kOpenFailed},
    {"ReadOnlyFile", false, true, -1, FileWriteOutcome::kOpenFailed},
    {"DiskFull", false, false, 1000, FileWriteOutcome::kWriteFailed},
};

class OfflineFailedSave : public OfflineTest, public ::testing::WithParamInterface<FailedSave> {};

TEST_P(OfflineFailedSave, KeepsTheOldFileWholeAndTheChangesToSave) {
  const FailedSave& c = GetParam();
  sim::OfflineSettings file(path);
  ASSERT_EQ(file.Load(f.node, nullptr), sim::OfflineStart::kLoaded);
  f.node.SetByte(39, 22, 0x99);
  if (c.readOnlyFile) std::filesystem::permissions(path, kReadOnly);
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

INSTANTIATE_TEST_SUITE_P(Saves, OfflineFailedSave, ::testing::ValuesIn(kFailedSaves),
                         [](const auto& info) { return std::string(info.param.name); });

// --------------------------------------------------------------- a new file

TEST_F(OfflineTest, NewFileStartsFromFactorySettingsAndIsAskedAbout) {
  const std::string fresh = folder.Path("Neu.txt");
  f.node.SetByte(40, 3, 0x55);
  f.node.SetPart(9, std::vector<uint8_t>(31, 1));
  sim::OfflineSettings file(fresh);
  ASSERT_EQ(file.Load(f.node, nullptr), sim::OfflineStart::kNewFile);
  const sim::SimulatedNode factory;
  EXPECT_EQ(sim::SettingsOf(f.node), sim::SettingsOf(factory));
  EXPECT_TRUE(file.NeedsSaving(f.node)) << "no file yet";
  EXPECT_EQ(file.FileName(), "Neu.txt");

  const sim::OfflineSave save = file.Save(f.node);
  ASSERT_EQ(save.outcome, FileWriteOutcome::kWritten);
  EXPECT_EQ(save.previousName, "factory settings");
  const SettingsFileContent saved = Read(TempFolder::Read(fresh));
  EXPECT_TRUE(saved.IsComplete());
  for (size_t r = 0; r < saved.records.size(); ++r) {
    EXPECT_EQ(saved.records[r].bytes, sim::SettingsOf(factory)[r]) << "record " << r;
  }
  std::ostringstream out, err;
  EXPECT_EQ(DiffTexts(save.previousName, save.previousText, fresh, save.savedText, false, out, err),
            0);
  EXPECT_FALSE(file.NeedsSaving(f.node));
}

}  // namespace
