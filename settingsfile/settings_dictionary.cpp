#include "settingsfile/settings_dictionary.h"

#include <initializer_list>

#include "pages/circuit/analog_valve_page.h"
#include "pages/circuit/antifrost_page.h"
#include "pages/circuit/exercise_valve_page.h"
#include "pages/circuit/heating_curve_page.h"
#include "pages/circuit/night_lowering_page.h"
#include "pages/circuit/pid_page.h"
#include "pages/circuit/status_switch_page.h"
#include "pages/circuit/temperatures_page.h"
#include "pages/clock/calendar_fields.h"
#include "pages/plant/dewpoint_page.h"
#include "pages/plant/outdoor_page.h"
#include "pages/plant/pressure_page.h"

namespace {

// The page that writes a run of settings: its tab, circuit and class number.
struct Page {
  std::string_view tab;
  std::string_view circuit;
  int pageClass;
};

class Builder {
 public:
  template <typename Fields>
  void Add(const Page& page, const Fields& fields) {
    for (const SettingField& f : fields) {
      entries.push_back({f, page.tab, page.circuit, page.pageClass});
    }
  }
  void Add(const Page& page, std::initializer_list<SettingField> fields) {
    Add<std::initializer_list<SettingField>>(page, fields);
  }
  std::vector<SettingEntry> entries;
};

void AddAnalogValve(Builder& b, const Page& page, const AnalogValveCircuit& c) {
  b.Add(page, {c.cascade, c.cascadeOutput, c.first.signal, c.first.invert, c.second.signal,
               c.second.invert});
}

std::vector<SettingEntry> MakeDictionary() {
  Builder b;
  constexpr std::string_view kWeek = "Calender Start / Stop", kPir = "Calender Pir";
  b.Add({kWeek, "BL1", 5}, WeekCalendarFields(kWeekCalendarBl1, "BL1"));
  b.Add({kWeek, "BL2", 6}, WeekCalendarFields(kWeekCalendarBl2, "BL2"));
  b.Add({kPir, "BL1", 7}, PirCalendarFields(kPirCalendarBl1, "BL1"));
  b.Add({kPir, "BL2", 8}, PirCalendarFields(kPirCalendarBl2, "BL2"));
  b.Add({"Status Switch", "BL1", 9}, {kStatusSwitchBl1.overrideWord});
  b.Add({"Status Switch", "BL2", 10}, {kStatusSwitchBl2.overrideWord});
  b.Add({"Exercise / Digital Valve", "BL1", 25}, kExerciseValveBl1.fields);
  b.Add({"Exercise / Digital Valve", "BL2", 26}, kExerciseValveBl2.fields);
  AddAnalogValve(b, {"Analog Valve", "BL1", 11}, kAnalogValveBl1);
  AddAnalogValve(b, {"Analog Valve", "BL2", 12}, kAnalogValveBl2);
  // The circuit 2 antifrost page is built but offered in neither page set.
  b.Add({"Antifrost", "BL1", 17}, kAntifrostBl1.fields);
  b.Add({"Antifrost", "BL2", 18}, kAntifrostBl2.fields);
  b.Add({"Temperatures", "BL1", 19}, kTemperaturesBl1.offsets);
  b.Add({"Temperatures", "BL1", 19}, kSupervisionFields);
  b.Add({"Temperatures", "BL2", 20}, kTemperaturesBl2.offsets);
  b.Add({"Settings Temperatures", "BL1", 21}, kHeatingCurveBl1.fields);
  b.Add({"Settings Temperatures", "BL2", 22}, kHeatingCurveBl2.fields);
  b.Add({"Night lowering / Sommer stop", "BL1", 23}, kNightLoweringBl1.fields);
  b.Add({"Night lowering / Winter stop", "BL2", 24}, kNightLoweringBl2.fields);
  b.Add({"Dewpoint", "BL2", 31}, kDewpointFields);
  b.Add({"PID", "BL1", 27}, kPidMv1.fields);
  b.Add({"PID", "BL2", 28}, kPidMv2.fields);
  b.Add({"Outdoor Temperatures", {}, 29}, kOutdoorFields);
  b.Add({"Pressure", {}, 30}, kPressureFields);
  return b.entries;
}

}  // namespace

const std::vector<SettingEntry>& SettingsDictionary() {
  static const std::vector<SettingEntry> dictionary = MakeDictionary();
  return dictionary;
}
