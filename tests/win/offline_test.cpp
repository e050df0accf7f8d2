// The demo host edits a NodeSettings file offline: started on a file in a folder whose name is
// not ASCII, its sheet takes one change by window messages from this process while another
// program replaces the file and adds a comment to it. Closing the sheet asks whether to save and
// says that the comment will not be kept, asks again since the file changed on disk, and lists
// what the save changed against the file on disk then. A second change, not saved when the
// sheet closes, is asked about when the host's window closes and saved then; the settings
// tool's diff finds exactly the one setting changed against the original.
#include <windows.h>
#include <process.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "host/offline_changes.h"
#include "tests/win/harness.h"
#include "tools/settings_tool.h"

namespace wintest {

int Offline(Checks& checks) {
  namespace fs = std::filesystem;
  const fs::path folder =
      fs::temp_directory_path() / L"hd73 offline J\u00F6rg" / L"Anlage S\u00FCd";
  const fs::path file = folder / L"Kessel 2.txt";
  auto contents = [&] {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  };
  std::error_code error;
  fs::remove_all(folder.parent_path(), error);
  fs::create_directories(folder, error);
  // A prepared file of the settings tool's samples (the test runs in the sources).
  fs::copy_file("tests/tools/files/service.txt", file, error);
  const std::string original = contents();

  const std::wstring program = BesideTheControl(L"hd7_3host.exe");
  const std::wstring quoted = L"\"" + file.wstring() + L"\"";
  HANDLE process = reinterpret_cast<HANDLE>(
      _wspawnl(_P_NOWAIT, program.c_str(), L"hd7_3host", L"--file", quoted.c_str(), nullptr));
  host::SheetRemote sheet(GetProcessId(process));
  checks.That(!original.empty() && sheet.Attach("HD7_3", kWaitMs), "the sheet opens on the file");
  HWND hostWindow = FindWindowW(L"HD7_3DemoHost", nullptr);
  checks.Equal(host::WindowText(hostWindow), "HD7_3 demo host - offline: Kessel 2.txt", "title");
  // Settings Temperatures of BL1: after the two fixed tabs, the tenth of set 1.
  checks.That(sheet.SelectTab(12) && sheet.HasItem(292), "the heating curve page is in view");
  checks.Equal(sheet.Text(265), "5.0", "the night offset as the file holds it");
  checks.That(sheet.Type(265, "6.5") && sheet.Click(210), "a new night offset written");
  checks.Equal(sheet.Text(265), "6.5", "the night offset the node now holds");
  // Another program meanwhile: the factory settings, with a comment of its own.
  std::ifstream factory("tests/tools/files/factory.txt", std::ios::binary);
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      << "/ Checked by J\xC3\xB6rg\r\n"
      << std::string(std::istreambuf_iterator<char>(factory), std::istreambuf_iterator<char>());

  checks.That(sheet.ClickSheetButton(kIdExit) && sheet.WaitClosed(kWaitMs), "Exit");
  const host::MessageBoxSeen question = sheet.WaitForMessageBox(kWaitMs);
  checks.That(question.text.rfind("Save the changed settings to Kessel 2.txt?\n\n1 line of the "
                                  "file (comments or lines the plug-in does not read) will not "
                                  "be kept.",
                                  0) == 0,
              "the question says the comment will not be kept", question.text);
  checks.That(sheet.AnswerMessageBox(question, IDYES), "Yes");
  const host::MessageBoxSeen changed = sheet.WaitForMessageBox(kWaitMs);
  checks.That(changed.text.rfind("Kessel 2.txt was changed by another program since it was "
                                 "opened.",
                                 0) == 0,
              "asked before overwriting the other program's file", changed.text);
  checks.That(sheet.AnswerMessageBox(changed, IDYES), "Yes: overwrite it");
  // Against the factory settings on disk, many settings change: a window that scrolls.
  const host::MessageBoxSeen shown = sheet.WaitForMessageBox(kWaitMs);
  HWND edit = GetDlgItem(shown.window, host::kIdChangesText);
  std::wstring wide(static_cast<size_t>(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  SendMessageW(edit, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()));
  const std::string list = Narrow(wide.c_str());
  checks.Equal(shown.caption, "Saved to Kessel 2.txt", "the window of what changed");
  checks.That(list.find("BL1 heating curve, night offset") != std::string::npos &&
                  list.find(" differences.") != std::string::npos &&
                  std::count(list.begin(), list.end(), '\n') > host::kChangesBoxLines,
              "it lists the changes against the file on disk", list);
  checks.That(sheet.AnswerMessageBox(shown, IDOK), "OK");

  // A second change, not saved when the sheet closes, is asked about when the host closes.
  PostMessageW(hostWindow, WM_COMMAND, 100, 0);  // "Properties..."
  checks.That(sheet.Attach("HD7_3", kWaitMs) && sheet.SelectTab(12) && sheet.Type(265, "7") &&
                  sheet.Click(210) && sheet.ClickSheetButton(kIdExit) && sheet.WaitClosed(kWaitMs),
              "the sheet again, another night offset");
  const host::MessageBoxSeen again = sheet.WaitForMessageBox(kWaitMs);
  checks.Equal(again.text, "Save the changed settings to Kessel 2.txt?", "the plain question");
  checks.That(sheet.AnswerMessageBox(again, IDNO), "No");
  for (const int answer : {IDCANCEL, IDYES}) {
    PostMessageW(hostWindow, WM_CLOSE, 0, 0);
    const host::MessageBoxSeen closing = sheet.WaitForMessageBox(kWaitMs);
    checks.That(closing.text.find("No: close without saving") != std::string::npos &&
                    sheet.AnswerMessageBox(closing, answer),
                "closing the host asks", closing.text);
    if (answer == IDCANCEL) checks.That(IsWindow(hostWindow), "Cancel keeps the host open");
  }
  const host::MessageBoxSeen last = sheet.WaitForMessageBox(kWaitMs);
  checks.That(
      last.text.find("\n1 difference.") != std::string::npos && sheet.AnswerMessageBox(last, IDOK),
      "a short list in a message box", last.text);
  DWORD code = STILL_ACTIVE;
  checks.That(WaitForSingleObject(process, kWaitMs) == WAIT_OBJECT_0 &&
                  GetExitCodeProcess(process, &code) && code == 0,
              "the host ends with exit code 0");
  CloseHandle(process);

  std::ostringstream out, err;
  checks.That(DiffTexts("original", original, "saved", contents(), false, out, err) == 1 &&
                  out.str().find("\n  BL1 heating curve, night offset ") != std::string::npos &&
                  out.str().find("  5.00 \xC2\xB0"
                                 "C \xE2\x86\x92 7.00 \xC2\xB0"
                                 "C\n\n1 difference.\n") != std::string::npos,
              "exactly that setting differs from the original", out.str() + err.str());
  fs::remove_all(folder.parent_path(), error);
  return checks.Finish();
}

}  // namespace wintest
