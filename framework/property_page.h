// The portable property page: a dialog template, a tab caption and the handlers a page
// overrides. Controls are reached by id through the backend's window for the page; while the
// page has no window (not yet shown, or removed) the control calls do nothing and read empty.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "framework/dialog_template.h"
#include "framework/drawing.h"
#include "framework/platform.h"

namespace fw {

class CPropertySheet;

// The backend's side of one created page window.
class PageWindow {
 public:
  virtual ~PageWindow() = default;
  // Setting a text never runs the page's own change handlers.
  virtual void SetText(int id, const std::string& text) = 0;
  virtual std::string GetText(int id) const = 0;
  virtual void SetCheck(int id, bool checked) = 0;
  virtual bool GetCheck(int id) const = 0;
  virtual void Enable(int id, bool enabled) = 0;
  virtual bool IsEnabled(int id) const = 0;
  // The picture of a kPicture control; it is painted again when it changes.
  virtual void SetDrawing(int id, const Drawing& drawing) = 0;
  virtual Drawing GetDrawing(int id) const = 0;
  virtual void SetTimer(int timerId, uint32_t periodMs) = 0;
  virtual void KillTimer(int timerId) = 0;
};

class CPropertyPage {
 public:
  CPropertyPage(const DialogTemplate& dialog, int captionId, std::string caption);
  virtual ~CPropertyPage();
  CPropertyPage(const CPropertyPage&) = delete;
  CPropertyPage& operator=(const CPropertyPage&) = delete;

  const DialogTemplate& Template() const { return dialog_; }
  int TemplateId() const { return dialog_.id; }
  int CaptionId() const { return captionId_; }
  const std::string& Caption() const { return caption_; }

  // The sheet the page is in, or null.
  CPropertySheet* GetParentSheet() const { return sheet_; }
  bool HasWindow() const { return window_ != nullptr; }

  // Messages, called by the backend.
  virtual bool OnInitDialog() { return true; }
  virtual void OnShowWindow(bool /*show*/) {}
  virtual void OnTimer(int /*timerId*/) {}
  // A button was clicked: runs the handler registered for it.
  void OnCommand(int id);
  // An edit's text was changed by the engineer.
  void OnEditChange(int id);

  // Control access by id.
  void SetItemText(int id, const std::string& text);
  std::string GetItemText(int id) const;
  void SetCheck(int id, bool checked);
  bool IsChecked(int id) const;
  void EnableItem(int id, bool enabled);
  bool IsItemEnabled(int id) const;
  void SetDrawing(int id, const Drawing& drawing);
  Drawing GetDrawing(int id) const;
  void SetTimer(int timerId, uint32_t periodMs);
  void KillTimer(int timerId);

  // A page's own message box; no caption means the platform's default.
  int ShowMessage(const std::string& text, std::optional<std::string> caption = std::nullopt,
                  unsigned flags = kMbOk);
  // The control module's message box, captioned with the module title.
  int ShowModuleMessage(const std::string& text, unsigned flags = kMbOk);

  // Backend wiring.
  void AttachWindow(PageWindow* window) { window_ = window; }
  void DetachWindow() { window_ = nullptr; }
  void SetParentSheet(CPropertySheet* sheet) { sheet_ = sheet; }

 protected:
  // Like a message map entry: the handler runs when the control is clicked.
  void OnClicked(int id, std::function<void()> handler);
  void OnChanged(int id, std::function<void()> handler);

 private:
  const DialogTemplate& dialog_;
  int captionId_;
  std::string caption_;
  CPropertySheet* sheet_ = nullptr;
  PageWindow* window_ = nullptr;
  std::map<int, std::function<void()>> clicked_;
  std::map<int, std::function<void()>> changed_;
};

// Puts a temporary caption on a button and the given one back when the scope ends, on every
// path out of a handler.
class ScopedCaption {
 public:
  ScopedCaption(CPropertyPage& page, int id, const std::string& during, std::string after);
  ~ScopedCaption();
  ScopedCaption(const ScopedCaption&) = delete;
  ScopedCaption& operator=(const ScopedCaption&) = delete;

 private:
  CPropertyPage& page_;
  int id_;
  std::string after_;
};

}  // namespace fw
