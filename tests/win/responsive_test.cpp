// Factory settings under Windows take over half a minute. All that time the sheet must stay a
// live window: it answers the system within 100 ms, shows how far the operation has come, and
// ignores a click on another tab or on "Exit" (which must not run afterwards either). The node
// sees the same calls as without the pumping pauses.
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

}  // namespace

int FactorySettingsKeepTheSheetAlive(Checks& checks) {
  Session session;
  sim::SimulatedNode& node = session.Node();
  if (!checks.That(SUCCEEDED(session.CreateControl()), "the control is created")) {
    return checks.Finish();
  }
  const std::wstring shot = ControlPath().substr(0, ControlPath().find_last_of(L"\\/") + 1) +
                            L"import-export-during-factory-settings.png";
  session.RunProperties(checks, [&](host::SheetRemote& sheet) {
    if (!checks.That(sheet.Attach("HD7_3", kWaitMs), "the sheet opens")) return;
    checks.That(sheet.SelectTab("Import / Export"), "the Import / Export tab comes into view");
    checks.That(sheet.Type(kIdPassword, "Kobalt"), "the password is typed");
    const int tab = sheet.ActiveTab();
    size_t from = 0;
    session.OnUi([&] { from = node.Log().size(); });

    HWND button = GetDlgItem(sheet.Page(), kIdDefaultSettings);
    PostMessageW(button, BM_CLICK, 0, 0);
    const DWORD started = GetTickCount();
    while (sheet.Text(kIdDefaultSettings) != "Please wait..." && GetTickCount() - started < 5000) {
      Sleep(5);
    }
    checks.Equal(sheet.Text(kIdDefaultSettings), "Please wait...", "the operation runs");

    // Probe the sheet while the operation runs; halfway through, click another tab and "Exit"
    // and ask for another page, and take a picture of the page.
    DWORD longest = 0;
    bool clicked = false;
    bool pictured = false;
    std::string progress;
    HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet.Sheet(), PSM_GETTABCONTROL, 0, 0));
    while (sheet.Text(kIdDefaultSettings) == "Please wait...") {
      const DWORD before = GetTickCount();
      DWORD_PTR ignored = 0;
      SendMessageTimeoutW(sheet.Sheet(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
      longest = std::max<DWORD>(longest, GetTickCount() - before);
      if (!clicked && GetTickCount() - started > 4000) {
        RECT item = {};
        SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
        PostClick(tabs, POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
        PostClick(GetDlgItem(sheet.Sheet(), kIdExit), POINT{5, 5});
        DWORD_PTR result = 0;
        SendMessageTimeoutW(sheet.Sheet(), PSM_SETCURSEL, 0, 0, SMTO_NORMAL, 5000, &result);
        clicked = true;
      }
      if (!pictured && GetTickCount() - started > 8000) {
        progress = sheet.Text(kIdProgress);
        pictured = host::WritePng(shot, sheet.Capture(true));
      }
      Sleep(10);
    }
    checks.That(longest <= 100, "the sheet answers within 100 ms all through",
                std::to_string(longest) + " ms at the longest");
    checks.That(progress.rfind("Factory settings - Part ", 0) == 0,
                "the page shows how far it has come", progress);
    checks.That(pictured, "a picture of the page during the operation");

    const host::MessageBoxSeen box = sheet.WaitForMessageBox(kWaitMs);
    checks.Equal(box.text, "Please restart the plugin", "the closing message");
    sheet.AnswerMessageBox(box, IDOK);
    checks.That(IsWindow(sheet.Sheet()) != FALSE, "the sheet is still open after the clicks");
    checks.That(sheet.ActiveTab() == tab, "the tab did not change");
    checks.Equal(sheet.Text(kIdProgress), "", "the progress is cleared");

    std::vector<std::string> calls;
    session.OnUi([&] {
      for (size_t i = from; i < node.Log().size(); ++i) {
        const sim::HostCall& call = node.Log()[i];
        if (call.kind == sim::HostCall::Kind::kGetNodeName) continue;
        calls.push_back((call.kind == sim::HostCall::Kind::kWrite ? "W" : "R") +
                        std::to_string(call.index));
      }
    });
    checks.Equal(calls, FactoryCalls(), "the node sees the factory settings' calls, in order");
    checks.That(sheet.ClickSheetButton(kIdExit) && sheet.WaitClosed(kWaitMs),
                "\"Exit\" closes the sheet afterwards");
  });
  return checks.Finish();
}

}  // namespace wintest
