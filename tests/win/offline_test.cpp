// The demo host edits a NodeSettings file offline in a folder whose name is not ASCII: one change
// while another program replaces the file and adds a comment, saved when the sheet closes; a
// second one saved when the host closes. The settings tool's diff finds exactly the one setting
// changed against the original.
#include <windows.h>
#include <process.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "host/offline_changes.h"
#include "tests/win/harness.h"
#include "settingsfile/settings_compare.h"

namespace wintest {

int Offline(Checks& checks) {
  namespace fs = std::filesystem;
  const fs::path folder =
      fs::temp_directory_path() / L"hd73 offline J\u00F6rg" / L"Anlage S\u00FCd";
  const fs::path file = folder / L"Kessel 2.txt";
  std::error_code error;
  fs::remove_all(folder.parent_path(), error);
  fs::create_directories(folder, error);
  // A prepared file of the settings tool's samples (the test runs in the sources).
  fs::copy_file("tests/tools/files/service.txt", file, error);
  const std::string original = FileText(file.wstring());

  const std::wstring program = BesideTheControl(L"hd7_3host.exe");
  const std::wstring quoted = L"\"" + file.wstring() + L"\"";
  HANDLE process = reinterpret_cast<HANDLE>(
      _wspawnl(_P_NOWAIT, program.c_str(), L"hd7_3host", L"--file", quoted.c_str(), nullptr));
  host::SheetRemote sheet(GetProcessId(process));
  // The next box, which must say `part` (among more), answered with `answer`; its text.
  auto reply = [&](int answer, const std::string& part, const std::string& what) {
    const host::MessageBoxSeen shown = sheet.WaitForMessageBox(kWaitMs);
    checks.That(shown.text.find(part) != std::string::npos && sheet.AnswerMessageBox(shown, answer),
                what, shown.text);
    return shown.text;
  };
  checks.That(!original.empty() && sheet.Attach("HD7_3", kWaitMs), "the sheet opens on the file");
  HWND hostWindow = FindWindowW(L"HD7_3DemoHost", nullptr);
  checks.Equal(host::WindowText(hostWindow), "HD7_3 demo host - offline: Kessel 2.txt", "title");
  // Settings Temperatures of BL1: after the two fixed tabs, the tenth of set 1.
  checks.That(sheet.SelectTab(12) && sheet.HasItem(292), "the heating curve page is in view");
  checks.Equal(sheet.Text(265), "5.0", "the night offset as the file holds it");
  checks.That(sheet.Type(265, "6.5") && sheet.Click(kIdWrite), "a new night offset written");
  // Another program meanwhile: the factory settings, with a comment of its own.
  const std::string factory = FileText(L"tests/tools/files/factory.txt");
  std::ofstream(file, std::ios::binary | std::ios::trunc) << "/ Checked by J\xC3\xB6rg\r\n"
                                                          << factory;

  checks.That(sheet.ClickSheetButton(kIdExit) && sheet.WaitClosed(kWaitMs), "Exit");
  reply(IDYES,
        "Save the changed settings to Kessel 2.txt?\n\n1 line of the file (comments or lines the "
        "plug-in does not read) will not be kept.",
        "the question says the comment will not be kept: Yes");
  reply(IDYES, "Kessel 2.txt was changed by another program since it was opened.",
        "asked before overwriting the other program's file: Yes");
  // Against the factory settings on disk, many settings change: a window that scrolls.
  const host::MessageBoxSeen shown = sheet.WaitForMessageBox(kWaitMs);
  HWND edit = GetDlgItem(shown.window, host::kIdChangesText);
  std::wstring wide(static_cast<size_t>(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  SendMessageW(edit, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()));
  const std::string list = Narrow(wide.c_str());
  checks.Equal(shown.caption, "Saved to Kessel 2.txt", "the window of what changed");
  checks.That(list.find("BL1 heating curve, night offset") != std::string::npos &&
                  list.find(" differences.") != std::string::npos &&
                  std::count(list.begin(), list.end(), '\n') > host::kChangesBoxLines &&
                  sheet.AnswerMessageBox(shown, IDOK),
              "it lists the changes against the file on disk", list);

  // A second change, not saved when the sheet closes, is asked about when the host closes.
  PostMessageW(hostWindow, WM_COMMAND, 100, 0);  // "Properties..."
  checks.That(sheet.Attach("HD7_3", kWaitMs) && sheet.SelectTab(12) && sheet.Type(265, "7") &&
                  sheet.Click(kIdWrite) && sheet.ClickSheetButton(kIdExit) &&
                  sheet.WaitClosed(kWaitMs),
              "the sheet again, another night offset");
  checks.Equal(reply(IDNO, "", "No"), "Save the changed settings to Kessel 2.txt?",
               "the plain question");
  for (const int answer : {IDCANCEL, IDYES}) {
    PostMessageW(hostWindow, WM_CLOSE, 0, 0);
    reply(answer,
          "Save the changed settings to Kessel 2.txt?\n\nYes: save, then close\nNo: close "
          "without saving",
          "closing the host asks");
    if (answer == IDCANCEL) checks.That(IsWindow(hostWindow), "Cancel keeps the host open");
  }
  reply(IDOK, "\n1 difference.", "a short list in a message box");
  DWORD code = STILL_ACTIVE;
  checks.That(WaitForSingleObject(process, kWaitMs) == WAIT_OBJECT_0 &&
                  GetExitCodeProcess(process, &code) && code == 0,
              "the host ends with exit code 0");
  CloseHandle(process);

  std::ostringstream out, err;
  checks.That(
      DiffTexts("original", original, "saved", FileText(file.wstring()), false, out, err) == 1 &&
          out.str().find("\n  BL1 heating curve, night offset ") != std::string::npos &&
          out.str().find("  5.00 \xC2\xB0"
                         "C \xE2\x86\x92 7.00 \xC2\xB0"
                         "C\n\n1 difference.\n") != std::string::npos,
      "exactly that setting differs from the original", out.str() + err.str());
  fs::remove_all(folder.parent_path(), error);
  return checks.Finish();
}

}  // namespace wintest
