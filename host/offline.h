// The demo host's --file PATH: the plug-in sheet on a simulated node that holds a NodeSettings
// file's settings, and, when the sheet or the host closes with the settings changed, the
// question whether to save them back into the file. A file that another program changed since
// it was opened, and lines of the file that a save does not keep, are asked about before they
// are overwritten; what a save changed is shown in a window and printed to a console that
// started the host. The loading, comparing and saving are the portable sim::OfflineSettings;
// this is the Windows side of it (command line, windows, questions).
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
  // shows what changed. A failed save is reported and asked again.
  void SheetClosed(HWND owner, sim::SimulatedNode& node);
  // Before the host ends: with changed settings, asks whether to save them first. False when
  // the engineer chose to stay (or a save was not done and the engineer went back).
  bool MayClose(HWND owner, sim::SimulatedNode& node);
  // 0, or 1 when the last save failed.
  int ExitCode() const { return exitCode_; }

 private:
  enum class Saved { kYes, kFailed, kBack };
  Saved SaveToFile(HWND owner, sim::SimulatedNode& node);
  Saved SaveUnderAnotherName(HWND owner, sim::SimulatedNode& node);
  Saved Finish(HWND owner, const sim::OfflineSave& save);
  void ShowChanges(HWND owner, const sim::OfflineSave& save) const;
  // "Save the changed settings to <file>?" and, when there are any, the lines a save loses.
  std::string SaveQuestion(int linesNotKept) const;

  sim::OfflineSettings file_;
  bool quiet_;
  bool isNew_ = false;
  int exitCode_ = 0;
};

}  // namespace host
