// The demo host edits a NodeSettings file offline: started on a file in a folder whose name is
// not ASCII, its sheet takes one change by window messages from this process, asks on closing
// whether to save, and the settings tool's diff then finds exactly that one setting changed.
#include <windows.h>
#include <process.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

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
  checks.That(sheet.ClickSheetButton(kIdExit) && sheet.WaitClosed(kWaitMs), "Exit");
  const host::MessageBoxSeen question = sheet.WaitForMessageBox(kWaitMs);
  checks.Equal(question.text, "Save the changed settings to Kessel 2.txt?", "the question");
  checks.That(sheet.AnswerMessageBox(question, IDYES), "Yes");
  PostMessageW(hostWindow, WM_CLOSE, 0, 0);
  DWORD code = STILL_ACTIVE;
  checks.That(WaitForSingleObject(process, kWaitMs) == WAIT_OBJECT_0 &&
                  GetExitCodeProcess(process, &code) && code == 0,
              "the host ends with exit code 0");
  CloseHandle(process);

  std::ostringstream out, err;
  checks.That(DiffTexts("original", original, "saved", contents(), false, out, err) == 1 &&
                  out.str().find("\n  BL1 heating curve, night offset ") != std::string::npos &&
                  out.str().find("  5.00 \xC2\xB0"
                                 "C \xE2\x86\x92 6.50 \xC2\xB0"
                                 "C\n\n1 difference.\n") != std::string::npos,
              "exactly that setting differs from the original", out.str() + err.str());
  fs::remove_all(folder.parent_path(), error);
  return checks.Finish();
}

}  // namespace wintest
