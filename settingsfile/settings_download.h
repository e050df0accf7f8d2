// Download: a NodeSettings file into the node. Sections are written only while a program ID
// line has enabled downloading; each part section selects its part (counted from the first
// nviPluginCnf section of the file) and the selector is put back to 0 after it.
#pragma once

#include <functional>

#include "nvdata/node_io.h"
#include "settingsfile/line_reader.h"

struct DownloadResult {
  bool enabled = false;     // downloading was enabled at the end of the file
  int writeErrors = 0;      // writes the node refused or that could not be made (no writer)
  bool readFailed = false;  // the file could not be read to its end: the download stopped there
};

// A read error ends the download where it happened and counts as a refusal (not enabled).
// `askDownloadAnyway` is asked at each program ID line that differs from this node type's;
// its answer enables (true) or disables downloading from there on.
DownloadResult DownloadSettings(LineReader& lines, const NodeIo& node,
                                const std::function<bool()>& askDownloadAnyway);
