#include "pages/node/import_export_page.h"

#include <cstdio>
#include <memory>

#include "framework/platform.h"
#include "nvdata/node_io.h"
#include "nvdata/number_text.h"
#include "nvdata/service_password.h"
#include "resources/dialog_import_export.h"
#include "resources/strings.h"

using namespace import_export;

namespace {

constexpr int32_t kPageNameCapacity = 20;
constexpr const char* kFileFilter = "Tavera NodeSettings (*.txt)|*.txt|All files (*.*)|*.*|";
constexpr const char* kDefaultExtension = "txt";
constexpr const char* kDownloadStatus = "Download status";

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Through the platform: on Windows the wide-character API opens the path as the field shows it.
File Open(const std::string& path, const char* mode) {
  return File(fw::Platform::Get().OpenFile(path, mode));
}

bool HasExtension(const std::string& path) {
  const size_t nameStart = path.find_last_of("\\/");
  const size_t dot = path.rfind('.');
  return dot != std::string::npos && (nameStart == std::string::npos || dot > nameStart);
}

}  // namespace

std::string WithDefaultExtension(const std::string& path) {
  return HasExtension(path) ? path : path + "." + kDefaultExtension;
}

CPage2PropPage::CPage2PropPage(const INodeFiles& files)
    : CPropertyPage(ImportExportDialog(), kDialogId, ResString(kDialogId)), files_(files) {
  OnClicked(kDefaultName, [this] { FetchNodeName(); });
  OnClicked(kSaveToFile, [this] { OnSaveToFile(); });
  OnClicked(kReadFromFile, [this] { OnReadFromFile(); });
  OnClicked(kDefaultSettings, [this] { OnDefaultSettings(); });
}

void CPage2PropPage::OnShowWindow(bool show) {
  if (show) FetchNodeName();
}

// The node's name and the default file name made from it replace what the fields held. Without
// a name there is nothing to save under it: "Save to file" is disabled.
void CPage2PropPage::FetchNodeName() {
  const std::optional<std::string> name = files_.NodeName(NodeOf(*this), kPageNameCapacity);
  if (!name) {
    EnableItem(kSaveToFile, false);
    return;
  }
  SetItemText(kNodeName, *name);
  SetItemText(kFileName, "C:\\" + *name + ".txt");
  EnableItem(kSaveToFile, true);
}

std::optional<std::string> CPage2PropPage::ChooseFile(bool save) {
  fw::FileDialogRequest request;
  request.save = save;
  request.initialName = GetItemText(kFileName);
  request.defaultExt = kDefaultExtension;
  request.filter = kFileFilter;
  request.hideReadOnly = true;
  std::optional<std::string> path = fw::Platform::Get().FileDialog(request);
  if (!path || HasExtension(*path)) return path;
  // A name typed without an extension: saving adds ".txt"; opening takes the name with ".txt"
  // when the name as typed is no file but the one with ".txt" is.
  const std::string withExtension = WithDefaultExtension(*path);
  if (save || (!Open(*path, "rb") && Open(withExtension, "rb"))) return withExtension;
  return path;
}

void CPage2PropPage::OnSaveToFile() {
  fw::ScopedCaption caption(*this, kSaveToFile, "Please wait...", "Save to file");
  const std::optional<std::string> chosen = ChooseFile(true);
  if (!chosen) return;
  SetItemText(kFileName, *chosen);
  const std::string path = GetItemText(kFileName);

  // A file that opens for reading and writing exists and would be replaced: ask first.
  if (Open(path, "r+b")) {
    if (ShowMessage("Overwrite existing file?", "File exists!", fw::kMbYesNo) != fw::kIdYes) {
      ShowMessage("File not written");
      return;
    }
  }

  INodeFiles::Saved result;
  {
    fw::ScopedCaption progressLine(*this, kProgress, "", "");
    result = files_.SaveToFile(
        NodeOf(*this), path, [this](const std::string& name) { SetItemText(kNodeName, name); },
        ShowProgress());
  }
  switch (result.outcome) {
    case fw::FileWriteOutcome::kOpenFailed:
      ShowMessage("Error opening file");
      break;
    case fw::FileWriteOutcome::kWriteFailed:
      ShowMessage("Error writing file");
      break;
    case fw::FileWriteOutcome::kWritten:
      ShowMessage(result.readErrors == 0
                      ? std::string("File written")
                      : "File Written. " + FormatFixed0(result.readErrors) + " NV read errors");
      break;
  }
}

void CPage2PropPage::OnReadFromFile() {
  fw::ScopedCaption caption(*this, kReadFromFile, "Please wait...", "Read from file");
  if (!IsServicePassword(GetItemText(kPassword))) {
    // The engineer may correct the password: the field keeps it.
    ShowMessage("Wrong password!", std::string(kDownloadStatus));
    return;
  }
  DownloadFromChosenFile();
  SetItemText(kPassword, "");
}

void CPage2PropPage::DownloadFromChosenFile() {
  const std::optional<std::string> path = ChooseFile(false);
  if (!path) return;

  // Reading is all a download needs: a read-only file downloads.
  if (!Open(*path, "rb")) {
    ShowMessage("File not found!");
    return;
  }
  const File file = Open(*path, "rb");
  if (!file) {
    ShowMessage("File not found!");
    return;
  }

  if (ShowMessage("Download from file to node?", std::string("Download"), fw::kMbYesNo) !=
      fw::kIdYes) {
    ShowMessage("Download aborted", std::string(kDownloadStatus));
    return;
  }

  INodeFiles::Downloaded result;
  {
    fw::ScopedCaption progressLine(*this, kProgress, "", "");
    result = files_.Download(
        file.get(), NodeOf(*this),
        [this] {
          return ShowMessage("ProgramID does not match!\nDo you want to download anyway?",
                             std::string("ProgramID does not match!"), fw::kMbYesNo) == fw::kIdYes;
        },
        ShowProgress());
  }
  std::string text = "Download not completed";
  if (result.readFailed) {
    text = "Error reading file. Download not completed";
  } else if (result.enabled) {
    text = result.writeErrors == 0
               ? std::string("Download completed")
               : "Download completed. " + FormatFixed0(result.writeErrors) + " NV write errors";
  }
  ShowMessage(text, std::string(kDownloadStatus));
}

void CPage2PropPage::OnDefaultSettings() {
  if (!IsServicePassword(GetItemText(kPassword))) {
    ShowModuleMessage("Wrong password");
    SetItemText(kPassword, "");
    return;
  }
  int errors = 0;
  {
    fw::ScopedCaption caption(*this, kDefaultSettings, "Please wait...", "Default settings");
    fw::ScopedCaption progressLine(*this, kProgress, "", "");
    errors = files_.WriteFactorySettings(NodeOf(*this), ShowProgress());
  }
  ShowModuleMessage(errors == 0 ? std::string("Please restart the plugin")
                                : "Default settings: " + FormatFixed0(errors) +
                                      " NV write errors. Please restart the plugin");
  SetItemText(kPassword, "");
}

std::function<void(const std::string&)> CPage2PropPage::ShowProgress() {
  return [this](const std::string& step) { SetItemText(kProgress, step); };
}
