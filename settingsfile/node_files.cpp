#include "settingsfile/node_files.h"

#include "settingsfile/factory_settings.h"
#include "settingsfile/line_reader.h"
#include "settingsfile/progress.h"
#include "settingsfile/settings_download.h"
#include "settingsfile/settings_export.h"

namespace {

class SettingsNodeFiles : public INodeFiles {
 public:
  std::optional<std::string> NodeName(const NodeIo& node, int32_t capacity) const override {
    return FetchNodeName(node, capacity);
  }

  Saved SaveToFile(const NodeIo& node, const std::string& path,
                   const std::function<void(const std::string&)>& showNodeName,
                   const Progress& progress) const override {
    ScopedProgress steps("Saving to file", progress);
    const ExportResult result = ExportSettings(node, path, showNodeName);
    return {result.outcome, result.readErrors};
  }

  Downloaded Download(std::FILE* file, const NodeIo& node,
                      const std::function<bool()>& askDownloadAnyway,
                      const Progress& progress) const override {
    ScopedProgress steps("Downloading", progress);
    FileLineReader lines(file);
    const DownloadResult result = DownloadSettings(lines, node, askDownloadAnyway);
    return {result.enabled, result.writeErrors, result.readFailed};
  }

  int WriteFactorySettings(const NodeIo& node, const Progress& progress) const override {
    ScopedProgress steps("Factory settings", progress);
    return ::WriteFactorySettings(node);
  }
};

}  // namespace

const INodeFiles& SettingsFiles() {
  static const SettingsNodeFiles files;
  return files;
}
