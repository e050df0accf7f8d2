// The Win32 backend on its own: a sheet of probe pages run modally, worked by window messages.
// What the pages rely on: texts set by the program never look like typing, check boxes toggle
// themselves and radio buttons do not, timers tick, show and hide arrive, message boxes are
// owned by the sheet (which is disabled meanwhile), pages come and go in order while it runs.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "framework/property_sheet.h"
#include "tests/win/harness.h"
#include "tests/win/scenarios.h"

namespace wintest {
namespace {

constexpr int kEdit = 300;
constexpr int kSetButton = 301;
constexpr int kRadio = 302;
constexpr int kCheck = 303;
constexpr int kAsk = 304;
constexpr int kLabel = 305;
constexpr int kSave = 306;
constexpr int kOpen = 307;
constexpr int kPicture = 308;
constexpr int kFileTypes = 0x470;  // the file dialog's list of file types (cmb1)
constexpr char kFilter[] = "NodeSettings (*.txt)|*.txt|All files (*.*)|*.*|";

const fw::DialogTemplate& ProbeDialog() {
  static const fw::DialogTemplate dialog{
      900,
      250,
      150,
      {
          {kEdit, fw::ControlKind::kEdit, "", 10, 10, 100, 13},
          {kSetButton, fw::ControlKind::kPushButton, "Set", 120, 10, 50, 14},
          {kRadio, fw::ControlKind::kRadioButton, "Radio", 10, 30, 60, 10},
          {kCheck, fw::ControlKind::kCheckBox, "Check", 10, 45, 60, 10},
          {kAsk, fw::ControlKind::kPushButton, "Ask", 120, 30, 50, 14},
          {kLabel, fw::ControlKind::kStatic, "Offset \u00B0C", 10, 60, 80, 8},
          {fw::kStaticId, fw::ControlKind::kGroupBox, "Group", 5, 80, 200, 40},
          {kSave, fw::ControlKind::kPushButton, "Save", 180, 10, 50, 14},
          {kOpen, fw::ControlKind::kPushButton, "Open", 180, 30, 50, 14},
          {kPicture, fw::ControlKind::kPicture, "", 120, 50, 60, 26},
      }};
  return dialog;
}

class ProbePage : public fw::CPropertyPage {
 public:
  explicit ProbePage(std::string caption) : CPropertyPage(ProbeDialog(), 0, std::move(caption)) {
    OnClicked(kSetButton, [this] {
      ++clicks;
      SetItemText(kEdit, "set by the program");
    });
    OnChanged(kEdit, [this] { ++changes; });
    OnClicked(kRadio, [this] { ++radioClicks; });
    OnClicked(kCheck, [this] { checkSeen = IsChecked(kCheck); });
    OnClicked(kAsk, [this] { answer = ShowMessage("Sure?", std::nullopt, fw::kMbYesNo); });
    OnClicked(kSave, [this] {
      fw::FileDialogRequest request;
      request.save = true;
      request.initialName = "probe";
      request.defaultExt = "txt";
      request.filter = kFilter;
      saved = fw::Platform::Get().FileDialog(request);
      ++fileDialogs;
    });
    OnClicked(kOpen, [this] {
      fw::FileDialogRequest request;
      request.filter = kFilter;
      opened = fw::Platform::Get().FileDialog(request);
      ++fileDialogs;
    });
  }
  bool OnInitDialog() override {
    ++inits;
    SetItemText(kEdit, "initial");
    // A thick line across the middle of the picture and a point at its right end.
    fw::Drawing d;
    d.lines.push_back({4, 13, 56, 13, fw::Pen::kCurve});
    d.markers.push_back({56, 13, fw::MarkerKind::kPoint});
    SetDrawing(kPicture, d);
    SetTimer(1, 50);
    return true;
  }
  void OnShowWindow(bool show) override { ++(show ? shows : hides); }
  void OnTimer(int id) override {
    if (id != 1) return;
    ++ticks;
    KillTimer(1);
  }

  int inits = 0, shows = 0, hides = 0, ticks = 0, clicks = 0, changes = 0, radioClicks = 0;
  bool checkSeen = false;
  int answer = 0;
  int fileDialogs = 0;
  std::optional<std::string> saved, opened = std::string("not asked");
};

void WriteWhole(const std::string& path, const std::string& text) {
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
}

std::string ReadWhole(const std::string& path) {
  std::string text;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[256];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
  }
  return text;
}

// A finished export takes the place of the old file in one step, also when that file exists
// (the runtime's rename refuses that on Windows).
void MoveOverReplacesAnExistingFile(Checks& checks, fw::PlatformImpl& platform) {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string target = std::string(folder) + "hd73_move_over_target.txt";
  const std::string fresh = std::string(folder) + "hd73_move_over_new.txt";
  WriteWhole(target, "old");
  WriteWhole(fresh, "new");
  checks.That(platform.MoveOver(fresh, target), "MoveOver replaces an existing file");
  checks.Equal(ReadWhole(target), "new", "the target's content");
  checks.That(GetFileAttributesA(fresh.c_str()) == INVALID_FILE_ATTRIBUTES,
              "the new file is gone from its own name");
  checks.That(!platform.MoveOver(fresh, target), "a missing source is refused");
  checks.Equal(ReadWhole(target), "new", "and the target stays as it was");
  DeleteFileA(target.c_str());
}

}  // namespace

int Win32Backend(Checks& checks) {
  Session session;  // the platform, and a window that is active when the sheet opens
  MoveOverReplacesAnExistingFile(checks, fw::Platform::Get());
  ProbePage a("Alpha"), b("Beta"), c("Gamma");
  fw::CPropertySheet sheet("Backend probe");
  sheet.AddPage(&a);
  sheet.AddPage(&b);
  auto ui = [&](auto read) {
    decltype(read()) value{};
    session.OnUi([&] { value = read(); });
    return value;
  };

  const host::UiDispatcher& dispatcher = session.Ui();
  HANDLE thread = host::StartThread([&] {
    host::SheetRemote remote(dispatcher);
    if (!checks.That(remote.Attach("Backend probe", kWaitMs), "the sheet opens")) return;
    checks.That(!IsWindowEnabled(session.Window()), "the window it was opened from is disabled");
    checks.Equal(remote.TabCaptions(), {"Alpha", "Beta"}, "the tabs");
    checks.That(ui([&] { return a.inits == 1 && a.shows == 1 && b.inits == 0; }),
                "the first page is made and shown; the second not yet");
    checks.Equal(remote.Text(kEdit), "initial", "the text set in OnInitDialog");
    checks.That(ui([&] { return a.changes; }) == 0, "setting it did not run the change handler");
    checks.Equal(remote.Text(kLabel), "Offset \u00B0C", "a label with a degree sign");

    // The picture is an owner-drawn static that the page window paints from its drawing.
    HWND pageWindow = PropSheet_GetCurrentPageHwnd(remote.Sheet());
    HWND picture = pageWindow != nullptr ? GetDlgItem(pageWindow, kPicture) : nullptr;
    checks.That(
        picture != nullptr && (GetWindowLongW(picture, GWL_STYLE) & SS_TYPEMASK) == SS_OWNERDRAW,
        "the picture is an owner-drawn static");
    checks.That(ui([&] { return a.GetDrawing(kPicture).lines.size(); }) == 1,
                "the backend keeps the page's drawing");
    if (picture != nullptr) {
      RedrawWindow(picture, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      RECT box = {};
      GetClientRect(picture, &box);
      HDC dc = GetDC(picture);
      const COLORREF middle = GetPixel(dc, box.right / 2, box.bottom / 2);
      const COLORREF corner = GetPixel(dc, box.right / 4, box.bottom / 5);
      ReleaseDC(picture, dc);
      checks.That(middle != CLR_INVALID && middle != RGB(255, 255, 255),
                  "the line is painted across the middle", std::to_string(middle));
      checks.That(corner == RGB(255, 255, 255), "the rest of the picture is white",
                  std::to_string(corner));
    }

    remote.Type(kEdit, "typed");
    checks.That(ui([&] { return a.changes; }) == 1, "typing runs the change handler once");
    remote.Click(kSetButton);
    checks.That(ui([&] { return a.clicks == 1 && a.changes == 1; }),
                "a click runs its handler, whose own text change is not typing");
    checks.Equal(remote.Text(kEdit), "set by the program", "the handler's text");
    remote.Click(kRadio);
    checks.That(ui([&] { return a.radioClicks; }) == 1 && !remote.Checked(kRadio),
                "a radio button reports its click and leaves its state to the page");
    remote.Click(kCheck);
    checks.That(remote.Checked(kCheck) && ui([&] { return a.checkSeen; }),
                "a check box toggles itself before its handler runs");
    const ULONGLONG until = GetTickCount64() + 5000;
    while (ui([&] { return a.ticks; }) == 0 && GetTickCount64() < until) Sleep(20);
    checks.That(ui([&] { return a.ticks; }) == 1, "the page's timer ticks");

    remote.Click(kAsk);
    const host::MessageBoxSeen box = remote.WaitForMessageBox(kWaitMs);
    checks.Equal(box.text, "Sure?", "the page's message");
    checks.Equal(box.caption, "HD7_3", "a page message without a caption has the module's");
    checks.That(box.window != nullptr && GetWindow(box.window, GW_OWNER) == remote.Sheet(),
                "the message box is owned by the sheet");
    checks.That(!IsWindowEnabled(remote.Sheet()), "the sheet takes no clicks meanwhile");
    remote.AnswerMessageBox(box, IDNO);
    checks.That(ui([&] { return a.answer; }) == fw::kIdNo, "the page gets the answer");
    checks.That(IsWindowEnabled(remote.Sheet()) != FALSE, "the sheet is usable again");

    // The common save dialog: owned by the sheet, the filter's two types, the name given, and
    // the default extension added to it.
    remote.Click(kSave);
    const host::MessageBoxSeen save = remote.WaitForMessageBox(kWaitMs);
    checks.That(save.window != nullptr && GetWindow(save.window, GW_OWNER) == remote.Sheet(),
                "the save dialog is owned by the sheet");
    HWND types = save.window != nullptr ? GetDlgItem(save.window, kFileTypes) : nullptr;
    checks.That(types != nullptr && SendMessageW(types, CB_GETCOUNT, 0, 0) == 2,
                "the filter gives two file types");
    checks.That(!IsWindowEnabled(remote.Sheet()), "the sheet takes no clicks while it is up");
    remote.AnswerMessageBox(save, IDOK);
    const std::string path = ui([&] { return a.saved.value_or("<cancelled>"); });
    checks.That(path.size() > 10 && path.substr(path.size() - 10) == "\\probe.txt",
                "the chosen path, with the default extension", path);
    remote.Click(kOpen);
    const host::MessageBoxSeen open = remote.WaitForMessageBox(kWaitMs);
    remote.AnswerMessageBox(open, IDCANCEL);
    checks.That(ui([&] { return a.fileDialogs == 2 && !a.opened.has_value(); }),
                "a cancelled open dialog gives no path");

    session.OnUi([&] { sheet.AddPage(&c); });
    checks.Equal(remote.TabCaptions(), {"Alpha", "Beta", "Gamma"}, "a page added at the end");
    session.OnUi([&] { sheet.RemovePage(&b); });
    checks.Equal(remote.TabCaptions(), {"Alpha", "Gamma"}, "a page taken out");
    session.OnUi([&] { sheet.AddPage(&b); });
    checks.Equal(remote.TabCaptions(), {"Alpha", "Gamma", "Beta"}, "and put back at the end");
    remote.SelectTab("Gamma");
    checks.That(ui([&] { return a.hides == 1 && c.inits == 1 && c.shows == 1; }),
                "changing tabs hides one page and makes and shows the other");
    checks.That(ui([&] { return sheet.GetActiveIndex(); }) == 1, "the sheet knows its page");
    remote.ClickSheetButton(fw::kIdSheetOk);
    checks.That(remote.WaitClosed(kWaitMs), "OK closes the sheet");
  });
  const int result = sheet.DoModal();
  checks.That(WaitHandlingMessages(thread, kWaitMs), "the driver finishes");
  CloseHandle(thread);
  checks.That(result == fw::kIdSheetOk, "DoModal returns the OK button's id",
              std::to_string(result));
  checks.That(c.hides == 1 && !a.HasWindow() && !b.HasWindow() && !c.HasWindow(),
              "the page in view was hidden and every page let go of its window");
  checks.That(IsWindowEnabled(session.Window()) != FALSE, "the window it came from is enabled");
  return checks.Finish();
}

}  // namespace wintest
