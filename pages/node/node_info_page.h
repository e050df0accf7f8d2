// The first tab: the node's name, and the "BL1" and "BL2" buttons that choose which circuit's
// page set the sheet shows. No Read or Write button, no timer.
#pragma once

#include "framework/property_page.h"

// What the page asks of the sheet it is in: to show one circuit's page set, 1 ("BL1") or
// 2 ("BL2"), in place of the other.
class IPageSets {
 public:
  virtual void ShowPageSet(int set) = 0;

 protected:
  ~IPageSets() = default;
};

class CHD7_3PropPage : public fw::CPropertyPage {
 public:
  CHD7_3PropPage();
  bool OnInitDialog() override;

 private:
  void OnShowSet1();
  void OnShowSet2();
};
