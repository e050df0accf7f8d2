// The demo host's --file PATH: the plug-in sheet on a simulated node that holds a NodeSettings
// file's settings, and, when the sheet closes with the settings changed, the question whether to
// save them back into the file. The loading, comparing and saving are the portable
// sim::OfflineSettings; this is the Windows side of it (command line, window, questions).
#pragma once

#include <windows.h>

#include <string>

#include "sim/offline_settings.h"

namespace host {

class OfflineEditor {
 public:
  // quiet: nothing is asked and nothing is written (the screenshots).
  OfflineEditor(const std::string& path, bool quiet);

  // Loads the file into `node`. A refused file is reported with the download's own message
  // (on the error output, and in a message box unless quiet): false.
  bool Open(sim::SimulatedNode& node);
  // The host window's title says that it is offline and names the file; a line under the
  // button gives the path and the file's program ID.
  void Show(HWND window) const;
  // After the sheet has closed: asks whether to save changed settings and saves them, then
  // prints what changed. A failed save is reported and asked again.
  void SheetClosed(HWND owner, sim::SimulatedNode& node);
  // 0, or 1 when the last save failed.
  int ExitCode() const { return exitCode_; }

 private:
  sim::OfflineSettings file_;
  bool quiet_;
  bool isNew_ = false;
  int exitCode_ = 0;
};

}  // namespace host
