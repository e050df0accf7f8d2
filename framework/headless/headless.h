// The headless backend: in-memory controls made from the dialog templates, a virtual clock,
// timers that fire only from the virtual message loop, and message boxes and file dialogs that
// are recorded and answered from a script. Tests and tools drive a sheet through SheetDriver.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/platform.h"
#include "framework/property_sheet.h"

namespace fw::headless {

class SheetDriver;

struct RecordedMessage {
  MessageBoxRequest request;
  int answer = 0;
  uint64_t atMs = 0;
};

class HeadlessPlatform : public PlatformImpl {
 public:
  HeadlessPlatform();

  // PlatformImpl
  void Sleep(uint32_t ms) override;
  void Block(uint32_t ms) override;
  void KeepAlive() override { pauses_.emplace_back(nowMs_, nowMs_); }
  uint64_t TickCount() override { return nowMs_; }
  LocalTime Now() override;
  int ShowMessageBox(const MessageBoxRequest& request) override;
  std::optional<std::string> FileDialog(const FileDialogRequest& request) override;
  int RunModal(CPropertySheet& sheet) override;
  // Always the same number, so that the trace's lines in tests are exact.
  uint32_t ProcessId() override { return 4321; }
  std::string TraceFile() override { return traceFile_; }
  void SetTraceFile(std::string path) { traceFile_ = std::move(path); }

  // The virtual clock. The local time advances with the tick count.
  void SetLocalTime(const LocalTime& t);
  uint64_t SleptMs() const { return sleptMs_; }
  void ResetSlept() { sleptMs_ = 0; }

  // The sheet can paint all through a pause and after each host call (the Win32 backend pumps
  // its window messages then) but not while the thread is blocked in between. The longest stretch
  // of virtual time between `fromMs` and `toMs` in which the sheet could not paint.
  uint64_t LongestUnpaintedMs(uint64_t fromMs, uint64_t toMs) const;
  // When each timer tick was delivered, in virtual time.
  const std::vector<uint64_t>& TimerTicks() const { return timerTicks_; }

  // Runs the message loop for ms of virtual time: due timers fire in time order. A timer due
  // while a handler pauses fires once afterwards, as WM_TIMER does.
  void RunFor(uint64_t ms);

  // Message boxes: every one is recorded. Answers are taken from the queue; with the queue
  // empty, OK boxes answer OK and question boxes answer No.
  void QueueAnswer(int answer) { answers_.push_back(answer); }
  const std::vector<RecordedMessage>& Messages() const { return messages_; }
  void ClearMessages() { messages_.clear(); }

  // File dialogs: the queued answer is the chosen path, or nothing for Cancel. With the queue
  // empty the dialog is cancelled.
  void QueueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
  const std::vector<FileDialogRequest>& FileRequests() const { return fileRequests_; }

  // Timers, for the page windows.
  struct TimerOwner {
    virtual ~TimerOwner() = default;
    virtual void FireTimer(int timerId) = 0;
  };
  void SetTimer(TimerOwner* owner, int timerId, uint32_t periodMs);
  void KillTimer(TimerOwner* owner, int timerId);
  void KillTimers(TimerOwner* owner);
  size_t TimerCount() const { return timers_.size(); }

 private:
  struct Timer {
    TimerOwner* owner;
    int id;
    uint32_t period;
    uint64_t due;
  };

  uint64_t nowMs_ = 0;
  uint64_t sleptMs_ = 0;
  std::vector<std::pair<uint64_t, uint64_t>> pauses_;  // [start, end) of each pause
  std::vector<uint64_t> timerTicks_;
  LocalTime base_;
  uint64_t baseMs_ = 0;
  std::deque<int> answers_;
  std::vector<RecordedMessage> messages_;
  std::deque<std::optional<std::string>> files_;
  std::vector<FileDialogRequest> fileRequests_;
  std::string traceFile_;
  std::vector<Timer> timers_;
  ScopedPlatform installed_;
};

// One page window: the controls of its template, in memory.
class HeadlessPageWindow : public PageWindow, public HeadlessPlatform::TimerOwner {
 public:
  HeadlessPageWindow(CPropertyPage& page, HeadlessPlatform& platform);
  ~HeadlessPageWindow() override;

  void SetText(int id, const std::string& text) override;
  std::string GetText(int id) const override;
  void SetCheck(int id, bool checked) override;
  bool GetCheck(int id) const override;
  void Enable(int id, bool enabled) override;
  bool IsEnabled(int id) const override;
  void SetDrawing(int id, const Drawing& drawing) override;
  Drawing GetDrawing(int id) const override;
  void SetTimer(int timerId, uint32_t periodMs) override;
  void KillTimer(int timerId) override;
  void FireTimer(int timerId) override;

  bool HasControl(int id) const { return controls_.count(id) != 0; }
  ControlKind Kind(int id) const;

 private:
  struct Control {
    ControlKind kind;
    std::string text;
    bool checked = false;
    bool enabled = true;
    Drawing drawing;
  };
  Control* Find(int id);
  const Control* Find(int id) const;

  CPropertyPage& page_;
  HeadlessPlatform& platform_;
  std::map<int, Control> controls_;
};

// The running sheet: tabs, the active page, page windows made on first showing, show and hide
// notifications on every change of the active page.
class HeadlessSheetWindow : public SheetWindow {
 public:
  HeadlessSheetWindow(CPropertySheet& sheet, HeadlessPlatform& platform);
  ~HeadlessSheetWindow() override;

  void InsertPage(int index, CPropertyPage& page) override;
  void RemovePage(int index, CPropertyPage& page) override;
  void SetActivePage(int index) override;
  int ActiveIndex() const override { return active_; }
  // The sheet keeps its buttons' captions and visibility; there are no buttons to change here.
  void SetButtonText(int /*id*/, const std::string& /*text*/) override {}
  void ShowButton(int /*id*/, bool /*visible*/) override {}

  void Open();   // OnInitDialog, then the first page comes into view
  void Close();  // the page in view is hidden, every page window destroyed
  HeadlessPageWindow* WindowOf(const CPropertyPage& page) const;

 private:
  void Activate(int index);
  void EnsureWindow(CPropertyPage& page);
  void DestroyWindow(CPropertyPage& page);

  CPropertySheet& sheet_;
  HeadlessPlatform& platform_;
  std::map<const CPropertyPage*, std::unique_ptr<HeadlessPageWindow>> windows_;
  int active_ = -1;
  bool open_ = false;
};

// Opens a sheet headlessly and works it as an engineer would: tabs, clicks, typing.
class SheetDriver {
 public:
  SheetDriver(CPropertySheet& sheet, HeadlessPlatform& platform);
  ~SheetDriver();

  void Open();
  void Close();

  int TabCount() const { return sheet_.GetPageCount(); }
  std::vector<std::string> TabCaptions() const;
  void SelectTab(int index);
  bool SelectTab(const std::string& caption);  // first tab with that caption
  CPropertyPage& ActivePage() const;

  // A click on a control of the page in view. A disabled control takes no click;
  // returns whether the click reached the page.
  bool Click(int id);
  // Types text into an edit of the page in view, as the engineer would (change handlers run).
  void Type(int id, const std::string& text);
  std::string Text(int id) const { return ActivePage().GetItemText(id); }
  bool Checked(int id) const { return ActivePage().IsChecked(id); }
  bool Enabled(int id) const { return ActivePage().IsItemEnabled(id); }

  // The sheet's own buttons; a click on OK ("Exit") or Cancel closes the sheet.
  bool ClickSheetButton(int id);
  int Result() const { return result_; }

 private:
  CPropertySheet& sheet_;
  HeadlessPlatform& platform_;
  HeadlessSheetWindow window_;
  bool open_ = false;
  int result_ = 0;
};

}  // namespace fw::headless
