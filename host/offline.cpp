#include "host/offline.h"

#include <cstdio>
#include <sstream>

#include "framework/win32/text.h"
#include "tools/settings_tool.h"

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
  CreateWindowExW(0, L"STATIC", fw::win32::Widen(status).c_str(), WS_CHILD | WS_VISIBLE, 20, 100,
                  420, 40, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdStatus)),
                  GetModuleHandleW(nullptr), nullptr);
}

void OfflineEditor::SheetClosed(HWND owner, sim::SimulatedNode& node) {
  if (quiet_ || !file_.NeedsSaving(node)) return;
  if (owner != nullptr && !IsWindow(owner)) owner = nullptr;
  const std::wstring question =
      fw::win32::Widen("Save the changed settings to " + file_.FileName() + "?");
  while (MessageBoxW(owner, question.c_str(), kCaption, MB_YESNO | MB_ICONQUESTION) == IDYES) {
    const sim::OfflineSave save = file_.Save(node);
    if (save.outcome == FileWriteOutcome::kWritten) {
      exitCode_ = 0;
      std::ostringstream out, err;
      DiffTexts(save.previousName, save.previousText, file_.Path(), save.savedText, false, out,
                err);
      std::fputs(out.str().c_str(), stdout);
      std::fputs(err.str().c_str(), stderr);
      std::fflush(stdout);
      return;
    }
    // The old file is whole; the changes are still in the node, to be saved once the engineer
    // has made room or given the file write access.
    exitCode_ = 1;
    const char* text =
        save.outcome == FileWriteOutcome::kOpenFailed ? "Error opening file" : "Error writing file";
    std::fprintf(stderr, "hd7_3host: %s: %s\n", file_.Path().c_str(), text);
    MessageBoxW(owner, fw::win32::Widen(text).c_str(), kCaption, MB_OK | MB_ICONEXCLAMATION);
  }
}

}  // namespace host
