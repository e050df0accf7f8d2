// A NodeSettings file read as a download reads it, into the 18 records it holds, without a
// node: the program ID decision, the sections, the value lines and their bytes come from the
// same walk and parsers as a download's. Everything a download would do differently from what
// the file seems to say is a finding with its line number.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "settingsfile/line_reader.h"
#include "settingsfile/settings_dictionary.h"

struct FileRecord {
  bool hasSection = false;  // a header line of this NV or part was met
  bool hasValues = false;   // ... followed by a value line
  int headerLine = 0;
  int valueLine = 0;
  std::vector<uint8_t> bytes;  // what a download writes (RecordSize bytes); zeros without values
};

struct FileFinding {
  int line = 0;
  std::string text;
};

struct SettingsFileContent {
  int lines = 0;
  bool hasProgramId = false;     // a program ID line came before the first section
  bool programIdMatches = true;  // every program ID line is this node type's
  int programIdLine = 0;         // the first that is not, or the first one
  std::string programId;         // the text of that line
  std::string nodeName;          // the "-" line after "/ Nodename"
  std::string timestamp;         // the "-" line after "/ Export timestamp"
  std::array<FileRecord, kFileRecords> records;
  std::vector<FileFinding> findings;  // in line order
};

SettingsFileContent ReadSettingsFile(LineReader& lines);

// The names of the records the file has no section for, joined by ", "; `count` says how many.
std::string MissingSections(const SettingsFileContent& content, int& count);

// What check finds in a file, in line order: the reader's findings, and values a page would not
// accept, with the line of their value line: each dictionary entry against its page's range,
// and the calendars against their pages' checks.
std::vector<FileFinding> CheckFindings(const SettingsFileContent& content);
