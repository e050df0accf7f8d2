#include "sim/offline_settings.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "framework/file_layer.h"
#include "framework/platform.h"
#include "nvdata/config_part.h"
#include "nvdata/node_io.h"
#include "settingsfile/line_reader.h"
#include "settingsfile/nv_set.h"
#include "settingsfile/settings_download.h"
#include "settingsfile/settings_export.h"
#include "settingsfile/settings_reader.h"

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

NodeIo IoOf(SimulatedNode& node) {
  return NodeIo(&node, &node);
}

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
  return WithCrLf(ExportText(IoOf(node), readErrors, nullptr));
}

}  // namespace

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
    isNew_ = true;
    saved_ = SettingsOf(node);
    fileText_ = ExportedText(node);
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
    result = DownloadSettings(lines, IoOf(scratch), askDownloadAnyway);
  }
  if (!result.enabled) {
    message_ = "Download not completed";
    return OfflineStart::kRefused;
  }

  TextLineReader lines(read.text);
  const SettingsFileContent content = ReadSettingsFile(lines);
  SetSettings(node, SettingsOf(scratch));
  std::vector<uint8_t> name(content.nodeName.begin(), content.nodeName.end());
  name.resize(std::min(name.size(), kNodeNameLength));
  name.push_back(0);
  node.SetNodeNameBytes(name);
  programId_ = content.programId;
  isNew_ = false;
  fileText_ = read.text;
  saved_ = SettingsOf(node);
  return OfflineStart::kLoaded;
}

bool OfflineSettings::NeedsSaving(const SimulatedNode& node) const {
  return isNew_ || SettingsOf(node) != saved_;
}

OfflineSave OfflineSettings::Save(SimulatedNode& node) {
  OfflineSave save;
  save.previousName = isNew_ ? std::string("factory settings") : path_;
  save.previousText = fileText_;
  save.savedText = ExportedText(node);
  save.outcome = WriteFileSafely(path_, save.savedText);
  if (save.outcome == FileWriteOutcome::kWritten) {
    isNew_ = false;
    fileText_ = save.savedText;
    saved_ = SettingsOf(node);
  }
  return save;
}

}  // namespace sim
