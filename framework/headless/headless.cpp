#include "framework/headless/headless.h"

#include <algorithm>
#include <stdexcept>

namespace fw::headless {

// ---------------------------------------------------------------- HeadlessPlatform

HeadlessPlatform::HeadlessPlatform() : installed_(*this) {
  base_ = LocalTime{2026, 1, 1, 0, 0, 0};
}

void HeadlessPlatform::Sleep(uint32_t ms) {
  if (ms > 0) pauses_.emplace_back(nowMs_, nowMs_ + ms);
  nowMs_ += ms;
  sleptMs_ += ms;
}

void HeadlessPlatform::Block(uint32_t ms) {
  nowMs_ += ms;
  sleptMs_ += ms;
}

uint64_t HeadlessPlatform::LongestUnpaintedMs(uint64_t fromMs, uint64_t toMs) const {
  uint64_t longest = 0;
  uint64_t paintedUpTo = fromMs;  // pauses come in time order
  for (const auto& [start, end] : pauses_) {
    if (end <= fromMs || start >= toMs) continue;
    if (start > paintedUpTo) longest = std::max(longest, start - paintedUpTo);
    paintedUpTo = std::max(paintedUpTo, end);
  }
  if (toMs > paintedUpTo) longest = std::max(longest, toMs - paintedUpTo);
  return longest;
}

LocalTime HeadlessPlatform::Now() {
  return AddSeconds(base_, static_cast<int64_t>((nowMs_ - baseMs_) / 1000));
}

void HeadlessPlatform::SetLocalTime(const LocalTime& t) {
  base_ = t;
  baseMs_ = nowMs_;
}

int HeadlessPlatform::ShowMessageBox(const MessageBoxRequest& request) {
  int answer;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  } else if ((request.flags & kMbTypeMask) == kMbYesNo) {
    answer = kIdNo;
  } else if ((request.flags & kMbTypeMask) == kMbOkCancel) {
    answer = kIdCancel;
  } else {
    answer = kIdOk;
  }
  messages_.push_back({request, answer, nowMs_});
  return answer;
}

std::optional<std::string> HeadlessPlatform::FileDialog(const FileDialogRequest& request) {
  fileRequests_.push_back(request);
  if (files_.empty()) return std::nullopt;
  std::optional<std::string> answer = files_.front();
  files_.pop_front();
  return answer;
}

int HeadlessPlatform::RunModal(CPropertySheet& sheet) {
  SheetDriver driver(sheet, *this);
  driver.Open();
  driver.ClickSheetButton(kIdSheetOk);
  return driver.Result();
}

void HeadlessPlatform::SetTimer(TimerOwner* owner, int timerId, uint32_t periodMs) {
  for (Timer& t : timers_) {
    if (t.owner == owner && t.id == timerId) {
      t.period = periodMs;
      t.due = nowMs_ + periodMs;
      return;
    }
  }
  timers_.push_back({owner, timerId, periodMs, nowMs_ + periodMs});
}

void HeadlessPlatform::KillTimer(TimerOwner* owner, int timerId) {
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                               [&](const Timer& t) { return t.owner == owner && t.id == timerId; }),
                timers_.end());
}

void HeadlessPlatform::KillTimers(TimerOwner* owner) {
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                               [&](const Timer& t) { return t.owner == owner; }),
                timers_.end());
}

void HeadlessPlatform::RunFor(uint64_t ms) {
  const uint64_t end = nowMs_ + ms;
  for (;;) {
    const Timer* next = nullptr;
    for (const Timer& t : timers_) {
      if (t.due <= end && (next == nullptr || t.due < next->due)) next = &t;
    }
    if (next == nullptr) break;
    nowMs_ = std::max(nowMs_, next->due);
    TimerOwner* owner = next->owner;
    const int id = next->id;
    // The next tick counts from this one's dispatch; ticks missed during a pause collapse.
    for (Timer& t : timers_) {
      if (t.owner == owner && t.id == id) t.due = nowMs_ + t.period;
    }
    timerTicks_.push_back(nowMs_);
    owner->FireTimer(id);
  }
  nowMs_ = std::max(nowMs_, end);
}

// ---------------------------------------------------------------- HeadlessPageWindow

HeadlessPageWindow::HeadlessPageWindow(CPropertyPage& page, HeadlessPlatform& platform)
    : page_(page), platform_(platform) {
  for (const ControlDef& def : page.Template().controls) {
    if (def.id == kStaticId) continue;
    Control c;
    c.kind = def.kind;
    c.text = def.text;
    c.enabled = (def.style & kCreatedDisabled) == 0;
    controls_[def.id] = c;
  }
}

HeadlessPageWindow::~HeadlessPageWindow() {
  platform_.KillTimers(this);
}

HeadlessPageWindow::Control* HeadlessPageWindow::Find(int id) {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : &it->second;
}

const HeadlessPageWindow::Control* HeadlessPageWindow::Find(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : &it->second;
}

ControlKind HeadlessPageWindow::Kind(int id) const {
  const Control* c = Find(id);
  return c != nullptr ? c->kind : ControlKind::kStatic;
}

void HeadlessPageWindow::SetText(int id, const std::string& text) {
  if (Control* c = Find(id)) c->text = text;
}

std::string HeadlessPageWindow::GetText(int id) const {
  const Control* c = Find(id);
  return c != nullptr ? c->text : std::string();
}

void HeadlessPageWindow::SetCheck(int id, bool checked) {
  if (Control* c = Find(id)) c->checked = checked;
}

bool HeadlessPageWindow::GetCheck(int id) const {
  const Control* c = Find(id);
  return c != nullptr && c->checked;
}

void HeadlessPageWindow::Enable(int id, bool enabled) {
  if (Control* c = Find(id)) c->enabled = enabled;
}

bool HeadlessPageWindow::IsEnabled(int id) const {
  const Control* c = Find(id);
  return c != nullptr && c->enabled;
}

void HeadlessPageWindow::SetDrawing(int id, const Drawing& drawing) {
  Control* c = Find(id);
  if (c != nullptr && c->kind == ControlKind::kPicture) c->drawing = drawing;
}

Drawing HeadlessPageWindow::GetDrawing(int id) const {
  const Control* c = Find(id);
  return c != nullptr ? c->drawing : Drawing{};
}

void HeadlessPageWindow::SetTimer(int timerId, uint32_t periodMs) {
  platform_.SetTimer(this, timerId, periodMs);
}

void HeadlessPageWindow::KillTimer(int timerId) {
  platform_.KillTimer(this, timerId);
}

void HeadlessPageWindow::FireTimer(int timerId) {
  page_.OnTimer(timerId);
}

// ---------------------------------------------------------------- HeadlessSheetWindow

HeadlessSheetWindow::HeadlessSheetWindow(CPropertySheet& sheet, HeadlessPlatform& platform)
    : sheet_(sheet), platform_(platform) {}

HeadlessSheetWindow::~HeadlessSheetWindow() {
  for (auto& entry : windows_) const_cast<CPropertyPage*>(entry.first)->DetachWindow();
  if (sheet_.Window() == this) sheet_.DetachWindow();
}

HeadlessPageWindow* HeadlessSheetWindow::WindowOf(const CPropertyPage& page) const {
  auto it = windows_.find(&page);
  return it == windows_.end() ? nullptr : it->second.get();
}

void HeadlessSheetWindow::EnsureWindow(CPropertyPage& page) {
  if (windows_.count(&page) != 0) return;
  auto window = std::make_unique<HeadlessPageWindow>(page, platform_);
  page.AttachWindow(window.get());
  windows_[&page] = std::move(window);
  page.OnInitDialog();
}

void HeadlessSheetWindow::DestroyWindow(CPropertyPage& page) {
  auto it = windows_.find(&page);
  if (it == windows_.end()) return;
  page.DetachWindow();
  windows_.erase(it);
}

void HeadlessSheetWindow::Activate(int index) {
  CPropertyPage* next = sheet_.GetPage(index);
  if (next == nullptr) return;
  if (index == active_ && windows_.count(next) != 0) return;
  if (CPropertyPage* current = sheet_.GetPage(active_)) {
    if (windows_.count(current) != 0) current->OnShowWindow(false);
  }
  active_ = index;
  EnsureWindow(*next);
  // The page's own initialisation may have changed the sheet; show what is active now.
  if (CPropertyPage* shown = sheet_.GetPage(active_)) shown->OnShowWindow(true);
}

void HeadlessSheetWindow::InsertPage(int index, CPropertyPage& /*page*/) {
  if (active_ >= 0 && index <= active_) ++active_;
}

void HeadlessSheetWindow::RemovePage(int index, CPropertyPage& page) {
  const int count = sheet_.GetPageCount();
  if (index == active_) {
    if (count > 1) {
      const int next = index + 1 < count ? index + 1 : index - 1;
      Activate(next);
      active_ = next > index ? next - 1 : next;
    } else {
      page.OnShowWindow(false);
      active_ = -1;
    }
  } else if (index < active_) {
    --active_;
  }
  DestroyWindow(page);
}

void HeadlessSheetWindow::SetActivePage(int index) {
  if (open_) {
    Activate(index);
  } else {
    active_ = index;
  }
}

void HeadlessSheetWindow::Open() {
  sheet_.AttachWindow(this);
  open_ = true;
  const int first = std::clamp(sheet_.FirstPage(), 0, std::max(0, sheet_.GetPageCount() - 1));
  // The first page is made during the sheet's own initialisation, as Windows does it.
  if (sheet_.GetPageCount() > 0) Activate(first);
  sheet_.OnInitDialog();
}

void HeadlessSheetWindow::Close() {
  if (!open_) return;
  if (CPropertyPage* current = sheet_.GetPage(active_)) {
    if (windows_.count(current) != 0) current->OnShowWindow(false);
  }
  for (auto& entry : windows_) const_cast<CPropertyPage*>(entry.first)->DetachWindow();
  windows_.clear();
  open_ = false;
  active_ = -1;
  sheet_.DetachWindow();
}

// ---------------------------------------------------------------- SheetDriver

SheetDriver::SheetDriver(CPropertySheet& sheet, HeadlessPlatform& platform)
    : sheet_(sheet), platform_(platform), window_(sheet, platform) {}

SheetDriver::~SheetDriver() {
  Close();
}

void SheetDriver::Open() {
  if (open_) return;
  open_ = true;
  window_.Open();
}

void SheetDriver::Close() {
  if (!open_) return;
  window_.Close();
  open_ = false;
}

std::vector<std::string> SheetDriver::TabCaptions() const {
  std::vector<std::string> captions;
  for (int i = 0; i < sheet_.GetPageCount(); ++i) captions.push_back(sheet_.GetPage(i)->Caption());
  return captions;
}

void SheetDriver::SelectTab(int index) {
  if (index < 0 || index >= sheet_.GetPageCount()) throw std::out_of_range("no such tab");
  window_.SetActivePage(index);
}

bool SheetDriver::SelectTab(const std::string& caption) {
  for (int i = 0; i < sheet_.GetPageCount(); ++i) {
    if (sheet_.GetPage(i)->Caption() == caption) {
      SelectTab(i);
      return true;
    }
  }
  return false;
}

CPropertyPage& SheetDriver::ActivePage() const {
  CPropertyPage* page = sheet_.GetPage(window_.ActiveIndex());
  if (page == nullptr) throw std::logic_error("no page in view");
  return *page;
}

bool SheetDriver::Click(int id) {
  CPropertyPage& page = ActivePage();
  HeadlessPageWindow* window = window_.WindowOf(page);
  if (window == nullptr || !window->HasControl(id)) return false;
  if (!window->IsEnabled(id)) return false;
  if (window->Kind(id) == ControlKind::kCheckBox) window->SetCheck(id, !window->GetCheck(id));
  page.OnCommand(id);
  return true;
}

void SheetDriver::Type(int id, const std::string& text) {
  CPropertyPage& page = ActivePage();
  page.SetItemText(id, text);
  page.OnEditChange(id);
}

bool SheetDriver::ClickSheetButton(int id) {
  if (!open_ || !sheet_.IsButtonVisible(id)) return false;
  if (id == kIdSheetOk || id == kIdSheetCancel) {
    result_ = id;
    Close();
  }
  return true;
}

}  // namespace fw::headless
