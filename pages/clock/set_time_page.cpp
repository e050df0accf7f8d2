#include "pages/clock/set_time_page.h"

#include "nvdata/number_text.h"
#include "pages/clock/node_clock.h"
#include "resources/dialog_set_time.h"
#include "resources/strings.h"

using namespace set_time_dialog;

CPage4PropPage::CPage4PropPage() : CNvPage(SetTimeDialog(), 203, ResString(203), true) {
  OnClicked(kIdSync, [this] { OnSync(); });
}

void CPage4PropPage::RefreshLive() {
  ShowNodeClock(*this, kIdNodeDate, kIdNodeTime);
  const fw::LocalTime now = fw::Platform::Now();
  SetItemText(kIdPcDate, FormatExportDate(now));
  SetItemText(kIdPcTime, FormatExportTime(now));
}

void CPage4PropPage::OnSync() {
  // One reading of the PC clock for date and time: a sync at midnight cannot set the node a
  // day off. No read-back: the next refresh shows the node's new time.
  const auto record = ClockRecord(fw::Platform::Now());
  Node().Write(kIndexClockSet, record.data(), kClockRecordSize);
}
