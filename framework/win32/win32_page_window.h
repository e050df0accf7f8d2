// One page of the running sheet on Win32: a dialog built in memory from the page's
// DialogTemplate, handed to comctl32 as a property sheet page, whose messages go to the portable
// page (clicks, typing, show and hide, timers). Setting a text from the program is muted so that
// the page does not take it for typing.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "framework/property_page.h"

namespace fw::win32 {

class Win32PageWindow : public PageWindow {
 public:
  Win32PageWindow(CPropertyPage& page, HINSTANCE module);
  ~Win32PageWindow() override;
  Win32PageWindow(const Win32PageWindow&) = delete;
  Win32PageWindow& operator=(const Win32PageWindow&) = delete;

  // The page handle for the sheet; comctl32 owns it once it is in a sheet.
  HPROPSHEETPAGE Create();
  CPropertyPage& Page() const { return page_; }

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

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  HWND Item(int id) const;
  // Ends the tie between the page, this object and its window: the window's data no longer
  // points here and the page no longer reaches the window.
  void Unbind();

  CPropertyPage& page_;
  HINSTANCE module_;
  std::vector<uint16_t> template_;  // alive and writable while the page exists
  std::wstring title_;
  HWND hwnd_ = nullptr;
  int muted_ = 0;  // > 0 while the program itself sets a text
  bool shown_ = false;
  std::map<int, Drawing> drawings_;  // the pictures, by control id
};

}  // namespace fw::win32
