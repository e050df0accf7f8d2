// Two NodeSettings files compared the way the pages show the node, and what a file holds that
// a reader should be told: the settings tool's diff, check and report, and the demo host's
// offline editor after a save, all use it. Exit codes as the tool's: diff 0 equal, 1 different,
// 2 when either file is unusable.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "framework/text_escape.h"
#include "settingsfile/settings_reader.h"

// The exit code of a file the tool cannot take (and of arguments it cannot take).
constexpr int kExitUnreadable = 2;

// The whole file at `path`; nothing, with the reason on `err`, when it cannot be read.
std::optional<std::string> LoadFile(const std::string& path, std::ostream& err);
// File text as the settings reader takes it.
SettingsFileContent ReadSettingsText(const std::string& text);
// Whether show and diff can take the file: this node type's program ID and a section for every
// NV. When not, the reason goes to `err`.
bool IsUsable(const std::string& name, const SettingsFileContent& c, std::ostream& err);
// The file read; false, with the reason on `err`, when show and diff would refuse it.
bool ReadUsable(const std::string& name, const std::string& text, SettingsFileContent& content,
                std::ostream& err);
// Whether a setting reads the same in both files.
bool SameSetting(const SettingEntry& e, const SettingsFileContent& a, const SettingsFileContent& b);
// The bits no setting names that differ between two files, by where they are.
struct ByteChange {
  std::string where;
  std::string from, to;
};
std::vector<ByteChange> UnnamedByteChanges(const SettingsFileContent& a,
                                           const SettingsFileContent& b);

// The differences between two files, as text or JSON, written to `out`.
int DiffTexts(const std::string& oldName, const std::string& oldText, const std::string& newName,
              const std::string& newText, bool json, std::ostream& out, std::ostream& err);
int DiffContents(const std::string& oldName, const SettingsFileContent& oldContent,
                 const std::string& newName, const SettingsFileContent& newContent, bool json,
                 std::ostream& out, std::ostream& err);

// The texts show and diff share.
std::string Hex(uint8_t b);
// Any text in JSON, the file's and our own (names, units): the framework's escaping.
using fw::JsonString;
// The heading a setting stands under: its tab, and its circuit when it has one.
std::string Heading(const SettingEntry& e);
// The width of the longest setting name.
size_t NameWidth();
std::string Padded(std::string_view text, size_t width);
// A setting's value with its unit, or "(no value line)".
std::string EntryValue(const SettingEntry& e, const FileRecord& r);
// A setting's key, name, tab and circuit as JSON fields, with its value in `r` (null without a
// value line) under `valueField`; the object is left open.
std::string JsonSetting(const SettingEntry& e, const FileRecord& r, const char* valueField);
