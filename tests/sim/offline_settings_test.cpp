// A NodeSettings file loaded as a download takes it, changed on a page, saved as "Save to file"
// writes, without the node's pauses; a refused file or a failed save costs nothing.
#include "sim/offline_settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sstream>
#include <tuple>

#include "settingsfile/settings_export.h"
#include "settingsfile/settings_reader.h"
#include "tests/settingsfile/temp_folder.h"
#include "tests/support/case_names.h"
#include "tests/support/fixture.h"

namespace fs = std::filesystem;
using settingsfile_test::TempFolder;
using sim::DiskChange;
using sim::OfflineSaveOutcome;
using sim::OfflineStart;

namespace {

constexpr const char* kOtherProgramIdLine = "- 90 48 44 37 5F 33 42 2B";

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
  // The original file with the first `from` in it replaced.
  std::string Edited(const char* from, const std::string& to) const {
    std::string text = original;
    return text.replace(text.find(from), std::strlen(from), to);
  }

  testing_support::NodeFixture f;
  sim::SimulatedNode source;
  TempFolder folder;
  std::string original, path;
};

// The night offset of each circuit's Settings Temperatures page (among the sheet's 36): the
// text typed into field 265, and the record and its bytes 21 and 22 it is saved as.
using PageChange = std::tuple<size_t, const char*, size_t, std::vector<uint8_t>>;

class OfflineChange : public Offline, public ::testing::WithParamInterface<PageChange> {};

TEST_P(OfflineChange, SavesExactlyTheSettingChangedOnItsPage) {
  const auto& [page, typed, record, bytes] = GetParam();
  sim::OfflineSettings file(path);
  const uint64_t t0 = f.platform.TickCount();
  ASSERT_EQ(file.Load(f.node, nullptr), OfflineStart::kLoaded);
  EXPECT_EQ(f.platform.TickCount(), t0) << "no pauses";
  EXPECT_EQ(*FetchNodeName(NodeIo(&f.node, &f.node), 31), "Kessel 2");
  EXPECT_FALSE(file.NeedsSaving(f.node));

  f.OpenSheet();
  f.Show(*f.sheet->AllPages()[page]);
  f.driver->Type(265, typed);
  f.driver->Click(210);
  ASSERT_TRUE(file.NeedsSaving(f.node));
  const uint64_t t1 = f.platform.TickCount();
  const sim::OfflineSave save = file.Save(f.node);
  EXPECT_EQ(f.platform.TickCount(), t1) << "no pauses";
  ASSERT_EQ(save.outcome, OfflineSaveOutcome::kWritten);
  EXPECT_EQ(TempFolder::Read(path), save.savedText);
  EXPECT_FALSE(file.NeedsSaving(f.node));

  // Of the file's lines only the setting's value line changes (and the time stamp, line 8).
  TextLineReader lines(save.savedText);
  const FileRecord saved = ReadSettingsFile(lines).records[record];
  std::istringstream a(original), b(save.savedText);
  std::vector<int> changed;
  int line = 0;
  for (std::string x, y; std::getline(a, x) && std::getline(b, y);) {
    if (++line != 8 && x != y) changed.push_back(line);
  }
  EXPECT_EQ(changed, std::vector<int>{saved.valueLine});
  EXPECT_EQ(std::vector<uint8_t>(saved.bytes.begin() + 21, saved.bytes.begin() + 23), bytes);
}

const PageChange kChanges[] = {{20, "7", 0, {0x02, 0xBC}}, {21, "3.5", 1, {0x01, 0x5E}}};
INSTANTIATE_TEST_SUITE_P(Twins, OfflineChange, ::testing::ValuesIn(kChanges),
                         testing_support::NamedBy([](const PageChange& c) {
                           return "Page" + std::to_string(std::get<0>(c));
                         }));

TEST_F(Offline, NewFileStartsFromFactorySettingsAndIsAskedAbout) {
  f.node.SetPart(9, std::vector<uint8_t>(31, 1));
  sim::OfflineSettings file(folder.Path("Neu.txt"));
  ASSERT_EQ(file.Load(f.node, nullptr), OfflineStart::kNewFile);
  EXPECT_EQ(sim::SettingsOf(f.node), sim::SettingsOf(sim::SimulatedNode()));
  EXPECT_TRUE(file.NeedsSaving(f.node)) << "no file yet";
  EXPECT_EQ(file.Save(f.node).previousName, "factory settings");
  EXPECT_FALSE(file.NeedsSaving(f.node));
}

// What happens to the file while the host has it open (another program, a read-only folder, a
// full disk), what a plain save then meets, and what the save the engineer then forces does.
using DiskEvent = std::tuple<std::string, DiskChange, OfflineSaveOutcome, OfflineSaveOutcome>;

class OfflineDiskChange : public Offline, public ::testing::WithParamInterface<DiskEvent> {};

TEST_P(OfflineDiskChange, NothingIsWrittenUnaskedAndWhatChangedIsToldAgainstTheDisk) {
  const auto& [what, change, plain, forced] = GetParam();
  const std::string target = what == "appeared" ? folder.Path("Neu.txt") : path;
  sim::OfflineSettings file(target);
  ASSERT_NE(file.Load(f.node, nullptr), OfflineStart::kRefused);
  f.node.SetByte(39, 22, 0x99);
  if (what == "rewritten") folder.Write("Kessel 2.txt", Edited("- Kessel 2", "- Kessel 3"));
  if (what == "appeared") folder.Write("Neu.txt", original);
  if (what == "removed") fs::remove(target);
  if (what == "unreadable") fs::permissions(target, fs::perms::none);
  folder.SetReadOnly(what == "readonly_folder");
  const bool existed = fs::exists(target);
  const std::string before = TempFolder::Read(target);
  // Where file permissions and the size limit hold: the file may not be read, or written.
  const bool confined = what == "unreadable" || what == "readonly_folder" || what == "full_disk";

  auto scenario = [&, change = change, plain = plain, forced = forced] {
    EXPECT_EQ(file.Look().change, change);
    EXPECT_EQ(file.Save(f.node).outcome, plain);
    EXPECT_EQ(fs::exists(target), existed);
    EXPECT_TRUE(confined || TempFolder::Read(target) == before) << "not written unasked";
    EXPECT_TRUE(file.NeedsSaving(f.node));
    if (plain != OfflineSaveOutcome::kChangedOnDisk) return;

    const sim::OfflineSave save = file.Save(f.node, true);
    EXPECT_EQ(save.outcome, forced);
    if (save.outcome != OfflineSaveOutcome::kWritten) return;
    // Told against the other program's file, or what was loaded when there is none.
    EXPECT_EQ(save.previousText, existed ? before : original);
    EXPECT_EQ(TempFolder::Read(target), save.savedText);
    EXPECT_EQ(file.Look().change, DiskChange::kSame);
    EXPECT_FALSE(file.NeedsSaving(f.node));
  };
  if (confined) {
    EXPECT_TRUE(settingsfile_test::RunConfined(scenario, what == "full_disk" ? 1000 : -1));
    folder.SetReadOnly(false);
    EXPECT_EQ(TempFolder::Read(target), before);
  } else {
    scenario();
  }
}

using Out = OfflineSaveOutcome;
const DiskEvent kDiskEvents[] = {
    {"rewritten", DiskChange::kChanged, Out::kChangedOnDisk, Out::kWritten},
    {"removed", DiskChange::kVanished, Out::kChangedOnDisk, Out::kWritten},
    {"unreadable", DiskChange::kUnreadable, Out::kChangedOnDisk, Out::kOpenFailed},
    {"appeared", DiskChange::kAppeared, Out::kChangedOnDisk, Out::kWritten},
    {"readonly_folder", DiskChange::kSame, Out::kOpenFailed, Out::kOpenFailed},
    {"full_disk", DiskChange::kSame, Out::kWriteFailed, Out::kWriteFailed},
};
INSTANTIATE_TEST_SUITE_P(Disk, OfflineDiskChange, ::testing::ValuesIn(kDiskEvents),
                         testing_support::NamedBy([](const DiskEvent& e) {
                           return std::get<0>(e);
                         }));

// The writer's file with one text put in the place of another (the first of it); none: the path
// is a folder. Taken or refused as the download says, and the lines of it a save does not keep.
struct FileEdit {
  const char* from;
  std::string to;
  int linesNotKept;
  bool answer = true;        // to "ProgramID does not match!"
  const char* message = "";  // empty: the file is taken
};

class OfflineFile : public Offline, public ::testing::WithParamInterface<FileEdit> {};

TEST_P(OfflineFile, IsTakenWholeOrNotAtAllAndCountsTheLinesASaveDoesNotKeep) {
  const FileEdit& c = GetParam();
  const std::string text = c.from ? Edited(c.from, c.to) : original;
  const std::string target = c.from ? folder.Write("hand made.txt", text) : folder.Folder();
  const auto node = f.node.Snapshot();
  sim::OfflineSettings file(target);
  const OfflineStart start = file.Load(f.node, [&] { return c.answer; });
  EXPECT_EQ(file.Message(), c.message);
  EXPECT_EQ(c.from ? TempFolder::Read(target) : text, text);
  if (*c.message != '\0') {
    EXPECT_EQ(start, OfflineStart::kRefused);
    EXPECT_EQ(f.node.Snapshot(), node);
    return;
  }
  ASSERT_EQ(start, OfflineStart::kLoaded);
  EXPECT_EQ(sim::SettingsOf(f.node), sim::SettingsOf(source));
  const bool otherId = text.find(kOtherProgramIdLine) != std::string::npos;
  EXPECT_EQ(file.ProgramId(), otherId ? kOtherProgramIdLine + 2 : "90 48 44 37 5F 33 42 2A");
  EXPECT_EQ(file.Look().linesNotKept, c.linesNotKept);
  EXPECT_EQ(sim::CountLinesNotKept(text), c.linesNotKept);
}

const FileEdit kFileEdits[] = {
    {"/ Network", "/ checked by J. Meier\r\n/ Network", 1},
    // Blank lines, other spacing and another time stamp: nothing of the engineer's is lost.
    {"\r\n\r\n", "\r\n \r\n\r\n\t\r\n", 0},
    {", ", ",\t", 0},
    {"-2026 ", "-2020 ", 0},
    // A section the download skips, with its value line; a program ID it does not keep.
    {"* nviPluginCnf", "* nciUnknown (50) - SNVT_count\r\n7\r\n\r\n* nviPluginCnf", 2},
    {"- 90 48 44 37 5F 33 42 2A", kOtherProgramIdLine, 1},
    {"\r\n", "\r\nnotes: valve 2 replaced\r\n- 3 May\r\n", 2},
    // The single NVs are downloaded before the later program ID is refused: none reach the node.
    {"* nviPluginCnf", kOtherProgramIdLine + std::string("\r\n* nviPluginCnf"), 0, false,
     "Download not completed"},
    {nullptr, "", 0, true, "Error reading file. Download not completed"},
};
INSTANTIATE_TEST_SUITE_P(Files, OfflineFile, ::testing::ValuesIn(kFileEdits),
                         testing_support::NamedInOrder({"Comment", "BlankLinesAndSpacing", "Tab",
                                                        "OtherTimeStamp", "SkippedSection",
                                                        "OtherProgramId", "TextNotRead",
                                                        "LateOtherProgramId", "NoFile"}));

}  // namespace
