// The dialog templates of the clock and circuit pages: every control inside the page, no two
// controls on top of each other, every control inside the group box it stands in.
#include <gtest/gtest.h>

#include "pages/circuit/antifrost_page.h"
#include "pages/circuit/temperatures_page.h"
#include "resources/dialog_antifrost.h"
#include "resources/dialog_heating_curve.h"
#include "resources/dialog_set_time.h"
#include "resources/dialog_status_switch.h"
#include "resources/dialog_week_calendar.h"

namespace {

bool Overlap(const fw::ControlDef& a, const fw::ControlDef& b) {
  return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}

bool Inside(const fw::ControlDef& inner, const fw::ControlDef& outer) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.cx <= outer.x + outer.cx &&
         inner.y + inner.cy <= outer.y + outer.cy;
}

void CheckLayout(const fw::DialogTemplate& d) {
  SCOPED_TRACE(d.id);
  const auto& c = d.controls;
  for (size_t i = 0; i < c.size(); ++i) {
    EXPECT_TRUE(c[i].x >= 0 && c[i].y >= 0 && c[i].x + c[i].cx <= d.cx && c[i].y + c[i].cy <= d.cy)
        << "'" << c[i].text << "' (" << c[i].id << ") leaves the page";
    for (size_t j = i + 1; j < c.size(); ++j) {
      if (!Overlap(c[i], c[j])) continue;
      const bool framed = (c[i].kind == fw::ControlKind::kGroupBox && Inside(c[j], c[i])) ||
                          (c[j].kind == fw::ControlKind::kGroupBox && Inside(c[i], c[j]));
      EXPECT_TRUE(framed) << "'" << c[i].text << "' (" << c[i].id << ") and '" << c[j].text << "' ("
                          << c[j].id << ") overlap";
    }
  }
}

TEST(PageDialogs, ControlsStayApartAndInsideThePage) {
  CheckLayout(SetTimeDialog());
  CheckLayout(StatusSwitchDialog(208, "Rotary switch (Sw2)"));
  CheckLayout(WeekCalendarDialog(204));
  for (const AntifrostCircuit& c : {kAntifrostBl1, kAntifrostBl2}) {
    CheckLayout(AntifrostDialog(c.templateId, c.returnLabel));
  }
  for (const TemperaturesCircuit& c : {kTemperaturesBl1, kTemperaturesBl2}) {
    CheckLayout(TemperaturesDialog(c.templateId, c.forward, c.ret, c.supervision));
  }
  CheckLayout(HeatingCurveDialog(228));
}

TEST(PageDialogs, TwinTemplatesDifferOnlyWhereTheCircuitsDo) {
  const fw::DialogTemplate& bl1 = StatusSwitchDialog(208, "Rotary switch (Sw2)");
  const fw::DialogTemplate& bl2 = StatusSwitchDialog(209, "Rotary switch (Sw1)");
  EXPECT_EQ(&bl1, &StatusSwitchDialog(208, "Rotary switch (Sw2)"));  // made once, kept
  ASSERT_EQ(bl1.controls.size(), bl2.controls.size());
  for (size_t i = 0; i < bl1.controls.size(); ++i) {
    if (bl1.controls[i].text == "Rotary switch (Sw2)") {
      EXPECT_EQ(bl2.controls[i].text, "Rotary switch (Sw1)");
    } else {
      EXPECT_EQ(bl1.controls[i].text, bl2.controls[i].text);
    }
  }
  const fw::DialogTemplate& week1 = WeekCalendarDialog(204);
  const fw::DialogTemplate& week2 = WeekCalendarDialog(205);
  EXPECT_EQ(week1.id, 204);
  EXPECT_EQ(week2.id, 205);
  ASSERT_EQ(week1.controls.size(), week2.controls.size());
  // 30 time fields, 3 read-only fields, 4 buttons; 8 row labels, 4 column heads, 3 labels,
  // 2 group boxes.
  EXPECT_EQ(week1.controls.size(), 54u);
}

}  // namespace
