// Works a running plug-in sheet from a second thread with window messages by control id, as an
// engineer's clicks would: tabs through the sheet's tab control, clicks as BM_CLICK, texts as
// WM_GETTEXT. The sheet runs modally on the user-interface thread (inside the Properties verb);
// a UiDispatcher made on that thread lets the driver wait until the thread has handled what it
// was sent, and run short pieces of work there (a screenshot, a look at the simulated node).
// The sheet of another process (the demo host started by a test) is worked by the same calls,
// without a dispatcher: there a click is sent and returns once the page has handled it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace host {

class UiDispatcher {
 public:
  UiDispatcher();  // on the user-interface thread
  ~UiDispatcher();
  UiDispatcher(const UiDispatcher&) = delete;
  UiDispatcher& operator=(const UiDispatcher&) = delete;

  // Returns once the thread has handled every message posted to it before this call (a click
  // that opens a message box counts as handled once the box is up). False on timeout.
  bool Sync(DWORD timeoutMs) const;
  // Runs `work` on the user-interface thread and waits for it. False on timeout.
  bool Run(const std::function<void()>& work, DWORD timeoutMs) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
};

struct MessageBoxSeen {
  HWND window = nullptr;
  std::string caption;
  std::string text;
};

// A picture of a window, 32-bit pixels (0x00RRGGBB), row 0 at the top.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

class SheetRemote {
 public:
  explicit SheetRemote(const UiDispatcher& ui) : ui_(&ui), process_(GetCurrentProcessId()) {}
  // The sheet of another process. Its tab captions and pictures cannot be had from here.
  explicit SheetRemote(DWORD processId) : process_(processId) {}

  // Waits for the sheet window with the given caption to be up.
  bool Attach(const std::string& caption, DWORD timeoutMs);
  // Waits for the sheet to have closed.
  bool WaitClosed(DWORD timeoutMs) const;
  HWND Sheet() const { return sheet_; }

  std::vector<std::string> TabCaptions() const;
  int ActiveTab() const;
  bool SelectTab(int index) const;
  bool SelectTab(const std::string& caption) const;

  // The page in view and its controls.
  HWND Page() const;
  bool HasItem(int id) const;
  std::string Text(int id) const;
  bool Checked(int id) const;
  bool Enabled(int id) const;
  // Puts text into a control of the page in view as typing would (the edit reports the change).
  bool Type(int id, const std::string& text) const;
  // A click on a control of the page in view; returns once the page has handled it. In another
  // process only for clicks that open no message box (the click waits for the box's answer).
  bool Click(int id) const;

  // The sheet's own buttons (1 "Exit", 2 Cancel, 12321 Apply).
  std::string SheetButtonText(int id) const;
  bool SheetButtonVisible(int id) const;
  bool ClickSheetButton(int id) const;

  // A message box owned by the sheet (or any window of the sheet's process when there is no
  // sheet yet or any more), once it is up; window is null on timeout.
  MessageBoxSeen WaitForMessageBox(DWORD timeoutMs) const;
  bool AnswerMessageBox(const MessageBoxSeen& box, int id) const;

  // The sheet as it is on the screen, freshly painted. During a long operation the thread
  // handles no posted messages: `duringOperation` then skips waiting for its message loop.
  Picture Capture(bool duringOperation = false) const;

 private:
  // Waits until the user-interface thread has handled what it was posted; in another process
  // everything that needs it was sent, not posted.
  bool Settle() const;
  HWND Item(int id) const;  // a control of the page in view, or null

  const UiDispatcher* ui_ = nullptr;
  DWORD process_;
  HWND sheet_ = nullptr;
};

// A window as it is on the screen, freshly painted (its thread must run a message loop).
Picture CaptureWindow(const UiDispatcher& ui, HWND window, bool duringOperation = false);

// Writes a picture as a PNG file (uncompressed deflate; no library needed).
bool WritePng(const std::wstring& path, const Picture& picture);

std::string WindowText(HWND window);

template <class F>
DWORD WINAPI ThreadEntry(LPVOID p) {
  F* work = static_cast<F*>(p);
  (*work)();
  delete work;
  return 0;
}

// Runs `work` on a new thread (the cross compilers' runtime has no std::thread); the handle is
// the caller's to wait for and close.
template <class F>
HANDLE StartThread(F work) {
  auto* heap = new F(std::move(work));
  HANDLE thread = CreateThread(nullptr, 0, &ThreadEntry<F>, heap, 0, nullptr);
  if (thread == nullptr) delete heap;
  return thread;
}

}  // namespace host
