// The Import / Export page with real files under a folder and file name outside ASCII: export,
// the overwrite question and download go through the wide-character file API, and the node
// name goes into the file as the node's own bytes. A download takes over ten seconds and
// factory settings over half a minute under Windows: all that time the sheet must stay a live
// window that answers the system within 100 ms, shows how far the operation has come and
// ignores a click on another tab or on "Exit" (which must not run afterwards either).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/win/harness.h"

namespace wintest {
namespace {

constexpr int kIdDefaultSettings = 201;
constexpr int kIdPageNodeName = 202;
constexpr int kIdPassword = 226;
constexpr int kIdSaveToFile = 427;
constexpr int kIdFileName = 428;
constexpr int kIdReadFromFile = 430;
constexpr int kIdProgress = 431;
constexpr int kIndexSwitch1 = 41;
constexpr int kFileTypes = 0x470;  // the file dialog's list of file types (cmb1)

std::string ReadWide(const std::wstring& path) {
  std::string text;
  if (FILE* f = _wfopen(path.c_str(), L"rb")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
  }
  return text;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return names;
}

// Answers the box or dialog that comes up next with `answer`, once it is seen to be owned by
// the sheet, which takes no clicks meanwhile; returns its caption and text.
std::string Answer(Checks& checks, host::SheetRemote& sheet, int answer, const std::string& what) {
  const host::MessageBoxSeen box = sheet.WaitForMessageBox(kWaitMs);
  checks.That(box.window != nullptr && GetWindow(box.window, GW_OWNER) == sheet.Sheet() &&
                  !IsWindowEnabled(sheet.Sheet()) && sheet.AnswerMessageBox(box, answer),
              what + ": owned by the sheet, which waits for the answer");
  return box.caption + ": " + box.text;
}

// A real click as the mouse gives it: button down and up at a point of the window.
void PostClick(HWND window, POINT at) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
  PostMessageW(window, WM_LBUTTONUP, 0, where);
}

// Probes the sheet from outside, as Windows would, while `running` says the operation goes on:
// a few seconds in, clicks another tab and "Exit" as the mouse would and asks for another page;
// a few seconds later reads the progress line and takes a picture into `shot`. Checks that the
// sheet answered within 100 ms all through and showed `progress` at the start of that line.
template <class Running>
void Probe(Checks& checks, host::SheetRemote& sheet, Running running, const char* progress,
           const wchar_t* shot) {
  DWORD longestMs = 0;
  std::string seen;
  bool clicked = false, pictured = false;
  const DWORD started = GetTickCount();
  HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet.Sheet(), PSM_GETTABCONTROL, 0, 0));
  while (running()) {
    const DWORD before = GetTickCount();
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(sheet.Sheet(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    longestMs = std::max<DWORD>(longestMs, GetTickCount() - before);
    if (!clicked && GetTickCount() - started > 2000) {
      RECT item = {};
      SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
      PostClick(tabs, POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
      PostClick(GetDlgItem(sheet.Sheet(), kIdExit), POINT{5, 5});
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
  checks.That(seen.rfind(progress, 0) == 0, "the page shows how far it has come", seen);
  checks.That(pictured, "a picture of the page during the operation");
}

// After a long operation: its closing message, and the sheet as it was before the clicks.
void Closed(Checks& checks, host::SheetRemote& sheet, const char* message) {
  const host::MessageBoxSeen box = sheet.WaitForMessageBox(kWaitMs);
  checks.Equal(box.text, message, "the closing message");
  sheet.AnswerMessageBox(box, IDOK);
  checks.That(IsWindow(sheet.Sheet()) != FALSE, "the sheet is still open after the clicks");
  checks.Equal(sheet.TabCaptions()[sheet.ActiveTab()], "Import / Export", "the tab in view");
  checks.Equal(sheet.Text(kIdProgress), "", "the progress is cleared");
}

// Six single NVs, then for each part the selector read and the selection and the part; a
// download puts the selector back to 0 after each part, factory settings once at the end.
std::vector<std::string> OperationCalls(bool download) {
  std::vector<std::string> calls = {"W39", "W40", "W41", "W42", "W43", "W44"};
  for (int part = 1; part <= 12; ++part) {
    calls.insert(calls.end(), {"R45", "W45", "W46"});
    if (download) calls.push_back("W45");
  }
  if (!download) calls.push_back("W45");
  return calls;
}

}  // namespace

int ImportExport(Checks& checks) {
  Session session;
  sim::SimulatedNode& node = session.Node();
  // "Gebäude Süd Wärme 12" in the PC's single-byte code page: 20 bytes.
  const std::string name =
      "Geb\xE4"
      "ude S\xFC"
      "d W\xE4"
      "rme 12";
  std::vector<uint8_t> nameBytes(name.begin(), name.end());
  nameBytes.push_back(0);
  node.SetNodeNameBytes(nameBytes);
  node.SetBytes(kIndexSwitch1, {0x01, 0x2C});

  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring outer = std::wstring(temp) + L"hd73 J\u00F6rg";
  const std::wstring folder = outer + L"\\Heizung S\u00FCd";
  const std::wstring file = folder + L"\\Kessel 2.txt";
  CreateDirectoryW(outer.c_str(), nullptr);
  CreateDirectoryW(folder.c_str(), nullptr);
  DeleteFileW(file.c_str());
  const std::string path = Narrow(file);
  if (!checks.That(GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES,
                   "the folder can be made", path)) {
    return checks.Finish();
  }

  session.WithSheet(checks, [&](host::SheetRemote& sheet) {
    checks.That(sheet.SelectTab("Import / Export"), "the Import / Export tab comes into view");
    checks.Equal(sheet.Text(kIdPageNodeName), "Geb\u00E4ude S\u00FCd W\u00E4rme 12",
                 "the node name as the engineer reads it");

    checks.That(sheet.Type(kIdFileName, path) && sheet.Click(kIdSaveToFile), "Save to file");
    const host::MessageBoxSeen save = sheet.WaitForMessageBox(kWaitMs);
    HWND types = save.window != nullptr ? GetDlgItem(save.window, kFileTypes) : nullptr;
    checks.That(types != nullptr && SendMessageW(types, CB_GETCOUNT, 0, 0) == 2,
                "the save dialog offers the filter's two file types");
    checks.That(sheet.AnswerMessageBox(save, IDOK), "the save dialog takes the path");
    checks.Equal(Answer(checks, sheet, IDOK, "the outcome"), "HD7_3: File written",
                 "the outcome, with the module's caption");
    checks.Equal(sheet.Text(kIdFileName), path, "the field shows the path as chosen");
    checks.That(ReadWide(file).find("\r\n- " + name + "\r\n/ Export") != std::string::npos,
                "the file is there, with the node's own 20 bytes as its name line");

    // Saved again over it: first refused, then replaced with what the node holds now.
    session.OnUi([&] { node.SetBytes(kIndexSwitch1, {0x02, 0x58}); });
    for (const int answer : {IDNO, IDYES}) {
      checks.That(sheet.Click(kIdSaveToFile), "Save to file again");
      Answer(checks, sheet, IDOK, "the save dialog");
      checks.Equal(Answer(checks, sheet, answer, "the question"),
                   "File exists!: Overwrite existing file?", "the existing file is seen");
      checks.Equal(Answer(checks, sheet, IDOK, "the outcome"),
                   answer == IDNO ? "HD7_3: File not written" : "HD7_3: File written",
                   "the outcome of that answer");
    }
    checks.That(FilesIn(folder) == std::vector<std::wstring>{L"Kessel 2.txt"},
                "one file in the folder, under its own name");

    session.OnUi([&] { node.SetBytes(kIndexSwitch1, {0x00, 0x00}); });
    checks.That(sheet.Type(kIdPassword, "Kobalt") && sheet.Click(kIdReadFromFile),
                "Read from file");
    Answer(checks, sheet, IDCANCEL, "the open dialog, cancelled");
    checks.That(sheet.WaitForMessageBox(1000).window == nullptr, "a cancelled choice: no more");
    checks.That(sheet.Type(kIdPassword, "Kobalt") && sheet.Click(kIdReadFromFile),
                "Read from file");
    Answer(checks, sheet, IDOK, "the open dialog");
    const host::MessageBoxSeen question = sheet.WaitForMessageBox(kWaitMs);
    checks.Equal(question.text, "Download from file to node?", "the file is found");
    session.OnUi([&] { node.ClearLog(); });
    // Answered without waiting: the download runs as soon as the box is gone.
    PostMessageW(GetDlgItem(question.window, IDYES), BM_CLICK, 0, 0);
    const DWORD asked = GetTickCount();
    while (IsWindow(question.window) && GetTickCount() - asked < 5000) Sleep(5);
    Probe(
        checks, sheet, [&] { return sheet.WaitForMessageBox(0).window == nullptr; },
        "Downloading - ", L"import-export-during-download.png");
    // No program ID question: the name line is not taken for one.
    Closed(checks, sheet, "Download completed");
    checks.Equal(session.NodeCalls(), OperationCalls(true), "the node sees the download's calls");
    std::vector<uint8_t> switch1;
    session.OnUi([&] { switch1 = node.Bytes(kIndexSwitch1); });
    checks.Equal(Hex(switch1), "02 58", "the download wrote the value saved last");

    checks.That(sheet.Type(kIdPassword, "Kobalt"), "the password is typed again");
    session.OnUi([&] { node.ClearLog(); });
    PostMessageW(GetDlgItem(sheet.Page(), kIdDefaultSettings), BM_CLICK, 0, 0);
    const DWORD pressed = GetTickCount();
    while (sheet.Text(kIdDefaultSettings) != "Please wait..." && GetTickCount() - pressed < 5000) {
      Sleep(5);
    }
    checks.Equal(sheet.Text(kIdDefaultSettings), "Please wait...", "factory settings run");
    Probe(
        checks, sheet, [&] { return sheet.Text(kIdDefaultSettings) == "Please wait..."; },
        "Factory settings - Part ", L"import-export-during-factory-settings.png");
    Closed(checks, sheet, "Please restart the plugin");
    checks.Equal(session.NodeCalls(), OperationCalls(false),
                 "the node sees the factory settings' calls, in order");
  });
  DeleteFileW(file.c_str());
  RemoveDirectoryW(folder.c_str());
  RemoveDirectoryW(outer.c_str());
  return checks.Finish();
}

}  // namespace wintest
