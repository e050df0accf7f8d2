// Factory settings under Windows take over half a minute, a download over ten seconds. All that
// time the sheet must stay a live window: it answers the system within 100 ms, shows how far the
// operation has come, and ignores a click on another tab or on "Exit" (which must not run
// afterwards either). The node sees the same calls as without the pumping pauses.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/win/harness.h"
#include "tests/win/scenarios.h"

namespace wintest {
namespace {

constexpr int kIdDefaultSettings = 201;
constexpr int kIdPassword = 226;
constexpr int kIdProgress = 431;
constexpr int kIdExit = 1;
constexpr int kIdFileName = 428;
constexpr int kIdSaveToFile = 427;
constexpr int kIdReadFromFile = 430;

// A real click as the mouse gives it: button down and up at a point of the window.
void PostClick(HWND window, POINT at) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
  PostMessageW(window, WM_LBUTTONUP, 0, where);
}

// The calls a factory reset makes from part 0, by kind and index: the six single NVs, then for
// each part the selector read, the selection and the part, then the selector back to 0.
std::vector<std::string> FactoryCalls() {
  std::vector<std::string> calls;
  for (int index = 39; index <= 44; ++index) calls.push_back("W" + std::to_string(index));
  for (int part = 1; part <= 12; ++part) {
    calls.insert(calls.end(), {"R45", "W45", "W46"});
  }
  calls.push_back("W45");
  return calls;
}

// What the sheet did while an operation ran, probed from outside as Windows would: how long it
// took at most to answer, what the progress line said, and whether a picture could be taken.
struct Probed {
  DWORD longestMs = 0;
  std::string progress;
  bool pictured = false;
};

// Probes the sheet until `running` says the operation is over. A few seconds in, it clicks
// another tab and "Exit" as the mouse would and asks for another page; a few seconds later it
// reads the progress line and takes a picture into `shot`.
template <class Running>
Probed ProbeWhile(host::SheetRemote& sheet, Running running, const std::wstring& shot) {
  Probed probed;
  bool clicked = false;
  const DWORD started = GetTickCount();
  HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet.Sheet(), PSM_GETTABCONTROL, 0, 0));
  while (running()) {
    const DWORD before = GetTickCount();
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(sheet.Sheet(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    probed.longestMs = std::max<DWORD>(probed.longestMs, GetTickCount() - before);
    if (!clicked && GetTickCount() - started > 2000) {
      RECT item = {};
      SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
      PostClick(tabs, POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
      PostClick(GetDlgItem(sheet.Sheet(), kIdExit), POINT{5, 5});
      DWORD_PTR result = 0;
      SendMessageTimeoutW(sheet.Sheet(), PSM_SETCURSEL, 0, 0, SMTO_NORMAL, 5000, &result);
      clicked = true;
    }
    if (!probed.pictured && GetTickCount() - started > 5000) {
      probed.progress = sheet.Text(kIdProgress);
      probed.pictured = host::WritePng(shot, sheet.Capture(true));
    }
    Sleep(10);
  }
  return probed;
}

std::wstring BesideTheControl(const wchar_t* name) {
  const std::wstring control = ControlPath();
  return control.substr(0, control.find_last_of(L"\\/") + 1) + name;
}

std::vector<std::string> CallsSince(Session& session, size_t from) {
  std::vector<std::string> calls;
  session.OnUi([&] {
    const std::vector<sim::HostCall>& log = session.Node().Log();
    for (size_t i = from; i < log.size(); ++i) {
      if (log[i].kind == sim::HostCall::Kind::kGetNodeName) continue;
      calls.push_back((log[i].kind == sim::HostCall::Kind::kWrite ? "W" : "R") +
                      std::to_string(log[i].index));
    }
  });
  return calls;
}

}  // namespace

int FactorySettingsKeepTheSheetAlive(Checks& checks) {
  Session session;
  if (!checks.That(SUCCEEDED(session.CreateControl()), "the control is created")) {
    return checks.Finish();
  }
  session.RunProperties(checks, [&](host::SheetRemote& sheet) {
    if (!checks.That(sheet.Attach("HD7_3", kWaitMs), "the sheet opens")) return;
    checks.That(sheet.SelectTab("Import / Export"), "the Import / Export tab comes into view");
    checks.That(sheet.Type(kIdPassword, "Kobalt"), "the password is typed");
    const int tab = sheet.ActiveTab();
    size_t from = 0;
    session.OnUi([&] { from = session.Node().Log().size(); });

    PostMessageW(GetDlgItem(sheet.Page(), kIdDefaultSettings), BM_CLICK, 0, 0);
    const DWORD started = GetTickCount();
    while (sheet.Text(kIdDefaultSettings) != "Please wait..." && GetTickCount() - started < 5000) {
      Sleep(5);
    }
    checks.Equal(sheet.Text(kIdDefaultSettings), "Please wait...", "the operation runs");
    const Probed probed = ProbeWhile(
        sheet, [&] { return sheet.Text(kIdDefaultSettings) == "Please wait..."; },
        BesideTheControl(L"import-export-during-factory-settings.png"));
    checks.That(probed.longestMs <= 100, "the sheet answers within 100 ms all through",
                std::to_string(probed.longestMs) + " ms at the longest");
    checks.That(probed.progress.rfind("Factory settings - Part ", 0) == 0,
                "the page shows how far it has come", probed.progress);
    checks.That(probed.pictured, "a picture of the page during the operation");

    const host::MessageBoxSeen box = sheet.WaitForMessageBox(kWaitMs);
    checks.Equal(box.text, "Please restart the plugin", "the closing message");
    sheet.AnswerMessageBox(box, IDOK);
    checks.That(IsWindow(sheet.Sheet()) != FALSE, "the sheet is still open after the clicks");
    checks.That(sheet.ActiveTab() == tab, "the tab did not change");
    checks.Equal(sheet.Text(kIdProgress), "", "the progress is cleared");
    checks.Equal(CallsSince(session, from), FactoryCalls(),
                 "the node sees the factory settings' calls, in order");
    checks.That(sheet.ClickSheetButton(kIdExit) && sheet.WaitClosed(kWaitMs),
                "\"Exit\" closes the sheet afterwards");
  });
  return checks.Finish();
}

// The same for a download of a file the page has just saved.
int DownloadKeepsTheSheetAlive(Checks& checks) {
  Session session;
  if (!checks.That(SUCCEEDED(session.CreateControl()), "the control is created")) {
    return checks.Finish();
  }
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::string path = Narrow(std::wstring(temp) + L"hd73-responsive.txt");
  DeleteFileW((std::wstring(temp) + L"hd73-responsive.txt").c_str());
  session.RunProperties(checks, [&](host::SheetRemote& sheet) {
    if (!checks.That(sheet.Attach("HD7_3", kWaitMs), "the sheet opens")) return;
    checks.That(sheet.SelectTab("Import / Export"), "the Import / Export tab comes into view");
    checks.That(sheet.Type(kIdFileName, path) && sheet.Click(kIdSaveToFile), "Save to file");
    sheet.AnswerMessageBox(sheet.WaitForMessageBox(kWaitMs), IDOK);  // the save dialog
    checks.Equal(sheet.WaitForMessageBox(kWaitMs).text, "File written", "the file is saved");
    sheet.AnswerMessageBox(sheet.WaitForMessageBox(kWaitMs), IDOK);

    const int tab = sheet.ActiveTab();
    checks.That(sheet.Type(kIdPassword, "Kobalt") && sheet.Click(kIdReadFromFile),
                "Read from file");
    sheet.AnswerMessageBox(sheet.WaitForMessageBox(kWaitMs), IDOK);  // the open dialog
    const host::MessageBoxSeen question = sheet.WaitForMessageBox(kWaitMs);
    checks.Equal(question.text, "Download from file to node?", "the question");
    size_t from = 0;
    session.OnUi([&] { from = session.Node().Log().size(); });
    // Answered without waiting: the download runs as soon as the box is gone.
    PostMessageW(GetDlgItem(question.window, IDYES), BM_CLICK, 0, 0);
    const DWORD started = GetTickCount();
    while (IsWindow(question.window) && GetTickCount() - started < 5000) Sleep(5);
    const Probed probed = ProbeWhile(
        sheet,
        [&] {
          const host::MessageBoxSeen box = sheet.WaitForMessageBox(0);
          return box.window == nullptr;
        },
        BesideTheControl(L"import-export-during-download.png"));
    checks.That(probed.longestMs <= 100, "the sheet answers within 100 ms all through",
                std::to_string(probed.longestMs) + " ms at the longest");
    checks.That(probed.progress.rfind("Downloading - ", 0) == 0,
                "the page shows how far it has come", probed.progress);
    checks.That(probed.pictured, "a picture of the page during the download");
    const host::MessageBoxSeen box = sheet.WaitForMessageBox(kWaitMs);
    checks.Equal(box.text, "Download completed", "the closing message");
    sheet.AnswerMessageBox(box, IDOK);
    checks.That(IsWindow(sheet.Sheet()) != FALSE, "the sheet is still open after the clicks");
    checks.That(sheet.ActiveTab() == tab, "the tab did not change");
    checks.Equal(sheet.Text(kIdProgress), "", "the progress is cleared");
    // Six single NVs, then per part: selector read and selection, the part, the selector
    // back to 0 (the part before is left at 0, so each part is selected).
    std::vector<std::string> expected;
    for (int index = 39; index <= 44; ++index) expected.push_back("W" + std::to_string(index));
    for (int part = 1; part <= 12; ++part)
      expected.insert(expected.end(), {"R45", "W45", "W46", "W45"});
    checks.Equal(CallsSince(session, from), expected, "the node sees the download's calls");
    checks.That(sheet.ClickSheetButton(kIdExit) && sheet.WaitClosed(kWaitMs),
                "\"Exit\" closes the sheet afterwards");
  });
  return checks.Finish();
}

}  // namespace wintest
