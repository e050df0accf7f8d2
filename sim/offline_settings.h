// A NodeSettings file prepared at the desk: its settings go into a simulated node through the
// same reader and rules as "Read from file", the pages work on that node as on a real one, and
// what the node then holds goes back into the file through the same writer as "Save to file".
// There is no node on the line, so neither the load nor the save waits the node's pauses.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
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

// The file on disk now against the bytes it held when it was loaded or last written.
enum class DiskChange {
  kSame,        // the same bytes, or still no file where there was none
  kChanged,     // other bytes
  kAppeared,    // a file where there was none
  kVanished,    // no file any more
  kUnreadable,  // something is there that cannot be read whole
};

struct OfflineDisk {
  DiskChange change = DiskChange::kSame;
  // Lines of the file on disk now that a save will not write again (CountLinesNotKept).
  int linesNotKept = 0;
};

enum class OfflineSaveOutcome {
  kWritten,
  kChangedOnDisk,  // nothing written: the file is not what was loaded or last written
  kOpenFailed,     // as FileWriteOutcome: the old file is whole
  kWriteFailed,
};

struct OfflineSave {
  OfflineSaveOutcome outcome = OfflineSaveOutcome::kWritten;
  // What the target held on disk just before; when it held nothing readable, what the settings
  // were loaded from (a new file's: "factory settings").
  std::string previousName;
  std::string previousText;
  std::string savedText;  // what was written, or would have been
};

// How many lines of `fileText` a save of its own settings does not write again: the file's
// lines against the writer's text of the settings a download takes from it, in order (their
// longest common subsequence), each compared without its spaces, tabs and carriage returns.
// The line under "/ Export timestamp" counts as kept (a save writes its new time there); blank
// lines do not count (a save loses nothing with them). So comments, text the download does not
// read, sections it skips, a program ID or node name it does not keep, and value lines written
// otherwise than the writer writes them, count.
int CountLinesNotKept(const std::string& fileText);

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

  // What a save into the file would meet now. Reads the file again.
  OfflineDisk Look() const;

  // Writes what the node holds as "Save to file" does, through the safe replace. Once written,
  // the node's settings are the file's. Unless `overwrite`, a file that changed on disk since
  // (any DiskChange but kSame) is left as it is: kChangedOnDisk.
  OfflineSave Save(SimulatedNode& node, bool overwrite = false);
  // Writes into the file at `path` (replacing one there), which is the one edited from then on.
  OfflineSave SaveAs(SimulatedNode& node, const std::string& path);

  const std::string& Path() const { return path_; }
  std::string FileName() const;  // the path's last part
  const std::string& Message() const { return message_; }
  const std::string& ProgramId() const { return programId_; }  // the file's program ID line

 private:
  // The node's settings are the file's, whose text is `text`: on disk, or still none there.
  void Holds(const SimulatedNode& node, const std::string& text, bool onDisk);

  std::string path_;
  bool isNew_ = false;

  std::string fileText_;  // what the settings came from: the file's bytes, or the factory file
  std::optional<std::string> disk_;  // the file's bytes as last read or written; none: no file
  NodeSettings saved_;               // the node's settings as the file holds them
  std::string message_;
  std::string programId_;
};

}  // namespace sim
