// hd7_3settings: NodeSettings files read the way the pages show the node. The commands take
// their arguments without the program name and write to the given streams; the exit code is
// the result (show: 0, or 2 on a file it cannot read; diff: 0 equal, 1 different, 2 unreadable;
// check: 0 clean, 1 with findings, 2 unreadable; 2 on wrong arguments, and 2 with "write error"
// when `out` did not take everything written to it).
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "settingsfile/settings_reader.h"

int RunSettingsTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The commands on file text already in memory (for the fuzzer and the tests); `name` stands for
// the file in the output.
int ShowText(const std::string& name, const std::string& text, bool raw, bool json,
             std::ostream& out, std::ostream& err);
int DiffTexts(const std::string& oldName, const std::string& oldText, const std::string& newName,
              const std::string& newText, bool json, std::ostream& out, std::ostream& err);
int CheckText(const std::string& name, const std::string& text, bool json, std::ostream& out);
// The same on files already read (the fuzzer reads each of its inputs once).
int ShowContent(const std::string& name, const SettingsFileContent& content, bool raw, bool json,
                std::ostream& out, std::ostream& err);
int DiffContents(const std::string& oldName, const SettingsFileContent& oldContent,
                 const std::string& newName, const SettingsFileContent& newContent, bool json,
                 std::ostream& out, std::ostream& err);
int CheckContent(const std::string& name, const SettingsFileContent& content, bool json,
                 std::ostream& out);

// What the commands share with the report.
std::optional<std::string> LoadFile(const std::string& path, std::ostream& err);
// The file read; false, with the reason on `err`, when show and diff would refuse it.
bool ReadUsable(const std::string& name, const std::string& text, SettingsFileContent& content,
                std::ostream& err);
// What check finds in a file, in line order.
std::vector<FileFinding> CheckFindings(const SettingsFileContent& content);
// Whether a setting reads the same in both files.
bool SameSetting(const SettingEntry& e, const SettingsFileContent& a, const SettingsFileContent& b);
// The bits no setting names that differ between two files, by where they are.
struct ByteChange {
  std::string where;
  std::string from, to;
};
std::vector<ByteChange> UnnamedByteChanges(const SettingsFileContent& a,
                                           const SettingsFileContent& b);
