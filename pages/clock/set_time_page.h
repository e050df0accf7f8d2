// Set Time: the PC's date and time beside the node's clock, both refreshed every 2000 ms while
// the page is in view, and "Sync", which sets the node's clock from the PC. In both page sets.
#pragma once

#include "nvdata/nv_page.h"

class CPage4PropPage : public CNvPage {
 public:
  CPage4PropPage();

 protected:
  void RefreshLive() override;

 private:
  void OnSync();
};
