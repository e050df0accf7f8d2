#include "resources/dialog_set_time.h"

#include "resources/dialog_rows.h"

using fw::ControlKind;
using fw::kStaticId;
using namespace set_time_dialog;

const fw::DialogTemplate& SetTimeDialog() {
  return fw::TemplateOnce(203, [] {
    constexpr uint32_t kShown = fw::kReadOnly | fw::kRightAlign;
    std::vector<fw::ControlDef> c = {
        {kStaticId, ControlKind::kGroupBox, "Current time on PC", 7, 7, 236, 56}};
    const DialogRows rows(c, {16, 30, 50, 70, 0, 0});
    rows.Row("Date", kIdPcDate, 20, "", kShown);
    rows.Row("Time", kIdPcTime, 38, "", kShown);
    c.push_back({kIdSync, ControlKind::kPushButton, "Sync", 184, 37, 50, 14});
    c.push_back({kStaticId, ControlKind::kGroupBox, "Current time in Node", 7, 72, 236, 56});
    rows.Row("Date", kIdNodeDate, 85, "", kShown);
    rows.Row("Time", kIdNodeTime, 103, "", kShown);
    return c;
  });
}
