#include "framework/win32/win32_page_window.h"

#include <algorithm>

#include "framework/win32/dialog_builder.h"
#include "framework/win32/guarded.h"
#include "framework/win32/operation.h"
#include "framework/win32/picture.h"
#include "framework/win32/text.h"

namespace fw::win32 {
namespace {

// Posted by a page that came into view: its first field takes the focus once the sheet has
// finished switching pages.
constexpr UINT kMsgFocusFirstField = WM_APP + 0x48;

}  // namespace

Win32PageWindow::Win32PageWindow(CPropertyPage& page, HINSTANCE module)
    : page_(page), module_(module) {}

// The page's window is normally gone first (WM_DESTROY unbinds); this covers an object freed
// while its window still exists.
Win32PageWindow::~Win32PageWindow() {
  Unbind();
}

void Win32PageWindow::Unbind() {
  if (hwnd_ == nullptr) return;
  SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
  page_.DetachWindow();
  hwnd_ = nullptr;
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
      // A click or an edit that reaches the page while it talks to the node is ignored.
      if (Operation::Running()) return TRUE;
      if (code == BN_CLICKED) {
        Operation operation;
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
        Operation operation;
        Guarded([&] { page_.OnShowWindow(wParam != 0); });
        if (shown_) PostMessageW(hwnd_, kMsgFocusFirstField, 0, 0);
      }
      return FALSE;
    case kMsgFocusFirstField:
      // Through the sheet's dialog manager, so that the default button follows the focus.
      if (shown_ && IsWindowVisible(hwnd_)) {
        if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) {
          SendMessageW(GetParent(hwnd_), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
        }
      }
      return TRUE;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item == nullptr || item->CtlType != ODT_STATIC) return FALSE;
      auto it = drawings_.find(static_cast<int>(item->CtlID));
      PaintDrawing(hwnd_, *item, it != drawings_.end() ? it->second : Drawing{});
      return TRUE;
    }
    case WM_TIMER:
      // A tick during an operation (a message box's own loop delivers them) waits for the
      // next one.
      if (Operation::Running()) return TRUE;
      {
        Operation operation;
        Guarded([&] { page_.OnTimer(static_cast<int>(wParam)); });
      }
      return TRUE;
    case WM_DESTROY:
      // A page in view when the sheet closes is hidden first, so that it stops its timer.
      if (shown_) {
        shown_ = false;
        Guarded([&] { page_.OnShowWindow(false); });
      }
      Unbind();
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

}  // namespace fw::win32
