// The first tab: the node's name, and the "BL1" and "BL2" buttons that choose which circuit's
// page set the sheet shows. No Read or Write button, no timer.
#pragma once

#include "framework/property_page.h"

class CHD7_3PropPage : public fw::CPropertyPage {
 public:
  CHD7_3PropPage();
  bool OnInitDialog() override;

 private:
  void OnShowSet1();
  void OnShowSet2();
};
