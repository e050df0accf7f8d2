// The dialog templates of the clock and circuit pages: every control inside the page, no two
// controls on top of each other, every control inside the group box it stands in.
#include <gtest/gtest.h>

#include "pages/circuit/analog_valve_page.h"
#include "pages/circuit/antifrost_page.h"
#include "pages/circuit/exercise_valve_page.h"
#include "pages/circuit/night_lowering_page.h"
#include "pages/circuit/pid_page.h"
#include "pages/circuit/temperatures_page.h"
#include "resources/dialog_antifrost.h"
#include "resources/dialog_heating_curve.h"
#include "resources/dialog_pir_calendar.h"
#include "resources/dialog_plant.h"
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

// The fields the Tab key walks come in reading order: row by row from the top, left to right.
void CheckReadingOrder(const fw::DialogTemplate& d) {
  SCOPED_TRACE(d.id);
  const fw::ControlDef* last = nullptr;
  for (const fw::ControlDef& c : d.controls) {
    if (c.kind == fw::ControlKind::kStatic || c.kind == fw::ControlKind::kGroupBox) continue;
    if (last != nullptr) {
      const bool sameRow = c.y < last->y + 6 && last->y < c.y + 6;
      EXPECT_TRUE(sameRow ? c.x > last->x : c.y > last->y)
          << c.id << " comes after " << last->id << " but stands before it";
    }
    last = &c;
  }
}

bool HasLabel(const fw::DialogTemplate& d, const std::string& text) {
  for (const fw::ControlDef& c : d.controls) {
    if (c.id == fw::kStaticId && c.text == text) return true;
  }
  return false;
}

TEST(PageDialogs, CircuitSettingsTemplates) {
  const CPage23PropPage night1;
  const CPage24PropPage night2;
  const CPage25PropPage exercise1;
  const CPage26PropPage exercise2;
  const CPage27PropPage pid1;
  const CPage28PropPage pid2;
  const fw::CPropertyPage* pages[] = {&night1, &night2, &exercise1, &exercise2, &pid1, &pid2};
  for (const fw::CPropertyPage* page : pages) {
    CheckLayout(page->Template());
    CheckReadingOrder(page->Template());
  }
  // Where the twins differ.
  EXPECT_TRUE(night1.Template().Find(272) && HasLabel(night1.Template(), "Summer stop") &&
              HasLabel(night1.Template(), "Temp before summer stop"));
  EXPECT_TRUE(night2.Template().Find(201) && HasLabel(night2.Template(), "Winter stop") &&
              HasLabel(night2.Template(), "Temp before winter stop"));
  EXPECT_FALSE(night2.Template().Find(272) || HasLabel(night2.Template(), "Summer stop"));
  EXPECT_TRUE(HasLabel(pid1.Template(), "Valve (Mv1)") && HasLabel(pid2.Template(), "Valve (Mv2)"));
  EXPECT_EQ(pid1.Template().Find(226)->style & fw::kPassword, fw::kPassword);
  EXPECT_EQ(night1.Template().Find(271)->style & fw::kReadOnly, fw::kReadOnly);
}

TEST(PageDialogs, ControlsStayApartAndInsideThePage) {
  CheckLayout(SetTimeDialog());
  CheckLayout(StatusSwitchDialog(208, "Rotary switch (Sw2)"));
  CheckLayout(WeekCalendarDialog(204));
  CheckLayout(PirCalendarDialog(206));
  for (const AnalogValveCircuit* c : {&kAnalogValveBl1, &kAnalogValveBl2}) {
    CheckLayout(AnalogValveDialog(c->templateId, c->first.controls, c->second.controls));
  }
  CheckLayout(OutdoorDialog());
  CheckLayout(PressureDialog());
  CheckLayout(DewpointDialog());
  for (const AntifrostCircuit& c : {kAntifrostBl1, kAntifrostBl2}) {
    CheckLayout(AntifrostDialog(c.templateId, c.returnLabel));
  }
  for (const TemperaturesCircuit& c : {kTemperaturesBl1, kTemperaturesBl2}) {
    CheckLayout(TemperaturesDialog(c.templateId, c.forward, c.ret, c.supervision));
  }
  CheckLayout(HeatingCurveDialog(228));
}

// The controls the Tab key stops at, in template order (the order Windows walks them).
std::vector<int> TabStops(const fw::DialogTemplate& d) {
  std::vector<int> ids;
  for (const fw::ControlDef& c : d.controls) {
    if (c.kind != fw::ControlKind::kStatic && c.kind != fw::ControlKind::kGroupBox) {
      ids.push_back(c.id);
    }
  }
  return ids;
}

TEST(PageDialogs, TabWalksTheFieldsRowByRowFromTheTop) {
  // Week calendar: Monday to Sunday, Calender 1 then 2, then the holiday; the state and clock
  // column beside the grid; the buttons.
  EXPECT_EQ(TabStops(WeekCalendarDialog(204)),
            (std::vector<int>{208, 209, 218, 219, 220, 221, 222, 223, 224, 225, 226, 227, 228,
                              229, 230, 231, 232, 233, 234, 235, 236, 237, 238, 239, 240, 241,
                              242, 243, 244, 245, 326, 333, 334, 259, 260, 211, 210}));
  // PIR calendar: Monday (start 381, stop 380) to Sunday, the occupancy, the buttons.
  EXPECT_EQ(TabStops(PirCalendarDialog(206)),
            (std::vector<int>{381, 380, 382, 383, 384, 385, 386, 387, 388, 389, 390, 391, 392, 393,
                              400, 260, 211, 210}));
  EXPECT_EQ(TabStops(AnalogValveDialog(kAnalogValveBl1.templateId, kAnalogValveBl1.first.controls,
                                       kAnalogValveBl1.second.controls)),
            (std::vector<int>{296, 297, 298, 299, 300, 301, 302, 303, 304, 305,
                              306, 307, 308, 309, 310, 311, 246, 280, 211, 210}));
  EXPECT_EQ(TabStops(AnalogValveDialog(kAnalogValveBl2.templateId, kAnalogValveBl2.first.controls,
                                       kAnalogValveBl2.second.controls)),
            (std::vector<int>{358, 359, 360, 369, 370, 361, 362, 367, 363, 364,
                              365, 239, 371, 366, 330, 368, 246, 280, 211, 210}));
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

  // The valve pages differ in ids and valve names only.
  std::vector<std::string> texts[2];
  int i = 0;
  for (const AnalogValveCircuit* c : {&kAnalogValveBl1, &kAnalogValveBl2}) {
    for (const fw::ControlDef& d :
         AnalogValveDialog(c->templateId, c->first.controls, c->second.controls).controls) {
      texts[i].push_back(d.text);
    }
    ++i;
  }
  ASSERT_EQ(texts[0].size(), texts[1].size());
  for (size_t k = 0; k < texts[0].size(); ++k) {
    std::string mapped = texts[0][k];
    for (size_t at = mapped.find("Mv"); at != std::string::npos; at = mapped.find("Mv", at + 1)) {
      mapped[at + 2] = mapped[at + 2] == '1' ? '2' : '4';  // Mv1 -> Mv2, Mv3 -> Mv4
    }
    EXPECT_EQ(texts[1][k], mapped);
  }
  EXPECT_EQ(texts[1][texts[1].size() - 3], "Valve Mv2 open 100%\nbefore valve Mv4 open");
}

}  // namespace
