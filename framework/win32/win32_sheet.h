// The running property sheet and its pages on Win32. The sheet is a comctl32 property sheet run
// modelessly with a modal loop of our own (its owner disabled), so that the portable sheet's
// OnInitDialog runs once the first page is up and pages can be added and removed as it runs.
// Each page is a dialog built in memory from its DialogTemplate.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <vector>

#include "framework/property_sheet.h"
#include "framework/win32/win32_platform.h"

namespace fw::win32 {

class Win32PageWindow : public PageWindow {
 public:
  Win32PageWindow(CPropertyPage& page, HINSTANCE module);
  ~Win32PageWindow() override;

  // The page handle for the sheet; comctl32 owns it once it is in a sheet.
  HPROPSHEETPAGE Create();
  HWND Hwnd() const { return hwnd_; }
  CPropertyPage& Page() const { return page_; }

  void SetText(int id, const std::string& text) override;
  std::string GetText(int id) const override;
  void SetCheck(int id, bool checked) override;
  bool GetCheck(int id) const override;
  void Enable(int id, bool enabled) override;
  bool IsEnabled(int id) const override;
  void Show(int id, bool visible) override;
  bool IsVisible(int id) const override;
  void SetDrawing(int id, const Drawing& drawing) override;
  Drawing GetDrawing(int id) const override;
  void SetTimer(int timerId, uint32_t periodMs) override;
  void KillTimer(int timerId) override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  HWND Item(int id) const;

  CPropertyPage& page_;
  HINSTANCE module_;
  std::vector<uint16_t> template_;  // alive and writable while the page exists
  std::wstring title_;
  HWND hwnd_ = nullptr;
  int muted_ = 0;  // > 0 while the program itself sets a text
  bool shown_ = false;
  std::map<int, Drawing> drawings_;  // the pictures, by control id
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
  Win32PageWindow& MakePage(CPropertyPage& page);
  void ApplyButtons();

  CPropertySheet& sheet_;
  Win32Platform& platform_;
  HWND hwnd_ = nullptr;
  int result_ = kIdSheetCancel;
  std::map<const CPropertyPage*, std::unique_ptr<Win32PageWindow>> pages_;
  // Pages taken out while the sheet runs: kept until it closes, in case comctl32 still holds on.
  std::vector<std::unique_ptr<Win32PageWindow>> removed_;
};

}  // namespace fw::win32
