#include "framework/win32/win32_sheet.h"

#include <algorithm>

#include "framework/win32/guarded.h"
#include "framework/win32/operation.h"
#include "framework/win32/text.h"

namespace fw::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 0x4844;  // one subclass of ours per sheet

}  // namespace

// ---------------------------------------------------------------- PageWindowSet

HPROPSHEETPAGE PageWindowSet::Add(CPropertyPage& page) {
  auto window = std::make_unique<Win32PageWindow>(page, module_);
  HPROPSHEETPAGE handle = window->Create();
  if (handle != nullptr) live_[&page] = std::move(window);
  return handle;
}

void PageWindowSet::Discard(const CPropertyPage& page) {
  live_.erase(&page);
}

void PageWindowSet::Retire(const CPropertyPage& page) {
  auto it = live_.find(&page);
  if (it == live_.end()) return;
  retired_.push_back(std::move(it->second));
  live_.erase(it);
}

void PageWindowSet::Clear() {
  live_.clear();
  retired_.clear();
}

// ---------------------------------------------------------------- Win32SheetWindow

Win32SheetWindow::Win32SheetWindow(CPropertySheet& sheet, Win32Platform& platform)
    : sheet_(sheet), platform_(platform), pages_(static_cast<HINSTANCE>(platform.Module())) {}

Win32SheetWindow::~Win32SheetWindow() {
  if (sheet_.Window() == this) sheet_.DetachWindow();
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

int Win32SheetWindow::RunModal() {
  // The sheet is modal to the window the engineer was working in.
  HWND owner = GetActiveWindow();
  if (owner != nullptr) owner = GetAncestor(owner, GA_ROOT);
  if (!Create(owner)) return -1;

  const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
  if (disableOwner) EnableWindow(owner, FALSE);
  platform_.sheets_.push_back(hwnd_);
  sheet_.AttachWindow(this);
  ApplyButtons();
  // The first page is up (PropertySheetW made it): the portable sheet may now add pages.
  Guarded([&] { sheet_.OnInitDialog(); });

  RunModalLoop();
  Destroy(owner, disableOwner);
  return result_;
}

// Makes the modeless comctl32 sheet with a page window for every page of the portable sheet.
// The common controls are registered first: comctl32 makes the tab control and the page
// dialogs of the classes that InitCommonControlsEx registers.
bool Win32SheetWindow::Create(HWND owner) {
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);

  std::vector<HPROPSHEETPAGE> handles;
  for (int i = 0; i < sheet_.GetPageCount(); ++i) {
    HPROPSHEETPAGE handle = pages_.Add(*sheet_.GetPage(i));
    if (handle == nullptr) {
      for (HPROPSHEETPAGE made : handles) DestroyPropertySheetPage(made);
      pages_.Clear();
      return false;
    }
    handles.push_back(handle);
  }
  if (handles.empty()) return false;

  const std::wstring caption = Widen(sheet_.Caption());
  PROPSHEETHEADERW psh = {};
  psh.dwSize = sizeof(psh);
  psh.dwFlags = PSH_MODELESS | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP;
  psh.hwndParent = owner;
  psh.hInstance = static_cast<HINSTANCE>(platform_.Module());
  psh.pszCaption = caption.c_str();
  psh.nPages = static_cast<UINT>(handles.size());
  psh.nStartPage =
      static_cast<UINT>(std::clamp(sheet_.FirstPage(), 0, static_cast<int>(handles.size()) - 1));
  psh.phpage = handles.data();
  hwnd_ = reinterpret_cast<HWND>(PropertySheetW(&psh));
  if (hwnd_ == nullptr || hwnd_ == reinterpret_cast<HWND>(-1)) {
    // comctl32 frees the page handles of a sheet it could not make.
    hwnd_ = nullptr;
    pages_.Clear();
    return false;
  }
  SetWindowSubclass(hwnd_, &Win32SheetWindow::SubclassProc, kSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));
  return true;
}

// The modal loop. A modeless comctl32 sheet never destroys itself: when "Exit", Cancel or the
// close box tells it to close, it only stops having a current page
// (PropSheet_GetCurrentPageHwnd gives NULL). So the loop runs until then and leaves the window
// to Destroy. Keys go to PropSheet_IsDialogMessage first, for Tab, the arrows, mnemonics and
// Ctrl+Tab between the tabs. A WM_QUIT (the host is quitting) ends the loop and is posted again
// for the host's own loop.
void Win32SheetWindow::RunModalLoop() {
  MSG msg;
  while (PropSheet_GetCurrentPageHwnd(hwnd_) != nullptr) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    if (!PropSheet_IsDialogMessage(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

// Takes the sheet down in the order Windows and comctl32 need:
//   1. the owner is enabled again before the sheet goes, so that it gets the activation;
//   2. destroying the sheet's window destroys the page windows (the page in view is hidden
//      first and stops its timer) and comctl32 frees the page handles;
//   3. only then the page window objects are freed: their dialog procedures use them up to
//      the last message of their windows.
void Win32SheetWindow::Destroy(HWND owner, bool ownerWasEnabled) {
  platform_.sheets_.erase(std::find(platform_.sheets_.begin(), platform_.sheets_.end(), hwnd_));
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
  RemoveWindowSubclass(hwnd_, &Win32SheetWindow::SubclassProc, kSubclassId);
  DestroyWindow(hwnd_);
  hwnd_ = nullptr;
  sheet_.DetachWindow();
  pages_.Clear();
}

LRESULT CALLBACK Win32SheetWindow::SubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR /*id*/, DWORD_PTR data) {
  auto* self = reinterpret_cast<Win32SheetWindow*>(data);
  if (Operation::Running() && !self->changingPages_ && IsUserRequest(message, wParam, lParam)) {
    // While a page talks to the node the sheet stays where it is: no other tab, no "Exit".
    return message == WM_NOTIFY ? TRUE : 0;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    const int id = LOWORD(wParam);
    if (id == kIdSheetOk || id == kIdSheetCancel) self->result_ = id;
  } else if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
    self->result_ = kIdSheetCancel;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

// What would close the sheet or change its tab when it comes from outside the sheet's own
// page-set changes: its buttons, the close box, a tab click or a request to select a page.
bool Win32SheetWindow::IsUserRequest(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      return HIWORD(wParam) == BN_CLICKED;
    case WM_SYSCOMMAND:
      return (wParam & 0xFFF0) == SC_CLOSE;
    case WM_CLOSE:
    case PSM_SETCURSEL:
    case PSM_SETCURSELID:
      return true;
    case WM_NOTIFY:
      return reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(TCN_SELCHANGING);
    default:
      return false;
  }
}

void Win32SheetWindow::ApplyButtons() {
  for (int id : {kIdSheetOk, kIdSheetCancel, kIdSheetApply}) {
    SetButtonText(id, sheet_.ButtonText(id));
    ShowButton(id, sheet_.IsButtonVisible(id));
  }
}

void Win32SheetWindow::InsertPage(int index, CPropertyPage& page) {
  if (hwnd_ == nullptr) return;
  const ChangingPages changing(*this);
  HPROPSHEETPAGE handle = pages_.Add(page);
  if (handle == nullptr) return;
  HWND tab = PropSheet_GetTabControl(hwnd_);
  const int count = tab != nullptr ? TabCtrl_GetItemCount(tab) : 0;
  const BOOL added =
      index >= count
          ? PropSheet_AddPage(hwnd_, handle)
          : PropSheet_InsertPage(
                hwnd_, reinterpret_cast<HPROPSHEETPAGE>(static_cast<INT_PTR>(index)), handle);
  if (!added) {
    DestroyPropertySheetPage(handle);
    pages_.Discard(page);
  }
}

void Win32SheetWindow::RemovePage(int index, CPropertyPage& page) {
  if (hwnd_ == nullptr) return;
  const ChangingPages changing(*this);
  PropSheet_RemovePage(hwnd_, index, nullptr);  // destroys the page's window and handle
  pages_.Retire(page);
}

void Win32SheetWindow::SetActivePage(int index) {
  const ChangingPages changing(*this);
  if (hwnd_ != nullptr) PropSheet_SetCurSel(hwnd_, nullptr, index);
}

int Win32SheetWindow::ActiveIndex() const {
  if (hwnd_ == nullptr) return -1;
  HWND tab = PropSheet_GetTabControl(hwnd_);
  return tab != nullptr ? TabCtrl_GetCurSel(tab) : -1;
}

void Win32SheetWindow::SetButtonText(int id, const std::string& text) {
  if (hwnd_ == nullptr) return;
  if (HWND button = GetDlgItem(hwnd_, id)) SetWindowTextW(button, Widen(text).c_str());
}

void Win32SheetWindow::ShowButton(int id, bool visible) {
  if (hwnd_ == nullptr) return;
  if (HWND button = GetDlgItem(hwnd_, id)) ShowWindow(button, visible ? SW_SHOW : SW_HIDE);
}

}  // namespace fw::win32
