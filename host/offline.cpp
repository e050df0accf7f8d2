#include "host/offline.h"

#include <cstdio>
#include <optional>
#include <sstream>

#include "framework/platform.h"
#include "framework/win32/text.h"
#include "host/offline_changes.h"
#include "settingsfile/settings_compare.h"

namespace host {
namespace {

constexpr wchar_t kCaption[] = L"HD7_3 demo host";
constexpr int kIdStatus = 101;

}  // namespace

OfflineEditor::OfflineEditor(const std::string& path, bool quiet) : file_(path), quiet_(quiet) {}

bool OfflineEditor::Open(sim::SimulatedNode& node) {
  // The download's question at a program ID of another node type; the screenshots take no
  // such file.
  const sim::OfflineStart start = file_.Load(node, [this] {
    return !quiet_ &&
           MessageBoxW(nullptr, L"ProgramID does not match!\nDo you want to download anyway?",
                       L"ProgramID does not match!", MB_YESNO) == IDYES;
  });
  if (start != sim::OfflineStart::kRefused) {
    isNew_ = start == sim::OfflineStart::kNewFile;
    return true;
  }
  std::fprintf(stderr, "hd7_3host: %s: %s\n", file_.Path().c_str(), file_.Message().c_str());
  if (!quiet_) {
    const bool notFound = file_.Message() == "File not found!";
    MessageBoxW(nullptr, fw::win32::Widen(file_.Message()).c_str(),
                notFound ? nullptr : L"Download status", MB_OK);
  }
  return false;
}

void OfflineEditor::Show(HWND window) const {
  SetWindowTextW(
      window,
      (std::wstring(kCaption) + L" - offline: " + fw::win32::Widen(file_.FileName())).c_str());
  const std::string status =
      "Offline: " + file_.Path() +
      (isNew_ ? "\r\nnew file: factory settings" : "\r\nprogram ID " + file_.ProgramId());
  if (HWND shown = GetDlgItem(window, kIdStatus)) {
    SetWindowTextW(shown, fw::win32::Widen(status).c_str());
    return;
  }
  CreateWindowExW(0, L"STATIC", fw::win32::Widen(status).c_str(), WS_CHILD | WS_VISIBLE, 20, 100,
                  420, 40, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdStatus)),
                  GetModuleHandleW(nullptr), nullptr);
}

std::string OfflineEditor::SaveQuestion(int linesNotKept) const {
  std::string question = "Save the changed settings to " + file_.FileName() + "?";
  if (linesNotKept > 0) {
    question += "\n\n" + std::to_string(linesNotKept) + (linesNotKept == 1 ? " line" : " lines") +
                " of the file (comments or lines the plug-in does not read) will not be kept.";
  }
  return question;
}

void OfflineEditor::SheetClosed(HWND owner, sim::SimulatedNode& node) {
  if (quiet_ || !file_.NeedsSaving(node)) return;
  if (owner != nullptr && !IsWindow(owner)) owner = nullptr;
  for (;;) {
    // Asked afresh each time: the file may change on disk while the question is up.
    const int linesNotKept = file_.Look().linesNotKept;
    std::string question = SaveQuestion(linesNotKept);
    if (linesNotKept > 0) {
      question += "\n\nYes: save to " + file_.FileName() +
                  "\nNo: save under another name\nCancel: do not save now";
    }
    const int answer =
        MessageBoxW(owner, fw::win32::Widen(question).c_str(), kCaption,
                    (linesNotKept > 0 ? MB_YESNOCANCEL : MB_YESNO) | MB_ICONQUESTION);
    Saved saved = Saved::kBack;
    if (answer == IDYES) {
      saved = SaveToFile(owner, node);
    } else if (answer == IDNO && linesNotKept > 0) {
      saved = SaveUnderAnotherName(owner, node);
    }
    if (saved != Saved::kFailed) return;
  }
}

bool OfflineEditor::MayClose(HWND owner, sim::SimulatedNode& node) {
  if (quiet_ || !file_.NeedsSaving(node)) return true;
  if (owner != nullptr && !IsWindow(owner)) owner = nullptr;
  for (;;) {
    const std::string question = SaveQuestion(file_.Look().linesNotKept) +
                                 "\n\nYes: save, then close\nNo: close without saving\n"
                                 "Cancel: do not close";
    const int answer = MessageBoxW(owner, fw::win32::Widen(question).c_str(), kCaption,
                                   MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDNO) return true;
    if (answer != IDYES) return false;
    const Saved saved = SaveToFile(owner, node);
    if (saved != Saved::kFailed) return saved == Saved::kYes;
  }
}

OfflineEditor::Saved OfflineEditor::SaveToFile(HWND owner, sim::SimulatedNode& node) {
  sim::OfflineSave save = file_.Save(node);
  if (save.outcome == sim::OfflineSaveOutcome::kChangedOnDisk) {
    // Another program wrote, removed or locked the file since it was opened: its work is not
    // overwritten unless the engineer says so.
    const std::string text = file_.FileName() +
                             " was changed by another program since it was opened.\n\n"
                             "Yes: overwrite it\nNo: save under another name\n"
                             "Cancel: do not save now";
    const int answer = MessageBoxW(owner, fw::win32::Widen(text).c_str(), kCaption,
                                   MB_YESNOCANCEL | MB_ICONWARNING);
    if (answer == IDNO) return SaveUnderAnotherName(owner, node);
    if (answer != IDYES) return Saved::kBack;
    save = file_.Save(node, true);
  }
  return Finish(owner, save);
}

OfflineEditor::Saved OfflineEditor::SaveUnderAnotherName(HWND owner, sim::SimulatedNode& node) {
  fw::FileDialogRequest request;
  request.save = true;
  request.initialName = file_.Path();
  request.defaultExt = "txt";
  request.filter = "Text files (*.txt)|*.txt|All files (*.*)|*.*|";
  request.overwritePrompt = true;
  const std::optional<std::string> chosen = fw::Platform::Get().FileDialog(request);
  if (!chosen) return Saved::kBack;
  const Saved saved = Finish(owner, file_.SaveAs(node, *chosen));
  // From now on the host edits the new file: its title and status say so.
  if (saved == Saved::kYes && owner != nullptr) Show(owner);
  return saved;
}

OfflineEditor::Saved OfflineEditor::Finish(HWND owner, const sim::OfflineSave& save) {
  if (save.outcome == sim::OfflineSaveOutcome::kWritten) {
    exitCode_ = 0;
    isNew_ = false;
    ShowChanges(owner, save);
    return Saved::kYes;
  }
  // The old file is whole; the changes are still in the node, to be saved once the engineer
  // has made room or given the file write access.
  exitCode_ = 1;
  const char* text = save.outcome == sim::OfflineSaveOutcome::kOpenFailed ? "Error opening file"
                                                                          : "Error writing file";
  std::fprintf(stderr, "hd7_3host: %s: %s\n", file_.Path().c_str(), text);
  MessageBoxW(owner, fw::win32::Widen(text).c_str(), kCaption, MB_OK | MB_ICONEXCLAMATION);
  return Saved::kFailed;
}

void OfflineEditor::ShowChanges(HWND owner, const sim::OfflineSave& save) const {
  std::ostringstream out, err;
  DiffTexts(save.previousName, save.previousText, file_.Path(), save.savedText, false, out, err);
  PrintWhereSeen(out.str(), err.str());
  ShowChangesWindow(owner, "Saved to " + file_.FileName(), out.str() + err.str());
}

}  // namespace host
