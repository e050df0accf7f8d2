// A NodeSettings file prepared at the desk: its settings go into a simulated node through the
// same reader and rules as "Read from file", the pages work on that node as on a real one, and
// what the node then holds goes back into the file through the same writer as "Save to file".
// There is no node on the line, so neither the load nor the save waits the node's pauses.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "settingsfile/safe_file.h"
#include "sim/simulated_node.h"

namespace sim {

enum class OfflineStart {
  kLoaded,   // the file's settings are in the node
  kNewFile,  // nothing at the path: the node holds the factory settings
  kRefused,  // the download would not take the file: the node is as it was
};

struct OfflineSave {
  FileWriteOutcome outcome = FileWriteOutcome::kWritten;
  std::string previousName;  // the file's path, or "factory settings" for a new file
  std::string previousText;  // what the file held before (for a new file: the factory settings)
  std::string savedText;     // what was written, or would have been
};

// The node's settings as a file holds them: the six single NVs, then parts 1 to 12.
using NodeSettings = std::array<std::vector<uint8_t>, 18>;
NodeSettings SettingsOf(const SimulatedNode& node);

class OfflineSettings {
 public:
  explicit OfflineSettings(std::string path);

  // Puts the file's settings into `node`: from the factory settings, each section as a download
  // writes it; the node's name from the file. `askDownloadAnyway` is asked, as the download asks,
  // at a program ID that is not this node type's. A refused file leaves the node untouched and
  // Message() gives the download's own words for it.
  OfflineStart Load(SimulatedNode& node, const std::function<bool()>& askDownloadAnyway);

  // Whether the file should be asked about: the node's settings are not the file's, or there is
  // no file yet.
  bool NeedsSaving(const SimulatedNode& node) const;

  // Writes what the node holds as "Save to file" does, through the safe replace. Once written,
  // the node's settings are the file's.
  OfflineSave Save(SimulatedNode& node);

  const std::string& Path() const { return path_; }
  std::string FileName() const;  // the path's last part
  const std::string& Message() const { return message_; }
  const std::string& ProgramId() const { return programId_; }  // the file's program ID line

 private:
  std::string path_;
  bool isNew_ = false;
  std::string fileText_;  // the file's bytes as last read or written
  NodeSettings saved_;    // the node's settings as the file holds them
  std::string message_;
  std::string programId_;
};

}  // namespace sim
