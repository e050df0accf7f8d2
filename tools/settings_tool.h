// hd7_3settings: NodeSettings files read the way the pages show the node. The commands take
// their arguments without the program name and write to the given streams; the exit code is
// the result (show: 0, or 2 on a file it cannot read; diff: 0 equal, 1 different, 2 unreadable;
// check: 0 clean, 1 with findings, 2 unreadable; 2 on wrong arguments, and 2 with "write error"
// when `out` did not take everything written to it).
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "settingsfile/settings_compare.h"

int RunSettingsTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The commands on files already read (for the fuzzer and the tests); `name` stands for the file
// in the output. Diff (DiffTexts, DiffContents) is in settingsfile/settings_compare.h.
int ShowContent(const std::string& name, const SettingsFileContent& content, bool raw, bool json,
                std::ostream& out, std::ostream& err);
int CheckContent(const std::string& name, const SettingsFileContent& content, bool json,
                 std::ostream& out);
