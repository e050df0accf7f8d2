// The dialog templates of the clock, plant and circuit pages: every control inside the page,
// no two controls on top of each other unless a group box frames one, the Tab key in reading
// order, and twin pages that differ only where their circuits do.
#include <gtest/gtest.h>

#include "pages/circuit/analog_valve_page.h"
#include "pages/circuit/antifrost_page.h"
#include "pages/circuit/extended_operation_page.h"
#include "pages/circuit/night_lowering_page.h"
#include "pages/circuit/pid_page.h"
#include "pages/circuit/pump_page.h"
#include "pages/circuit/temperatures_page.h"
#include "resources/dialog_antifrost.h"
#include "resources/dialog_exercise_valve.h"
#include "resources/dialog_heating_curve.h"
#include "resources/dialog_pir_calendar.h"
#include "resources/dialog_plant.h"
#include "resources/dialog_set_time.h"
#include "resources/dialog_status_switch.h"
#include "resources/dialog_week_calendar.h"

namespace {

using Texts = std::vector<std::string>;

bool Inside(const fw::ControlDef& in, int x, int y, int cx, int cy) {
  return in.x >= x && in.y >= y && in.x + in.cx <= x + cx && in.y + in.cy <= y + cy;
}
bool Inside(const fw::ControlDef& in, const fw::ControlDef& out) {
  return out.kind == fw::ControlKind::kGroupBox && Inside(in, out.x, out.y, out.cx, out.cy);
}
bool Overlap(const fw::ControlDef& a, const fw::ControlDef& b) {
  return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}

// Faults of the layout; with `readingOrder`, also tab stops out of row-by-row order.
Texts LayoutFaults(const fw::DialogTemplate& d, bool readingOrder) {
  Texts faults;
  const auto& c = d.controls;
  for (size_t i = 0; i < c.size(); ++i) {
    if (!Inside(c[i], 0, 0, d.cx, d.cy)) faults.push_back(std::to_string(c[i].id) + " outside");
    for (size_t j = i + 1; j < c.size(); ++j) {
      if (Overlap(c[i], c[j]) && !Inside(c[j], c[i]) && !Inside(c[i], c[j])) {
        faults.push_back("'" + c[i].text + "' on '" + c[j].text + "'");
      }
    }
  }
  const fw::ControlDef* last = nullptr;
  for (const fw::ControlDef& s : c) {
    if (!readingOrder || s.kind == fw::ControlKind::kStatic ||
        s.kind == fw::ControlKind::kGroupBox) {
      continue;
    }
    const bool sameRow = last && s.y < last->y + 6 && last->y < s.y + 6;
    if (last && !(sameRow ? s.x > last->x : s.y > last->y)) {
      faults.push_back(std::to_string(last->id) + " before " + std::to_string(s.id));
    }
    last = &s;
  }
  return faults;
}

Texts TextsOf(const fw::DialogTemplate& d) {
  Texts texts;
  for (const fw::ControlDef& c : d.controls) texts.push_back(c.text);
  return texts;
}

const fw::DialogTemplate& Valve(const AnalogValveCircuit& c) {
  return AnalogValveDialog(c.templateId, c.first.controls, c.second.controls);
}

TEST(PageDialogs, ControlsStayApartAndInsideThePage) {
  const CPage23PropPage night1;
  const CPage24PropPage night2;
  const CPage27PropPage pid1;
  const CPage28PropPage pid2;
  const CPage14PropPage pump2;
  const CPage16PropPage extended2;
  // Tabbed row by row (the exercise twins share one layout); the calendars are tabbed under Wine.
  const fw::DialogTemplate* readInRows[] = {
      &night1.Template(),      &night2.Template(), &ExerciseValveDialog(232),
      &pid1.Template(),        &pid2.Template(),   &Valve(kAnalogValveBl1),
      &Valve(kAnalogValveBl2), &pump2.Template(),  &extended2.Template()};
  for (const fw::DialogTemplate* d : readInRows) {
    EXPECT_EQ(LayoutFaults(*d, true), Texts{}) << d->id;
  }
  const fw::DialogTemplate* dialogs[] = {
      &SetTimeDialog(),
      &StatusSwitchDialog(208, "Rotary switch (Sw2)"),
      &WeekCalendarDialog(204),
      &PirCalendarDialog(206),
      &OutdoorDialog(),
      &PressureDialog(),
      &DewpointDialog(),
      &HeatingCurveDialog(228),
      &AntifrostDialog(kAntifrostBl1.templateId, kAntifrostBl1.returnLabel),
      &AntifrostDialog(kAntifrostBl2.templateId, kAntifrostBl2.returnLabel),
      &TemperaturesDialog(kTemperaturesBl1.templateId, kTemperaturesBl1.forward,
                          kTemperaturesBl1.ret, kTemperaturesBl1.supervision),
      &TemperaturesDialog(kTemperaturesBl2.templateId, kTemperaturesBl2.forward,
                          kTemperaturesBl2.ret, kTemperaturesBl2.supervision)};
  for (const fw::DialogTemplate* d : dialogs) {
    EXPECT_EQ(LayoutFaults(*d, false), Texts{}) << d->id;
  }
  // The PID settings behind a password, the night lowering's room temperature only shown.
  EXPECT_EQ(pid1.Template().Find(226)->style & fw::kPassword, fw::kPassword);
  EXPECT_EQ(night1.Template().Find(271)->style & fw::kReadOnly, fw::kReadOnly);
}

TEST(PageDialogs, TwinValvePagesDifferInIdsAndValveNamesOnly) {
  Texts texts = TextsOf(Valve(kAnalogValveBl1));
  for (std::string& t : texts) {
    for (size_t at = t.find("Mv"); at != std::string::npos; at = t.find("Mv", at + 1)) {
      t[at + 2] = t[at + 2] == '1' ? '2' : '4';
    }
  }
  EXPECT_EQ(TextsOf(Valve(kAnalogValveBl2)), texts);
}

}  // namespace
