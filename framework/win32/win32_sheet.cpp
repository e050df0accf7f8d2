#include "framework/win32/win32_sheet.h"

#include <algorithm>
#include <exception>

#include "framework/win32/dialog_builder.h"
#include "framework/win32/picture.h"
#include "framework/win32/text.h"

namespace fw::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 0x4844;  // one subclass of ours per sheet

// No exception may leave a window procedure: Windows code is on the stack above it.
template <class F>
void Guarded(F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    MessageBoxW(nullptr, Widen(std::string("Unexpected error: ") + e.what()).c_str(),
                Widen(kModuleTitle).c_str(), MB_OK | MB_ICONERROR);
  } catch (...) {
    MessageBoxW(nullptr, L"Unexpected error", Widen(kModuleTitle).c_str(), MB_OK | MB_ICONERROR);
  }
}

}  // namespace

// ---------------------------------------------------------------- Win32PageWindow

Win32PageWindow::Win32PageWindow(CPropertyPage& page, HINSTANCE module)
    : page_(page), module_(module) {}

Win32PageWindow::~Win32PageWindow() {
  if (hwnd_ != nullptr) {
    SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
    page_.DetachWindow();
  }
}

HPROPSHEETPAGE Win32PageWindow::Create() {
  template_ = BuildPageTemplate(page_.Template());
  title_ = Widen(page_.Caption());
  PROPSHEETPAGEW psp = {};
  psp.dwSize = sizeof(psp);
  psp.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
  psp.hInstance = module_;
  psp.pResource = reinterpret_cast<LPCDLGTEMPLATEW>(template_.data());
  psp.pszTitle = title_.c_str();
  psp.pfnDlgProc = &Win32PageWindow::DialogProc;
  psp.lParam = reinterpret_cast<LPARAM>(this);
  return CreatePropertySheetPageW(&psp);
}

INT_PTR CALLBACK Win32PageWindow::DialogProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  auto* self = reinterpret_cast<Win32PageWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (message == WM_INITDIALOG) {
    const auto* psp = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
    self = reinterpret_cast<Win32PageWindow*>(psp->lParam);
    SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
    self->page_.AttachWindow(self);
  }
  if (self == nullptr) return FALSE;
  return self->Handle(message, wParam, lParam);
}

INT_PTR Win32PageWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = FALSE;
  switch (message) {
    case WM_INITDIALOG:
      result = TRUE;
      Guarded([&] { result = page_.OnInitDialog() ? TRUE : FALSE; });
      return result;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (lParam == 0) return FALSE;  // menus and accelerators: the sheet's business
      if (code == BN_CLICKED) {
        Guarded([&] { page_.OnCommand(id); });
        return TRUE;
      }
      if (code == EN_CHANGE && muted_ == 0) {
        Guarded([&] { page_.OnEditChange(id); });
        return TRUE;
      }
      return FALSE;
    }
    case WM_SHOWWINDOW:
      if (lParam == 0) {  // ShowWindow itself, not a parent being minimised or closed
        shown_ = wParam != 0;
        Guarded([&] { page_.OnShowWindow(wParam != 0); });
      }
      return FALSE;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item == nullptr || item->CtlType != ODT_STATIC) return FALSE;
      auto it = drawings_.find(static_cast<int>(item->CtlID));
      PaintDrawing(hwnd_, *item, it != drawings_.end() ? it->second : Drawing{});
      return TRUE;
    }
    case WM_TIMER:
      Guarded([&] { page_.OnTimer(static_cast<int>(wParam)); });
      return TRUE;
    case WM_DESTROY:
      // A page in view when the sheet closes is hidden first, so that it stops its timer.
      if (shown_) {
        shown_ = false;
        Guarded([&] { page_.OnShowWindow(false); });
      }
      page_.DetachWindow();
      SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
      hwnd_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

HWND Win32PageWindow::Item(int id) const {
  return hwnd_ != nullptr ? GetDlgItem(hwnd_, id) : nullptr;
}

void Win32PageWindow::SetText(int id, const std::string& text) {
  HWND item = Item(id);
  if (item == nullptr) return;
  // The edit reports EN_CHANGE for our own change too; the page must not take it for typing.
  ++muted_;
  SetWindowTextW(item, Widen(text).c_str());
  --muted_;
}

std::string Win32PageWindow::GetText(int id) const {
  HWND item = Item(id);
  if (item == nullptr) return std::string();
  const int length = GetWindowTextLengthW(item);
  if (length <= 0) return std::string();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int n = GetWindowTextW(item, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(n, 0)));
  return Narrow(text);
}

void Win32PageWindow::SetCheck(int id, bool checked) {
  if (HWND item = Item(id))
    SendMessageW(item, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32PageWindow::GetCheck(int id) const {
  HWND item = Item(id);
  return item != nullptr && SendMessageW(item, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32PageWindow::Enable(int id, bool enabled) {
  if (HWND item = Item(id)) EnableWindow(item, enabled ? TRUE : FALSE);
}

bool Win32PageWindow::IsEnabled(int id) const {
  HWND item = Item(id);
  return item != nullptr && IsWindowEnabled(item) != FALSE;
}

void Win32PageWindow::Show(int id, bool visible) {
  if (HWND item = Item(id)) ShowWindow(item, visible ? SW_SHOW : SW_HIDE);
}

bool Win32PageWindow::IsVisible(int id) const {
  // The control's own visibility, whether or not its page is in view.
  HWND item = Item(id);
  return item != nullptr && (GetWindowLongW(item, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32PageWindow::SetDrawing(int id, const Drawing& drawing) {
  Drawing& kept = drawings_[id];
  if (kept == drawing) return;
  kept = drawing;
  if (HWND item = Item(id)) InvalidateRect(item, nullptr, TRUE);
}

Drawing Win32PageWindow::GetDrawing(int id) const {
  auto it = drawings_.find(id);
  return it == drawings_.end() ? Drawing{} : it->second;
}

void Win32PageWindow::SetTimer(int timerId, uint32_t periodMs) {
  if (hwnd_ != nullptr) ::SetTimer(hwnd_, static_cast<UINT_PTR>(timerId), periodMs, nullptr);
}

void Win32PageWindow::KillTimer(int timerId) {
  if (hwnd_ != nullptr) ::KillTimer(hwnd_, static_cast<UINT_PTR>(timerId));
}

// ---------------------------------------------------------------- Win32SheetWindow

Win32SheetWindow::Win32SheetWindow(CPropertySheet& sheet, Win32Platform& platform)
    : sheet_(sheet), platform_(platform) {}

Win32SheetWindow::~Win32SheetWindow() {
  if (sheet_.Window() == this) sheet_.DetachWindow();
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

Win32PageWindow& Win32SheetWindow::MakePage(CPropertyPage& page) {
  auto window = std::make_unique<Win32PageWindow>(page, static_cast<HINSTANCE>(platform_.Module()));
  Win32PageWindow& ref = *window;
  pages_[&page] = std::move(window);
  return ref;
}

int Win32SheetWindow::RunModal() {
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);

  std::vector<HPROPSHEETPAGE> handles;
  for (int i = 0; i < sheet_.GetPageCount(); ++i) {
    HPROPSHEETPAGE handle = MakePage(*sheet_.GetPage(i)).Create();
    if (handle == nullptr) return -1;
    handles.push_back(handle);
  }
  if (handles.empty()) return -1;

  // The sheet is modal to the window the engineer was working in.
  HWND owner = GetActiveWindow();
  if (owner != nullptr) owner = GetAncestor(owner, GA_ROOT);

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
    pages_.clear();
    return -1;
  }
  SetWindowSubclass(hwnd_, &Win32SheetWindow::SubclassProc, kSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));

  const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
  if (disableOwner) EnableWindow(owner, FALSE);
  platform_.sheets_.push_back(hwnd_);
  sheet_.AttachWindow(this);
  ApplyButtons();
  Guarded([&] { sheet_.OnInitDialog(); });

  // The modal loop: runs until the sheet has been told to close.
  MSG msg;
  while (PropSheet_GetCurrentPageHwnd(hwnd_) != nullptr) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the host is quitting: leave it the quit
      break;
    }
    if (got == -1) break;
    if (!PropSheet_IsDialogMessage(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }

  platform_.sheets_.erase(std::find(platform_.sheets_.begin(), platform_.sheets_.end(), hwnd_));
  // The owner comes back before the sheet goes, so that it gets the activation.
  if (disableOwner) EnableWindow(owner, TRUE);
  RemoveWindowSubclass(hwnd_, &Win32SheetWindow::SubclassProc, kSubclassId);
  DestroyWindow(hwnd_);  // the pages' windows go with it, and comctl32 frees their handles
  hwnd_ = nullptr;
  sheet_.DetachWindow();
  pages_.clear();
  removed_.clear();
  return result_;
}

LRESULT CALLBACK Win32SheetWindow::SubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR /*id*/, DWORD_PTR data) {
  auto* self = reinterpret_cast<Win32SheetWindow*>(data);
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    const int id = LOWORD(wParam);
    if (id == kIdSheetOk || id == kIdSheetCancel) self->result_ = id;
  } else if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
    self->result_ = kIdSheetCancel;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

void Win32SheetWindow::ApplyButtons() {
  for (int id : {kIdSheetOk, kIdSheetCancel, kIdSheetApply}) {
    SetButtonText(id, sheet_.ButtonText(id));
    ShowButton(id, sheet_.IsButtonVisible(id));
  }
}

void Win32SheetWindow::InsertPage(int index, CPropertyPage& page) {
  if (hwnd_ == nullptr) return;
  Win32PageWindow& window = MakePage(page);
  HPROPSHEETPAGE handle = window.Create();
  if (handle == nullptr) {
    pages_.erase(&page);
    return;
  }
  HWND tab = PropSheet_GetTabControl(hwnd_);
  const int count = tab != nullptr ? TabCtrl_GetItemCount(tab) : 0;
  const BOOL added =
      index >= count
          ? PropSheet_AddPage(hwnd_, handle)
          : PropSheet_InsertPage(
                hwnd_, reinterpret_cast<HPROPSHEETPAGE>(static_cast<INT_PTR>(index)), handle);
  if (!added) {
    DestroyPropertySheetPage(handle);
    pages_.erase(&page);
  }
}

void Win32SheetWindow::RemovePage(int index, CPropertyPage& page) {
  if (hwnd_ == nullptr) return;
  PropSheet_RemovePage(hwnd_, index, nullptr);  // destroys the page's window and handle
  auto it = pages_.find(&page);
  if (it != pages_.end()) {
    removed_.push_back(std::move(it->second));
    pages_.erase(it);
  }
}

void Win32SheetWindow::SetActivePage(int index) {
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
