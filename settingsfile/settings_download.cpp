#include "settingsfile/settings_download.h"

#include <string>

#include "framework/platform.h"
#include "nvdata/config_part.h"
#include "settingsfile/nv_set.h"
#include "settingsfile/progress.h"
#include "settingsfile/settings_sections.h"
#include "settingsfile/settings_export.h"
#include "settingsfile/value_lines.h"

namespace {

// Writes each section to the node as the walk meets it.
class Downloader : public SettingsFileVisitor {
 public:
  Downloader(const NodeIo& node, const std::function<bool()>& ask) : node_(node), ask_(ask) {}

  bool ProgramId(int /*line*/, std::string_view id) override {
    result.enabled = id == kProgramIdText || (ask_ && ask_());
    return result.enabled;
  }

  void Section(const FileSection& section) override {
    if (section.values == nullptr) return;
    if (section.part > 0) {
      WritePart(section.part, *section.values);
    } else if (const SingleNv* nv = FindSingleNv(section.name)) {
      ReportProgress(nv->name, "writing");
      Count(WriteSingleNv(node_, *nv, *section.values));
    }
  }

  DownloadResult result;

 private:
  void WritePart(int part, const std::string& values) {
    if (part > kPartCount) return;  // the node has twelve parts: a thirteenth section is skipped
    bool selected = true;
    ReportPartProgress(part, "selecting");
    if (GetConfigPart(node_) != part) selected = Count(SelectConfigPart(node_, part));
    // A part that could not be selected is not written: it would land in another part.
    if (selected) {
      fw::Platform::Sleep(kFilePartPauseMs);
      ReportPartProgress(part, "writing");
      Count(node_.Write(kIndexPluginCnf, ParseStrIntRecord(values).data(), kStrIntBytes));
    }
    Count(SelectConfigPart(node_, 0));
  }

  bool Count(const WriteResult& r) {
    if (!r.Ok()) ++result.writeErrors;
    return r.Ok();
  }

  const NodeIo& node_;
  const std::function<bool()>& ask_;
};

}  // namespace

DownloadResult DownloadSettings(LineReader& lines, const NodeIo& node,
                                const std::function<bool()>& askDownloadAnyway) {
  Downloader downloader(node, askDownloadAnyway);
  WalkSettingsFile(lines, downloader);
  // A file that could not be read to its end is not taken for complete.
  if (lines.Failed()) {
    downloader.result.readFailed = true;
    downloader.result.enabled = false;
  }
  return downloader.result;
}
