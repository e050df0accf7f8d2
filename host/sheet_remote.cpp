#include "host/sheet_remote.h"

#include <commctrl.h>
#include <prsht.h>

#include "framework/win32/text.h"

namespace host {
namespace {

constexpr UINT kMsgSync = WM_APP + 1;  // lParam: event to set
constexpr UINT kMsgRun = WM_APP + 2;   // lParam: the work
constexpr const wchar_t* kDispatcherClass = L"HD7_3HostDispatcher";
constexpr DWORD kPollMs = 20;
constexpr DWORD kSendTimeoutMs = 60000;
constexpr DWORD kSettleMs = 300;

// A message to a window of the user-interface thread, with an upper bound on the wait.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result)) {
    return 0;
  }
  return static_cast<LRESULT>(result);
}

template <class Predicate>
bool WaitFor(Predicate done, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(kPollMs);
  }
}

struct FindContext {
  DWORD process = 0;
  std::wstring caption;
  HWND owner = nullptr;
  HWND exclude = nullptr;
  HWND found = nullptr;
};

bool IsDialogOf(DWORD process, HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != process || !IsWindowVisible(window)) return false;
  wchar_t cls[32] = {};
  GetClassNameW(window, cls, 32);
  return lstrcmpW(cls, L"#32770") == 0;
}

BOOL CALLBACK FindSheet(HWND window, LPARAM lParam) {
  auto* ctx = reinterpret_cast<FindContext*>(lParam);
  if (!IsDialogOf(ctx->process, window)) return TRUE;
  if (fw::win32::Widen(WindowText(window)) != ctx->caption) return TRUE;
  if (SendMessageW(window, PSM_GETTABCONTROL, 0, 0) == 0) return TRUE;  // not a property sheet
  ctx->found = window;
  return FALSE;
}

BOOL CALLBACK FindBox(HWND window, LPARAM lParam) {
  auto* ctx = reinterpret_cast<FindContext*>(lParam);
  if (window == ctx->exclude || !IsDialogOf(ctx->process, window)) return TRUE;
  if (ctx->owner != nullptr && GetWindow(window, GW_OWNER) != ctx->owner) return TRUE;
  if (SendMessageW(window, PSM_GETTABCONTROL, 0, 0) != 0) return TRUE;  // a sheet, not a box
  ctx->found = window;
  return FALSE;
}

// Waits until `find`, called for each top-level window, has found one (in ctx.found).
bool WaitForWindow(WNDENUMPROC find, FindContext& ctx, DWORD timeoutMs) {
  return WaitFor(
      [&] {
        ctx.found = nullptr;
        EnumWindows(find, reinterpret_cast<LPARAM>(&ctx));
        return ctx.found != nullptr;
      },
      timeoutMs);
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM lParam) {
  wchar_t cls[32] = {};
  GetClassNameW(child, cls, 32);
  const LONG style = GetWindowLongW(child, GWL_STYLE);
  const LONG kind = style & SS_TYPEMASK;
  if (lstrcmpiW(cls, L"Static") == 0 && kind != SS_ICON && kind != SS_BITMAP) {
    const std::string text = WindowText(child);
    auto* out = reinterpret_cast<std::string*>(lParam);
    if (!text.empty()) *out += out->empty() ? text : "\n" + text;
  }
  return TRUE;
}

}  // namespace

std::string WindowText(HWND window) {
  if (window == nullptr) return std::string();
  wchar_t buffer[1024] = {};
  Send(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
  return fw::win32::Narrow(buffer);
}

// ---------------------------------------------------------------- UiDispatcher

UiDispatcher::UiDispatcher() {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &UiDispatcher::WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kDispatcherClass;
  RegisterClassW(&wc);
  window_ = CreateWindowExW(0, kDispatcherClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
}

UiDispatcher::~UiDispatcher() {
  if (window_ != nullptr) DestroyWindow(window_);
}

LRESULT CALLBACK UiDispatcher::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kMsgSync) {
    SetEvent(reinterpret_cast<HANDLE>(lParam));
    return 0;
  }
  if (message == kMsgRun) {
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool UiDispatcher::Sync(DWORD timeoutMs) const {
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (event == nullptr) return false;
  // Posted behind whatever was posted before, so handled after it.
  bool done = PostMessageW(window_, kMsgSync, 0, reinterpret_cast<LPARAM>(event)) != FALSE &&
              WaitForSingleObject(event, timeoutMs) == WAIT_OBJECT_0;
  CloseHandle(event);
  return done;
}

bool UiDispatcher::Run(const std::function<void()>& work, DWORD timeoutMs) const {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window_, kMsgRun, 0, reinterpret_cast<LPARAM>(&work), SMTO_NORMAL,
                             timeoutMs, &result) != 0;
}

// ---------------------------------------------------------------- SheetRemote

bool SheetRemote::Settle() const {
  return ui_ == nullptr || ui_->Sync(kSendTimeoutMs);
}

bool SheetRemote::Attach(const std::string& caption, DWORD timeoutMs) {
  FindContext ctx;
  ctx.process = process_;
  ctx.caption = fw::win32::Widen(caption);
  const bool found = WaitForWindow(&FindSheet, ctx, timeoutMs);
  sheet_ = ctx.found;
  // The sheet finishes its own start-up on the user-interface thread.
  return found && Settle();
}

bool SheetRemote::WaitClosed(DWORD timeoutMs) const {
  return WaitFor([&] { return sheet_ == nullptr || !IsWindow(sheet_); }, timeoutMs);
}

std::vector<std::string> SheetRemote::TabCaptions() const {
  std::vector<std::string> captions;
  HWND tab = reinterpret_cast<HWND>(Send(sheet_, PSM_GETTABCONTROL, 0, 0));
  if (tab == nullptr) return captions;
  const int count = static_cast<int>(Send(tab, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    Send(tab, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    captions.push_back(fw::win32::Narrow(text));
  }
  return captions;
}

int SheetRemote::ActiveTab() const {
  HWND tab = reinterpret_cast<HWND>(Send(sheet_, PSM_GETTABCONTROL, 0, 0));
  return tab != nullptr ? static_cast<int>(Send(tab, TCM_GETCURSEL, 0, 0)) : -1;
}

bool SheetRemote::SelectTab(int index) const {
  // The page is made and shown (and has read the node) when the message returns. While a page
  // talks to the node (a live refresh, say) the sheet refuses to change tabs: ask again.
  return WaitFor([&] { return Send(sheet_, PSM_SETCURSEL, static_cast<WPARAM>(index), 0) != 0; },
                 kSendTimeoutMs) &&
         Settle();
}

bool SheetRemote::SelectTab(const std::string& caption) const {
  const std::vector<std::string> captions = TabCaptions();
  for (size_t i = 0; i < captions.size(); ++i) {
    if (captions[i] == caption) return SelectTab(static_cast<int>(i));
  }
  return false;
}

HWND SheetRemote::Page() const {
  return reinterpret_cast<HWND>(Send(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
}

HWND SheetRemote::Item(int id) const {
  HWND page = Page();
  return page != nullptr ? GetDlgItem(page, id) : nullptr;
}

bool SheetRemote::HasItem(int id) const {
  return Item(id) != nullptr;
}

std::string SheetRemote::Text(int id) const {
  return WindowText(Item(id));
}

bool SheetRemote::Checked(int id) const {
  HWND item = Item(id);
  return item != nullptr && Send(item, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool SheetRemote::Enabled(int id) const {
  HWND item = Item(id);
  return item != nullptr && IsWindowEnabled(item) != FALSE;
}

bool SheetRemote::Type(int id, const std::string& text) const {
  HWND item = Item(id);
  if (item == nullptr) return false;
  const std::wstring wide = fw::win32::Widen(text);
  return Send(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str())) != 0;
}

bool SheetRemote::Click(int id) const {
  HWND item = Item(id);
  if (item == nullptr) return false;
  DWORD_PTR result = 0;
  if (ui_ == nullptr) {
    return SendMessageTimeoutW(item, BM_CLICK, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &result) != 0;
  }
  // Posted, not sent: the click may open a message box, which the driver must be free to answer.
  return PostMessageW(item, BM_CLICK, 0, 0) != FALSE && Settle();
}

std::string SheetRemote::SheetButtonText(int id) const {
  return WindowText(GetDlgItem(sheet_, id));
}

bool SheetRemote::SheetButtonVisible(int id) const {
  HWND button = GetDlgItem(sheet_, id);
  return button != nullptr && IsWindowVisible(button) != FALSE;
}

bool SheetRemote::ClickSheetButton(int id) const {
  HWND button = GetDlgItem(sheet_, id);
  return button != nullptr && PostMessageW(button, BM_CLICK, 0, 0) != FALSE && Settle();
}

MessageBoxSeen SheetRemote::WaitForMessageBox(DWORD timeoutMs) const {
  FindContext ctx;
  ctx.process = process_;
  ctx.owner = IsWindow(sheet_) ? sheet_ : nullptr;
  ctx.exclude = sheet_;
  MessageBoxSeen seen;
  if (!WaitForWindow(&FindBox, ctx, timeoutMs)) return seen;
  seen.window = ctx.found;
  seen.caption = WindowText(ctx.found);
  EnumChildWindows(ctx.found, &CollectStaticText, reinterpret_cast<LPARAM>(&seen.text));
  return seen;
}

bool SheetRemote::AnswerMessageBox(const MessageBoxSeen& box, int id) const {
  if (box.window == nullptr) return false;
  HWND button = GetDlgItem(box.window, id);
  if (button == nullptr) return false;
  return PostMessageW(button, BM_CLICK, 0, 0) != FALSE &&
         WaitFor([&] { return !IsWindow(box.window); }, kSendTimeoutMs) && Settle();
}

Picture SheetRemote::Capture(bool duringOperation) const {
  if (ui_ == nullptr) return Picture();
  return CaptureWindow(*ui_, sheet_, duringOperation);
}

Picture CaptureWindow(const UiDispatcher& ui, HWND window, bool duringOperation) {
  Picture picture;
  ui.Run(
      [&] {
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      },
      kSendTimeoutMs);
  // Wine hands what was painted to the display only once the thread is back in its message
  // loop; the screen is read after that.
  if (!duringOperation) ui.Sync(kSendTimeoutMs);
  Sleep(kSettleMs);
  ui.Run(
      [&] {
        RECT r;
        GetWindowRect(window, &r);
        const int width = r.right - r.left;
        const int height = r.bottom - r.top;
        if (width <= 0 || height <= 0) return;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (memory != nullptr && dib != nullptr && bits != nullptr) {
          HGDIOBJ old = SelectObject(memory, dib);
          BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
          GdiFlush();
          const auto* p = static_cast<const uint32_t*>(bits);
          picture.width = width;
          picture.height = height;
          picture.pixels.assign(p, p + static_cast<size_t>(width) * static_cast<size_t>(height));
          for (uint32_t& px : picture.pixels) px &= 0x00FFFFFFu;
          SelectObject(memory, old);
        }
        if (dib != nullptr) DeleteObject(dib);
        if (memory != nullptr) DeleteDC(memory);
        ReleaseDC(nullptr, screen);
      },
      kSendTimeoutMs);
  return picture;
}

}  // namespace host
