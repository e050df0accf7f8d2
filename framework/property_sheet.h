// The portable property sheet: its caption, its own buttons, and the ordered pages in it. Pages
// can be added and removed while it runs; the backend's window mirrors the list.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "framework/property_page.h"

namespace fw {

// The sheet's own buttons, by id.
constexpr int kIdSheetOk = 1;
constexpr int kIdSheetCancel = 2;
constexpr int kIdSheetApply = 12321;

// The backend's side of a running sheet.
class SheetWindow {
 public:
  virtual ~SheetWindow() = default;
  virtual void InsertPage(int index, CPropertyPage& page) = 0;
  virtual void RemovePage(int index, CPropertyPage& page) = 0;
  virtual void SetActivePage(int index) = 0;
  virtual int ActiveIndex() const = 0;
  virtual void SetButtonText(int id, const std::string& text) = 0;
  virtual void ShowButton(int id, bool visible) = 0;
};

class CPropertySheet {
 public:
  // parent is the owner window handle (none here), firstPage the page shown first.
  CPropertySheet(std::string caption, void* parent = nullptr, int firstPage = 0);
  virtual ~CPropertySheet();
  CPropertySheet(const CPropertySheet&) = delete;
  CPropertySheet& operator=(const CPropertySheet&) = delete;

  const std::string& Caption() const { return caption_; }
  int FirstPage() const { return firstPage_; }

  void AddPage(CPropertyPage* page);
  // Takes the page out of the sheet; a page that is not in it is passed over.
  void RemovePage(CPropertyPage* page);
  int GetPageCount() const { return static_cast<int>(pages_.size()); }
  CPropertyPage* GetPage(int index) const;
  int GetPageIndex(const CPropertyPage* page) const;  // -1 when not in the sheet
  CPropertyPage* GetActivePage() const;
  bool SetActivePage(int index);

  // The sheet's own buttons (OK, Cancel, Apply).
  void SetButtonText(int id, const std::string& text);
  void ShowButton(int id, bool visible);
  std::string ButtonText(int id) const;
  bool IsButtonVisible(int id) const;

  virtual bool OnInitDialog() { return true; }

  // Runs the sheet modally through the installed platform.
  int DoModal();

  // Backend wiring.
  void AttachWindow(SheetWindow* window) { window_ = window; }
  void DetachWindow() { window_ = nullptr; }
  SheetWindow* Window() const { return window_; }

 private:
  struct ButtonState {
    std::string text;
    bool visible = true;
  };

  std::string caption_;
  int firstPage_;
  std::vector<CPropertyPage*> pages_;
  std::map<int, ButtonState> buttons_;
  SheetWindow* window_ = nullptr;
  int activeWithoutWindow_ = 0;
};

}  // namespace fw
