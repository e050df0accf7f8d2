// The running property sheet on Win32. The sheet is a comctl32 property sheet run modelessly
// with a modal loop of our own (its owner disabled), so that the portable sheet's OnInitDialog
// runs once the first page is up and pages can be added and removed as it runs.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <vector>

#include "framework/property_sheet.h"
#include "framework/win32/win32_page_window.h"
#include "framework/win32/win32_platform.h"

namespace fw::win32 {

// The page windows of one running sheet: the one place where they are made and freed.
// comctl32 calls a page's dialog procedure, which finds its Win32PageWindow by pointer, for as
// long as the page's window exists, and it may still hold a page taken out of a running sheet.
// So a page window object lives until the sheet's own window is gone: Retire only moves it
// aside, Clear (after the sheet's window is destroyed) frees them all.
class PageWindowSet {
 public:
  explicit PageWindowSet(HINSTANCE module) : module_(module) {}

  // A new page window for `page` and its comctl32 handle; nullptr when comctl32 refuses it.
  HPROPSHEETPAGE Add(CPropertyPage& page);
  // A page whose handle comctl32 never took: freed at once.
  void Discard(const CPropertyPage& page);
  // A page taken out of the running sheet.
  void Retire(const CPropertyPage& page);
  void Clear();

 private:
  HINSTANCE module_;
  std::map<const CPropertyPage*, std::unique_ptr<Win32PageWindow>> live_;
  std::vector<std::unique_ptr<Win32PageWindow>> retired_;
};

class Win32SheetWindow : public SheetWindow {
 public:
  Win32SheetWindow(CPropertySheet& sheet, Win32Platform& platform);
  ~Win32SheetWindow() override;

  // Creates the sheet, runs it until "Exit", Cancel or the close box, and destroys it. Returns
  // the id of the button that closed it, or -1 when the sheet could not be made.
  int RunModal();

  void InsertPage(int index, CPropertyPage& page) override;
  void RemovePage(int index, CPropertyPage& page) override;
  void SetActivePage(int index) override;
  int ActiveIndex() const override;
  void SetButtonText(int id, const std::string& text) override;
  void ShowButton(int id, bool visible) override;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
  static bool IsUserRequest(UINT message, WPARAM wParam, LPARAM lParam);
  // The sheet's own page-set changes, which run inside an operation and must go through.
  struct ChangingPages {
    explicit ChangingPages(Win32SheetWindow& w) : window(w) { ++window.changingPages_; }
    ~ChangingPages() { --window.changingPages_; }
    Win32SheetWindow& window;
  };
  bool Create(HWND owner);
  void RunModalLoop();
  void Destroy(HWND owner, bool ownerWasEnabled);
  void ApplyButtons();

  CPropertySheet& sheet_;
  Win32Platform& platform_;
  PageWindowSet pages_;
  HWND hwnd_ = nullptr;
  int result_ = kIdSheetCancel;
  int changingPages_ = 0;
};

}  // namespace fw::win32
