// Export: the node's whole configuration into a NodeSettings file. Every NV is read first, the
// text is made in memory, and only then is the file written (safely: a failure keeps the file
// that was there).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "nvdata/node_io.h"
#include "settingsfile/safe_file.h"

constexpr uint32_t kFilePartPauseMs = 250;  // before a part is read or written by the file flows
constexpr int32_t kExportNameCapacity = 31;
constexpr size_t kNodeNameLength = 20;  // a node name has at most 20 characters

struct ExportResult {
  FileWriteOutcome outcome = FileWriteOutcome::kWritten;
  int readErrors = 0;  // NVs whose read failed (0 to 18); their sections have no value line
};

// The node's name as GetNodeName gives it with `capacity`: the text before the first zero byte
// within the first 20 bytes; nothing when the name cannot be fetched.
std::optional<std::string> FetchNodeName(const NodeIo& node, int32_t capacity);

// Reads every NV and part of the node and writes the file at `path` with CR LF line ends.
// `showNodeName` gets the fetched node name to show it; the file carries the name as fetched.
// The part selector is left on part 12.
ExportResult ExportSettings(const NodeIo& node, const std::string& path,
                            const std::function<void(const std::string&)>& showNodeName = nullptr);

// The text ExportSettings writes, without writing it ("\n" line ends).
std::string ExportText(const NodeIo& node, int& readErrors,
                       const std::function<void(const std::string&)>& showNodeName);

// "\n" line ends as CR LF.
std::string WithCrLf(const std::string& text);
