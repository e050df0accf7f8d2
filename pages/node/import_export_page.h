// The Import / Export page: saves the node's configuration to a NodeSettings file, downloads
// such a file into the node, and puts the node back to its factory settings. Downloading and
// factory settings need the service password. No Read or Write button and no timer: the page
// reads the node only when shown, on "Default" and during its three operations.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "framework/property_page.h"
#include "pages/node/node_files.h"

// A path whose file name has no extension gets ".txt", as the file dialogs' default extension
// gives it.
std::string WithDefaultExtension(const std::string& path);

class CPage2PropPage : public fw::CPropertyPage {
 public:
  explicit CPage2PropPage(const INodeFiles& files);
  void OnShowWindow(bool show) override;

 private:
  void FetchNodeName();
  void OnSaveToFile();
  void OnReadFromFile();
  void OnDefaultSettings();
  void DownloadFromChosenFile();
  std::optional<std::string> ChooseFile(bool save);
  // Shows each step of the operation on the page as it happens.
  std::function<void(const std::string&)> ShowProgress();

  const INodeFiles& files_;
};
