#include "sim/offline_settings.h"

#include <algorithm>
#include <utility>

#include "framework/file_layer.h"
#include "framework/platform.h"
#include "nvdata/config_part.h"
#include "nvdata/node_io.h"
#include "settingsfile/line_reader.h"
#include "settingsfile/nv_set.h"
#include "settingsfile/settings_download.h"
#include "settingsfile/settings_export.h"
#include "settingsfile/settings_reader.h"
#include "settingsfile/value_lines.h"

namespace sim {
namespace {

// The installed platform with its pauses taken out: everything else (files, clock, message
// boxes) is the installed one's.
class WithoutPauses : public fw::ForwardingPlatform {
 public:
  using ForwardingPlatform::ForwardingPlatform;
  void Sleep(uint32_t) override {}
  void Block(uint32_t) override {}
  void KeepAlive() override {}
};

struct NoPauses {
  NoPauses() : platform(fw::Platform::Get()), installed(platform) {}
  WithoutPauses platform;
  fw::ScopedPlatform installed;
};

void SetSettings(SimulatedNode& node, const NodeSettings& settings) {
  for (size_t i = 0; i < SingleNvs().size(); ++i)
    node.SetBytes(SingleNvs()[i].hostIndex, settings[i]);
  for (int part = 1; part <= kPartCount; ++part) {
    node.SetPart(part, settings[SingleNvs().size() + static_cast<size_t>(part - 1)]);
  }
}

// The file the writer makes of the node now, with its CR LF line ends.
std::string ExportedText(SimulatedNode& node) {
  NoPauses quick;
  int readErrors = 0;
  return WithCrLf(ExportText(NodeIo(&node, &node), readErrors, nullptr));
}

// The node's name as a download of a file with this name line leaves it.
void SetNodeName(SimulatedNode& node, const std::string& nodeName) {
  std::vector<uint8_t> name(nodeName.begin(), nodeName.end());
  name.resize(std::min(name.size(), kNodeNameLength));
  name.push_back(0);
  node.SetNodeNameBytes(name);
}

// What is at a path now: nothing, or something, readable whole (text) or not.
struct DiskText {
  bool exists = false;
  std::optional<std::string> text;
};

DiskText ReadDisk(const std::string& path) {
  fw::PlatformImpl& os = fw::Platform::Get();
  DiskText disk;
  if (os.PathExists(path) == false) return disk;
  disk.exists = true;
  fw::FileRead read = fw::ReadWholeFile(path);
  if (read.Ok()) disk.text = std::move(read.text);
  return disk;
}

DiskChange ChangeOf(const std::optional<std::string>& before, const DiskText& now) {
  if (!now.exists) return before ? DiskChange::kVanished : DiskChange::kSame;
  if (!now.text) return DiskChange::kUnreadable;
  if (!before) return DiskChange::kAppeared;
  return *before == *now.text ? DiskChange::kSame : DiskChange::kChanged;
}

// The non-blank lines of a text without their spaces, tabs and carriage returns; the line under
// "/ Export timestamp" as one and the same line, whatever time it gives.
std::vector<std::string> ComparableLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line;
    for (size_t i = start; i < end; ++i) {
      if (text[i] != ' ' && text[i] != '\t' && text[i] != '\r') line += text[i];
    }
    start = end + 1;
    if (line.empty()) continue;
    if (!lines.empty() && lines.back() == "/Exporttimestamp" && line[0] == '-') line = "-time";
    lines.push_back(std::move(line));
  }
  return lines;
}

OfflineSaveOutcome OutcomeOf(FileWriteOutcome outcome) {
  if (outcome == FileWriteOutcome::kWritten) return OfflineSaveOutcome::kWritten;
  return outcome == FileWriteOutcome::kOpenFailed ? OfflineSaveOutcome::kOpenFailed
                                                  : OfflineSaveOutcome::kWriteFailed;
}

}  // namespace

int CountLinesNotKept(const std::string& fileText) {
  // The file's own settings, as the download takes them whatever program ID the file gives.
  SimulatedNode scratch;
  {
    NoPauses quick;
    TextLineReader lines(fileText);
    DownloadSettings(lines, NodeIo(&scratch, &scratch), [] { return true; });
  }
  TextLineReader lines(fileText);
  SetNodeName(scratch, ReadSettingsFile(lines).nodeName);
  const std::vector<std::string> file = ComparableLines(fileText);
  const std::vector<std::string> written = ComparableLines(ExportedText(scratch));
  // The most lines of the file that the writer's lines hold in the same order (their longest
  // common subsequence), one row at a time: the writer's text is a few dozen lines whatever the
  // file's size.
  std::vector<size_t> row(written.size() + 1, 0), next(written.size() + 1, 0);
  for (const std::string& line : file) {
    for (size_t j = 0; j < written.size(); ++j) {
      next[j + 1] = line == written[j] ? row[j] + 1 : std::max(row[j + 1], next[j]);
    }
    row.swap(next);
  }
  return static_cast<int>(file.size() - row.back());
}

NodeSettings SettingsOf(const SimulatedNode& node) {
  NodeSettings settings;
  for (size_t i = 0; i < SingleNvs().size(); ++i)
    settings[i] = node.Bytes(SingleNvs()[i].hostIndex);
  for (int part = 1; part <= kPartCount; ++part) {
    settings[SingleNvs().size() + static_cast<size_t>(part - 1)] = node.Part(part);
  }
  return settings;
}

OfflineSettings::OfflineSettings(std::string path) : path_(std::move(path)) {}

std::string OfflineSettings::FileName() const {
  const size_t slash = path_.find_last_of("\\/");
  return slash == std::string::npos ? path_ : path_.substr(slash + 1);
}

OfflineStart OfflineSettings::Load(SimulatedNode& node,
                                   const std::function<bool()>& askDownloadAnyway) {
  fw::PlatformImpl& os = fw::Platform::Get();
  if (os.PathExists(path_) == false) {
    node.LoadFactorySettings();
    Holds(node, ExportedText(node), false);
    return OfflineStart::kNewFile;
  }

  // As "Read from file" says it: a file that does not open is not found, one that does not
  // read to its end (or is too long to be a NodeSettings file) is not downloaded.
  const fw::FileRead read = fw::ReadWholeFile(path_);
  if (read.status == fw::FileReadStatus::kOpenFailed) {
    message_ = "File not found!";
    return OfflineStart::kRefused;
  }
  if (!read.Ok()) {
    message_ = "Error reading file. Download not completed";
    return OfflineStart::kRefused;
  }

  // Downloaded into a node of its own first: a download refused part way through (a later
  // program ID answered No) has written some sections, and the engineer's node must not keep
  // half a file.
  SimulatedNode scratch;
  DownloadResult result;
  {
    NoPauses quick;
    TextLineReader lines(read.text);
    result = DownloadSettings(lines, NodeIo(&scratch, &scratch), askDownloadAnyway);
  }
  if (!result.enabled) {
    message_ = "Download not completed";
    return OfflineStart::kRefused;
  }

  TextLineReader lines(read.text);
  const SettingsFileContent content = ReadSettingsFile(lines);
  SetSettings(node, SettingsOf(scratch));
  SetNodeName(node, content.nodeName);
  programId_ = content.programId;
  Holds(node, read.text, true);
  return OfflineStart::kLoaded;
}

void OfflineSettings::Holds(const SimulatedNode& node, const std::string& text, bool onDisk) {
  isNew_ = !onDisk;
  fileText_ = text;
  disk_ = onDisk ? std::optional<std::string>(text) : std::nullopt;
  saved_ = SettingsOf(node);
}

bool OfflineSettings::NeedsSaving(const SimulatedNode& node) const {
  return isNew_ || SettingsOf(node) != saved_;
}

OfflineDisk OfflineSettings::Look() const {
  const DiskText now = ReadDisk(path_);
  OfflineDisk look;
  look.change = ChangeOf(disk_, now);
  if (now.text) look.linesNotKept = CountLinesNotKept(*now.text);
  return look;
}

OfflineSave OfflineSettings::Save(SimulatedNode& node, bool overwrite) {
  if (!overwrite && ChangeOf(disk_, ReadDisk(path_)) != DiskChange::kSame) {
    OfflineSave save;
    save.outcome = OfflineSaveOutcome::kChangedOnDisk;
    return save;
  }
  return SaveAs(node, path_);
}

OfflineSave OfflineSettings::SaveAs(SimulatedNode& node, const std::string& path) {
  OfflineSave save;
  // What changed is told against the file as it is now: the target's, else this file's, else
  // what the settings were loaded from.
  const DiskText target = ReadDisk(path);
  const DiskText own = path == path_ ? target : ReadDisk(path_);
  if (target.text) {
    save.previousName = path;
    save.previousText = *target.text;
  } else if (own.text) {
    save.previousName = path_;
    save.previousText = *own.text;
  } else {
    save.previousName = isNew_ ? std::string("factory settings") : path_;
    save.previousText = fileText_;
  }
  save.savedText = ExportedText(node);
  save.outcome = OutcomeOf(WriteFileSafely(path, save.savedText));
  if (save.outcome == OfflineSaveOutcome::kWritten) {
    path_ = path;
    Holds(node, save.savedText, true);
    programId_ = std::string(kProgramIdText);
  }
  return save;
}

}  // namespace sim
