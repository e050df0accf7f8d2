// The Import / Export page with real files under a folder and file name outside ASCII: export,
// the overwrite question and download go through the wide-character file API, and the node
// name goes into the file as the node's own bytes. A download takes over ten seconds and
// factory settings over half a minute under Windows: all that time the sheet must stay a live
// window that answers the system within 100 ms, shows how far the operation has come and
// ignores a click on another tab or on "Exit" (which must not run afterwards either).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/win/harness.h"

namespace wintest {
namespace {

constexpr int kIdDefaultSettings = 201;

// Presses `button` (of the page, or of a question box) without waiting and probes the sheet
// from outside, as Windows would, until the operation's closing message comes up: a few seconds
// in, clicks another tab and "Exit" as the mouse would and asks for another page; a few seconds
// later reads the progress line and takes a picture `shot`. Then the sheet must be as before and
// the node must have seen `calls`.
void LongOperation(Checks& checks, Session& session, host::SheetRemote& sheet, HWND button,
                   const char* progress, const char* message, const wchar_t* shot,
                   const std::vector<std::string>& calls) {
  session.OnUi([&] { session.node.ClearLog(); });
  HWND box = GetAncestor(button, GA_ROOT);
  PostMessageW(button, BM_CLICK, 0, 0);
  const DWORD started = GetTickCount();
  while (box != sheet.Sheet() && IsWindow(box) && GetTickCount() - started < 5000) Sleep(5);
  HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet.Sheet(), PSM_GETTABCONTROL, 0, 0));
  HWND exit = GetDlgItem(sheet.Sheet(), kIdExit);
  DWORD longestMs = 0;
  std::string seen;
  bool clicked = false, pictured = false;
  while (sheet.WaitForMessageBox(0).window == nullptr && GetTickCount() - started < 180000) {
    const DWORD before = GetTickCount();
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(sheet.Sheet(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    longestMs = std::max<DWORD>(longestMs, GetTickCount() - before);
    if (!clicked && GetTickCount() - started > 2000) {
      RECT item = {};
      SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
      // Real clicks as the mouse gives them: button down and up at a point of the window.
      const LPARAM onTab = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
      for (const auto& [window, at] : {std::pair{tabs, onTab}, {exit, MAKELPARAM(5, 5)}}) {
        PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(window, WM_LBUTTONUP, 0, at);
      }
      SendMessageTimeoutW(sheet.Sheet(), PSM_SETCURSEL, 0, 0, SMTO_NORMAL, 5000, &ignored);
      clicked = true;
    }
    if (!pictured && GetTickCount() - started > 5000) {
      seen = sheet.Text(kIdProgress);
      pictured = host::WritePng(BesideTheControl(shot), sheet.Capture(true));
    }
    Sleep(10);
  }
  checks.That(longestMs <= 100, "the sheet answers within 100 ms all through",
              std::to_string(longestMs) + " ms at the longest");
  checks.That(pictured && seen.rfind(progress, 0) == 0,
              "a picture of the page as it shows how far it has come", seen);
  FinishOperation(checks, session, sheet, message, calls);
}

}  // namespace

int ImportExport(Checks& checks) {
  namespace fs = std::filesystem;
  Session session;
  sim::SimulatedNode& node = session.node;
  // "Gebäude Süd Wärme 12" in the PC's single-byte code page: 20 bytes and the zero.
  node.SetNodeNameBytes({'G', 'e', 'b',  0xE4, 'u', 'd', 'e', ' ', 'S', 0xFC, 'd',
                         ' ', 'W', 0xE4, 'r',  'm', 'e', ' ', '1', '2', 0});
  node.SetBytes(41, {0x01, 0x2C});  // the first status switch
  const fs::path outer = fs::temp_directory_path() / L"hd73 J\u00F6rg";
  const fs::path file = outer / L"Heizung S\u00FCd" / L"Kessel 2.txt";
  std::error_code error;
  fs::remove_all(outer, error);
  const std::string path = Narrow(file.wstring());
  if (!checks.That(fs::create_directories(file.parent_path(), error), "the folder is made", path)) {
    return checks.Finish();
  }

  session.WithSheet(checks, [&](host::SheetRemote& sheet) {
    checks.That(sheet.SelectTab("Import / Export"), "the Import / Export tab comes into view");
    checks.Equal(sheet.Text(202), "Geb\u00E4ude S\u00FCd W\u00E4rme 12",
                 "the node name as the engineer reads it");

    SaveToFile(checks, sheet, path);
    std::string written(fs::exists(file) ? fs::file_size(file) : 0, '\0');
    std::ifstream(file, std::ios::binary).read(written.data(), written.size());  // and closed
    checks.That(written.find("\r\n- Geb\xE4ude S\xFC"
                             "d W\xE4rme 12\r\n/ Export") != std::string::npos,
                "the file is there, with the node's own 20 bytes as its name line");

    // Saved again over it: first refused, then replaced with what the node holds now. The
    // engineer's file stays the file it was: its attributes and creation time are kept.
    const std::wstring wide = file.wstring();
    const DWORD set =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const FILETIME created = {0x69050000, 0x01D5C036};  // 1 January 2020
    HANDLE handle =
        CreateFileW(wide.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    checks.That(SetFileTime(handle, &created, nullptr, nullptr) && CloseHandle(handle) &&
                    SetFileAttributesW(wide.c_str(), set),
                "the file is made hidden, system, not indexed and created in 2020");
    WIN32_FILE_ATTRIBUTE_DATA before = {}, after = {};
    GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &before);
    // Wine keeps no creation time that a program sets, nor every attribute: what it keeps is
    // what must be kept.
    const bool timeSet = CompareFileTime(&before.ftCreationTime, &created) == 0;
    const DWORD kept = before.dwFileAttributes & set;
    session.OnUi([&] { node.SetBytes(41, {0x02, 0x58}); });
    for (const int answer : {IDNO, IDYES}) {
      checks.That(sheet.Click(kIdSaveToFile), "Save to file again");
      Answer(checks, sheet, IDOK, "the save dialog");
      checks.Equal(Answer(checks, sheet, answer, "the question"),
                   "File exists!: Overwrite existing file?", "the existing file is seen");
      checks.Equal(Answer(checks, sheet, IDOK, "the outcome"),
                   answer == IDNO ? "HD7_3: File not written" : "HD7_3: File written",
                   "the outcome of that answer");
    }
    GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &after);
    checks.That((kept & FILE_ATTRIBUTE_HIDDEN) && (after.dwFileAttributes & kept) == kept,
                "the replaced file keeps its attributes",
                std::to_string(kept) + " then " + std::to_string(after.dwFileAttributes));
    if (timeSet) {
      checks.That(CompareFileTime(&after.ftCreationTime, &created) == 0,
                  "the replaced file keeps its creation time");
    } else {
      std::printf("  skip  the creation time: this system keeps none that a program sets\n");
    }
    const auto files = std::distance(fs::directory_iterator(file.parent_path()), {});
    checks.That(files == 1, "one file in the folder, under its own name");

    session.OnUi([&] { node.SetBytes(41, {0x00, 0x00}); });
    for (const int answer : {IDCANCEL, IDOK}) {
      checks.That(sheet.Type(kIdPassword, "Kobalt") && sheet.Click(kIdReadFromFile), "Read");
      Answer(checks, sheet, answer, "the open dialog");
      if (answer == IDCANCEL) {
        checks.That(sheet.WaitForMessageBox(1000).window == nullptr, "a cancelled choice: no more");
      }
    }
    const host::MessageBoxSeen question = sheet.WaitForMessageBox(kWaitMs);
    checks.Equal(question.text, "Download from file to node?", "the file is found");
    // No program ID question: the name line is not taken for one.
    LongOperation(checks, session, sheet, GetDlgItem(question.window, IDYES), "Downloading - ",
                  "Download status: Download completed", L"import-export-during-download.png",
                  OperationCalls(true));
    checks.Equal(Hex(session.NodeBytes()["nv41"]), "02 58",
                 "the download wrote the value saved last");

    checks.That(sheet.Type(kIdPassword, "Kobalt"), "the password is typed again");
    LongOperation(checks, session, sheet, GetDlgItem(sheet.Page(), kIdDefaultSettings),
                  "Factory settings - Part ", "HD7_3: Please restart the plugin",
                  L"import-export-during-factory-settings.png", OperationCalls(false));
  });
  fs::remove_all(outer, error);
  return checks.Finish();
}

}  // namespace wintest
