// The Win32 backend on its own: a sheet of probe pages run modally, worked by window messages.
// What the pages rely on: texts set by the program never look like typing, radio buttons leave
// their state to the page, timers tick, pictures are painted, pages are made and shown as they
// come into view and hidden as they leave it. Also the number texts under the Windows runtime:
// the same as the native build gives, whatever the C runtime's printf and atof would do.
#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <limits>
#include <string>

#include "framework/property_sheet.h"
#include "nvdata/number_text.h"
#include "tests/win/harness.h"

namespace wintest {
namespace {

constexpr int kEdit = 300;
constexpr int kSetButton = 301;
constexpr int kRadio = 302;
constexpr int kLabel = 305;
constexpr int kPicture = 308;

const fw::DialogTemplate& ProbeDialog() {
  static const fw::DialogTemplate dialog{
      900,
      250,
      150,
      {
          {kEdit, fw::ControlKind::kEdit, "", 10, 10, 100, 13},
          {kSetButton, fw::ControlKind::kPushButton, "Set", 120, 10, 50, 14},
          {kRadio, fw::ControlKind::kRadioButton, "Radio", 10, 30, 60, 10},
          {kLabel, fw::ControlKind::kStatic, "Offset \u00B0C", 10, 60, 80, 8},
          {fw::kStaticId, fw::ControlKind::kGroupBox, "Group", 5, 80, 200, 40},
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
};

void CheckNumberTexts(Checks& checks) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    std::string seen, expected;
  } texts[] = {
      {FormatFixed0(0.5), "1"},
      {FormatFixed0(-2.5), "-3"},
      {FormatFixed1(0.25), "0.3"},
      {FormatFixed1(0.15), "0.1"},  // stored just below 0.15
      {FormatFixed1(-555.35), "-555.4"},
      {FormatFixed1(1e20), "100000000000000000000.0"},
      {FormatFixed0(nan), "nan"},
      {FormatFixed1(-std::numeric_limits<double>::infinity()), "-inf"},
      {FormatExportDate({2026, 12, 5, 9, 5, 7}), "5/12-2026 "},
      {FormatExportTime({2026, 12, 5, 9, 5, 7}), "9:05:07"},
      {std::to_string(TruncToInt32(1e12)), "-2147483648"},
      {std::to_string(TruncToInt32(nan)), "-2147483648"},
      {std::to_string(TruncToInt32(-1.9)), "-1"},  // toward zero
  };
  for (const auto& t : texts) checks.Equal(t.seen, t.expected, "a number text");
  const struct {
    const char* text;
    double value;
  } numbers[] = {{"1e3", 1000}, {" -2.5x", -2.5}, {".5", 0.5}, {"abc", 0}, {"0x10", 0}, {"inf", 0}};
  for (const auto& n : numbers) {
    checks.That(Atof(n.text) == n.value, std::string("atof of \"") + n.text + "\"");
  }
  checks.That(std::isinf(Atof("1e999")), "atof of 1e999 is infinite");
}

}  // namespace

int Win32Backend(Checks& checks) {
  CheckNumberTexts(checks);
  Session session;  // the platform, and a window that is active when the sheet opens
  ProbePage a("Alpha"), b("Beta");
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
    checks.That(ui([&] { return a.inits == 1 && a.shows == 1 && b.inits == 0; }),
                "the first page is made and shown; the second not yet");
    checks.Equal(remote.Text(kEdit), "initial", "the text set in OnInitDialog");
    checks.That(ui([&] { return a.changes; }) == 0, "setting it did not run the change handler");
    checks.Equal(remote.Text(kLabel), "Offset \u00B0C", "a label with a degree sign");

    // The picture is an owner-drawn static that the page window paints from its drawing.
    HWND picture = GetDlgItem(remote.Page(), kPicture);
    checks.That(
        picture != nullptr && (GetWindowLongW(picture, GWL_STYLE) & SS_TYPEMASK) == SS_OWNERDRAW,
        "the picture is an owner-drawn static");
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
    const ULONGLONG until = GetTickCount64() + 5000;
    while (ui([&] { return a.ticks; }) == 0 && GetTickCount64() < until) Sleep(20);
    checks.That(ui([&] { return a.ticks; }) == 1, "the page's timer ticks, once until killed");

    remote.SelectTab("Beta");
    checks.That(ui([&] { return a.hides == 1 && b.inits == 1 && b.shows == 1; }),
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
  checks.That(b.hides == 1 && !a.HasWindow() && !b.HasWindow(),
              "the page in view was hidden and every page let go of its window");
  return checks.Finish();
}

}  // namespace wintest
