// The sections of a NodeSettings file as a download takes them: program ID lines decide whether
// sections are taken; a section is its header line and, when the next line can hold values, that
// value line. The download and the settings tool both read files through this one walk.
#pragma once

#include <string>
#include <string_view>

#include "settingsfile/line_reader.h"

struct FileSection {
  std::string_view name;  // the NV name of the header line
  int part = 0;           // nviPluginCnf sections: 1, 2, 3 ... in file order; others 0
  int headerLine = 0;     // line numbers count from 1
  const std::string* values = nullptr;  // the value line; null when the section has none
  int valueLine = 0;
};

class SettingsFileVisitor {
 public:
  // A program ID line: "-" and, after its first two characters, 23 characters. Returns whether
  // sections are taken from here on.
  virtual bool ProgramId(int line, std::string_view id) = 0;
  // A section met while sections are taken.
  virtual void Section(const FileSection& section) = 0;
  // Every other line: the header block, empty lines, other "-" lines, sections met while none
  // are taken, and a line after a header that cannot hold values (it is consumed).
  virtual void OtherLine(int /*line*/, const std::string& /*text*/) {}

 protected:
  ~SettingsFileVisitor() = default;
};

void WalkSettingsFile(LineReader& lines, SettingsFileVisitor& visitor);
