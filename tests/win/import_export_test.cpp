// The Import / Export page with real files under a folder and file name outside ASCII: export,
// the replacing of the file and download go through the wide-character file API, and the node
// name goes into the file as the node's own bytes. A download takes over ten seconds under
// Windows: all that time the sheet must stay a live window that answers the system within
// 100 ms, shows how far the download has come and ignores a click on another tab or on "Exit"
// (which must not run afterwards either). The answers No and Cancel, and factory settings with
// its own progress, are checked headless.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/win/harness.h"

namespace wintest {
namespace {

// Presses the question's `button` without waiting and probes the sheet from outside, as Windows
// would, until the download's closing message comes up: a few seconds in, clicks another tab
// and "Exit" as the mouse would and asks for another page; a few seconds later reads the
// progress line.
void ProbeWhileDownloading(Checks& checks, host::SheetRemote& sheet, HWND button) {
  HWND box = GetAncestor(button, GA_ROOT);
  PostMessageW(button, BM_CLICK, 0, 0);
  const DWORD started = GetTickCount();
  while (box != sheet.Sheet() && IsWindow(box) && GetTickCount() - started < 5000) Sleep(5);
  HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet.Sheet(), PSM_GETTABCONTROL, 0, 0));
  HWND exit = GetDlgItem(sheet.Sheet(), kIdExit);
  DWORD longestMs = 0;
  std::string seen;
  bool clicked = false;
  while (sheet.WaitForMessageBox(0).window == nullptr && GetTickCount() - started < 180000) {
    const DWORD before = GetTickCount();
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(sheet.Sheet(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    longestMs = std::max<DWORD>(longestMs, GetTickCount() - before);
    if (!clicked && GetTickCount() - started > 2000) {
      // Real clicks as the mouse gives them, on the first tab and on "Exit".
      for (HWND window : {tabs, exit}) {
        PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
      }
      SendMessageTimeoutW(sheet.Sheet(), PSM_SETCURSEL, 0, 0, SMTO_NORMAL, 5000, &ignored);
      clicked = true;
    }
    if (seen.empty() && GetTickCount() - started > 5000) seen = "shown: " + sheet.Text(kIdProgress);
    Sleep(10);
  }
  checks.That(longestMs <= 100, "the sheet answers within 100 ms all through",
              std::to_string(longestMs) + " ms at the longest");
  checks.That(seen.rfind("shown: Downloading - ", 0) == 0, "the page shows how far it has come",
              seen);
}

}  // namespace

int ImportExport(Checks& checks) {
  namespace fs = std::filesystem;
  Session session;
  sim::SimulatedNode& node = session.node;
  // "Gebäude Süd Wärme 12" in the PC's single-byte code page: 20 bytes and the zero.
  const std::string name = "Geb\344ude S\374d W\344rme 12";
  node.SetNodeNameBytes(std::vector<uint8_t>(name.c_str(), name.c_str() + name.size() + 1));
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
    checks.That(
        FileText(file.wstring()).find("\r\n- " + name + "\r\n/ Export") != std::string::npos,
        "the file is there, with the node's own 20 bytes as its name line");

    // Replaced with what the node holds now, the engineer's file keeps its attributes (those
    // Wine keeps; Wine keeps no creation time that a program sets).
    const std::wstring wide = file.wstring();
    const DWORD set =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    checks.That(SetFileAttributesW(wide.c_str(), set),
                "the file is made hidden, system and not indexed");
    const DWORD kept = GetFileAttributesW(wide.c_str()) & set;
    session.OnUi([&] { node.SetBytes(41, {0x02, 0x58}); });
    checks.That(sheet.Click(kIdSaveToFile), "Save to file again");
    Answer(checks, sheet, IDOK, "the save dialog");
    checks.Equal(Answer(checks, sheet, IDYES, "the question"),
                 "File exists!: Overwrite existing file?", "the existing file is seen");
    checks.Equal(Answer(checks, sheet, IDOK, "the outcome"), "HD7_3: File written",
                 "the file replaced");
    const DWORD after = GetFileAttributesW(wide.c_str());
    checks.That((kept & FILE_ATTRIBUTE_HIDDEN) && (after & kept) == kept,
                "the replaced file keeps its attributes",
                std::to_string(kept) + " then " + std::to_string(after));
    const auto files = std::distance(fs::directory_iterator(file.parent_path()), {});
    checks.That(files == 1, "one file in the folder, under its own name");

    DownloadFromFile(checks, session, sheet, {0x02, 0x58},
                     [&](HWND yes) { ProbeWhileDownloading(checks, sheet, yes); });
  });
  fs::remove_all(outer, error);
  return checks.Finish();
}

}  // namespace wintest
