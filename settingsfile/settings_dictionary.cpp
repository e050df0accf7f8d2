#include "settingsfile/settings_dictionary.h"

#include <cstdlib>

#include "nvdata/number_text.h"
#include "nvdata/nv_codec.h"
#include "pages/clock/time_text.h"

namespace {

using C = SettingCodec;

constexpr int kTemp1 = kRecordTemp1, kTemp2 = kRecordTemp2;
constexpr int P1 = RecordOfPart(1), P2 = RecordOfPart(2), P3 = RecordOfPart(3),
              P4 = RecordOfPart(4), P5 = RecordOfPart(5), P6 = RecordOfPart(6),
              P7 = RecordOfPart(7), P8 = RecordOfPart(8);

constexpr std::string_view kWeekTab = "Calender Start / Stop";
constexpr std::string_view kPirTab = "Calender Pir";

// A word or byte setting.
SettingEntry Value(std::string key, std::string name, std::string_view tab,
                   std::string_view circuit, int page, int record, int byte, int size, C codec,
                   std::string_view unit) {
  return {key, name, tab, circuit, page, record, byte, size, 0xFF, codec, unit, {}, {}};
}

SettingEntry Flag(std::string key, std::string name, std::string_view tab, std::string_view circuit,
                  int page, int record, int byte, uint8_t mask, std::string_view setText = "on",
                  std::string_view offText = "off") {
  return {key, name, tab, circuit, page, record, byte, 1, mask, C::kFlag, {}, setText, offText};
}

SettingEntry Ranged(SettingEntry entry, double lo, double hi) {
  entry.lo = lo;
  entry.hi = hi;
  return entry;
}

constexpr const char* kDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
constexpr const char* kDayKeys[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
// Rows as the pages show them: Monday at the top, Sunday at the bottom.
constexpr int kRowOrder[] = {1, 2, 3, 4, 5, 6, 0};

// A time byte of a calendar part: word k holds the stop time in byte 2k-1, the start in 2k.
SettingEntry Time(const std::string& key, const std::string& name, std::string_view tab,
                  std::string_view circuit, int page, int part, int word, bool start) {
  SettingEntry e = Value((key), (name), tab, circuit, page, RecordOfPart(part),
                         start ? 2 * word : 2 * word - 1, 1, C::kQuarterHours, {});
  return Ranged(e, 0, 96);
}

void AddWeekCalendar(std::vector<SettingEntry>& d, std::string_view circuit, int page, int part) {
  const std::string c(circuit);
  const std::string lower = c == "BL1" ? "bl1" : "bl2";
  for (int row : kRowOrder) {
    for (int calendar = 1; calendar <= 2; ++calendar) {
      const int word = 2 * row + calendar;
      for (bool start : {true, false}) {
        const std::string edge = start ? "start" : "stop";
        d.push_back(
            Time(lower + ".week" + std::to_string(calendar) + "." + kDayKeys[row] + "." + edge,
                 c + " week calendar " + std::to_string(calendar) + ", " + kDays[row] + ", " + edge,
                 kWeekTab, circuit, page, part, word, start));
      }
    }
  }
  for (bool start : {true, false}) {
    const std::string edge = start ? "start" : "stop";
    d.push_back(Time(lower + ".holiday." + edge, c + " holiday, " + edge, kWeekTab, circuit, page,
                     part, 15, start));
  }
}

void AddPirCalendar(std::vector<SettingEntry>& d, std::string_view circuit, int page, int part) {
  const std::string c(circuit);
  const std::string lower = c == "BL1" ? "bl1" : "bl2";
  for (int row : kRowOrder) {
    for (bool start : {true, false}) {
      const std::string edge = start ? "start" : "stop";
      d.push_back(Time(lower + ".pir." + kDayKeys[row] + "." + edge,
                       c + " presence calendar, " + kDays[row] + ", " + edge, kPirTab, circuit,
                       page, part, 2 * row + 1, start));
    }
  }
}

std::vector<SettingEntry> MakeDictionary() {
  std::vector<SettingEntry> d;
  AddWeekCalendar(d, "BL1", 5, 9);
  AddWeekCalendar(d, "BL2", 6, 11);
  AddPirCalendar(d, "BL1", 7, 10);
  AddPirCalendar(d, "BL2", 8, 12);

  const std::vector<SettingEntry> rows = {
      // Status Switch
      Value("bl1.switch.override", "BL1 rotary switch override", "Status Switch", "BL1", 9,
            kRecordSwitch1, 0, 2, C::kOverride, {}),
      Value("bl2.switch.override", "BL2 rotary switch override", "Status Switch", "BL2", 10,
            kRecordSwitch2, 0, 2, C::kOverride, {}),

      // Exercise / Digital Valve
      Value("bl1.exercise.pump", "BL1 pump exercise after standstill", "Exercise / Digital Valve",
            "BL1", 25, P7, 1, 2, C::kWord, "h"),
      Value("bl1.exercise.valve", "BL1 valve exercise after standstill", "Exercise / Digital Valve",
            "BL1", 25, P7, 3, 2, C::kWord, "h"),
      Value("bl1.digital.running", "BL1 digital valve running time", "Exercise / Digital Valve",
            "BL1", 25, P5, 1, 2, C::kTenthsWhole, "s"),
      Value("bl1.digital.waiting", "BL1 digital valve waiting time", "Exercise / Digital Valve",
            "BL1", 25, P5, 3, 2, C::kTenthsWhole, "s"),
      Value("bl1.digital.calibration", "BL1 digital valve calibration time",
            "Exercise / Digital Valve", "BL1", 25, kRecordCalcValve1, 0, 2, C::kHoursMinutes, {}),
      Value("bl2.exercise.pump", "BL2 pump exercise after standstill", "Exercise / Digital Valve",
            "BL2", 26, P7, 9, 2, C::kWord, "h"),
      Value("bl2.exercise.valve", "BL2 valve exercise after standstill", "Exercise / Digital Valve",
            "BL2", 26, P7, 11, 2, C::kWord, "h"),
      Value("bl2.digital.running", "BL2 digital valve running time", "Exercise / Digital Valve",
            "BL2", 26, P5, 9, 2, C::kTenthsWhole, "s"),
      Value("bl2.digital.waiting", "BL2 digital valve waiting time", "Exercise / Digital Valve",
            "BL2", 26, P5, 11, 2, C::kTenthsWhole, "s"),
      Value("bl2.digital.calibration", "BL2 digital valve calibration time",
            "Exercise / Digital Valve", "BL2", 26, kRecordCalcValve2, 0, 2, C::kHoursMinutes, {}),

      // Analog Valve
      Flag("bl1.valve.cascade", "BL1 valve cascade", "Analog Valve", "BL1", 11, P1, 12, 0x01),
      Ranged(Value("bl1.valve.cascade_output", "BL1 cascade output", "Analog Valve", "BL1", 11, P6,
                   12, 1, C::kHalfByte, "%"),
             0, 100),
      Flag("bl1.valve.mv1.signal", "BL1 valve Mv1 signal", "Analog Valve", "BL1", 11, P1, 14, 0x01,
           "2-10 volt", "0-10 volt"),
      Flag("bl1.valve.mv1.invert", "BL1 valve Mv1 inverted", "Analog Valve", "BL1", 11, P1, 16,
           0x01),
      Flag("bl1.valve.mv3.signal", "BL1 valve Mv3 signal", "Analog Valve", "BL1", 11, P1, 14, 0x02,
           "2-10 volt", "0-10 volt"),
      Flag("bl1.valve.mv3.invert", "BL1 valve Mv3 inverted", "Analog Valve", "BL1", 11, P1, 16,
           0x02),
      Flag("bl2.valve.cascade", "BL2 valve cascade", "Analog Valve", "BL2", 12, P1, 12, 0x04),
      Ranged(Value("bl2.valve.cascade_output", "BL2 cascade output", "Analog Valve", "BL2", 12, P6,
                   16, 1, C::kHalfByte, "%"),
             0, 100),
      Flag("bl2.valve.mv2.signal", "BL2 valve Mv2 signal", "Analog Valve", "BL2", 12, P1, 14, 0x10,
           "2-10 volt", "0-10 volt"),
      Flag("bl2.valve.mv2.invert", "BL2 valve Mv2 inverted", "Analog Valve", "BL2", 12, P1, 16,
           0x10),
      Flag("bl2.valve.mv4.signal", "BL2 valve Mv4 signal", "Analog Valve", "BL2", 12, P1, 14, 0x20,
           "2-10 volt", "0-10 volt"),
      Flag("bl2.valve.mv4.invert", "BL2 valve Mv4 inverted", "Analog Valve", "BL2", 12, P1, 16,
           0x20),

      // Antifrost (the circuit 2 page is built but offered in neither page set)
      Flag("bl1.antifrost", "BL1 antifrost", "Antifrost", "BL1", 17, P1, 2, 0x08),
      Value("bl1.antifrost.start", "BL1 antifrost start, outdoor temperature", "Antifrost", "BL1",
            17, P2, 19, 2, C::kTemp, "°C"),
      Value("bl1.antifrost.stop", "BL1 antifrost stop, outdoor temperature", "Antifrost", "BL1", 17,
            P2, 21, 2, C::kTemp, "°C"),
      Value("bl1.antifrost.return", "BL1 antifrost return temperature of the heating surface",
            "Antifrost", "BL1", 17, P2, 27, 2, C::kTemp, "°C"),
      Flag("bl2.antifrost", "BL2 antifrost", "Antifrost", "BL2", 18, P1, 4, 0x08),
      Value("bl2.antifrost.start", "BL2 antifrost start, outdoor temperature", "Antifrost", "BL2",
            18, P2, 23, 2, C::kTemp, "°C"),
      Value("bl2.antifrost.stop", "BL2 antifrost stop, outdoor temperature", "Antifrost", "BL2", 18,
            P2, 25, 2, C::kTemp, "°C"),
      Value("bl2.antifrost.return", "BL2 antifrost return temperature of the heating surface",
            "Antifrost", "BL2", 18, P2, 29, 2, C::kTemp, "°C"),

      // Temperatures
      Value("bl1.sensor.bw1.offset", "BL1 forward sensor Bw1 offset", "Temperatures", "BL1", 19, P2,
            3, 2, C::kTemp, "°C"),
      Value("bl1.sensor.bw2.offset", "BL1 return sensor Bw2 offset", "Temperatures", "BL1", 19, P2,
            5, 2, C::kTemp, "°C"),
      Value("bl1.low_forward.offset", "BL1 low forward temperature, offset", "Temperatures", "BL1",
            19, P3, 13, 2, C::kTemp, "°C"),
      Value("bl1.low_forward.time", "BL1 low forward temperature, time", "Temperatures", "BL1", 19,
            P3, 15, 2, C::kWord, "min"),
      Value("bl1.return.max", "BL1 maximum return temperature", "Temperatures", "BL1", 19, kTemp1,
            23, 2, C::kTemp, "°C"),
      Value("bl1.return.ddb", "BL1 return temperature Ddb", "Temperatures", "BL1", 19, kTemp1, 25,
            2, C::kTemp, "°C"),
      Value("bl2.sensor.bw3.offset", "BL2 forward sensor Bw3 offset", "Temperatures", "BL2", 20, P2,
            11, 2, C::kTemp, "°C"),
      Value("bl2.sensor.bw4.offset", "BL2 return sensor Bw4 offset", "Temperatures", "BL2", 20, P2,
            13, 2, C::kTemp, "°C"),
  };
  d.insert(d.end(), rows.begin(), rows.end());

  // Settings Temperatures: the heating curve and the constant temperatures.
  for (int circuit = 1; circuit <= 2; ++circuit) {
    const std::string_view c = circuit == 1 ? "BL1" : "BL2";
    const std::string lower = circuit == 1 ? "bl1" : "bl2";
    const int page = circuit == 1 ? 21 : 22;
    const int curve = circuit == 1 ? kTemp1 : kTemp2;
    const std::string_view tab = "Settings Temperatures";
    d.push_back(Flag((lower + ".curve.mode"), (std::string(c) + " setpoint from"), tab, c, page, P1,
                     circuit == 1 ? 2 : 6, 0x10, "heating curve", "constant temperatures"));
    d.push_back(
        Ranged(Value((lower + ".curve.points"), (std::string(c) + " heating curve, points in use"),
                     tab, c, page, curve, 0, 1, C::kSignedByte, {}),
               2, 5));
    for (int point = 1; point <= 5; ++point) {
      const std::string p = std::to_string(point);
      d.push_back(Value((lower + ".curve.point" + p + ".outdoor"),
                        (std::string(c) + " heating curve, point " + p + ", outdoor temperature"),
                        tab, c, page, curve, 2 * point - 1, 2, C::kTemp, "°C"));
      d.push_back(Value((lower + ".curve.point" + p + ".forward"),
                        (std::string(c) + " heating curve, point " + p + ", forward temperature"),
                        tab, c, page, curve, 2 * point + 9, 2, C::kTemp, "°C"));
    }
    d.push_back(Value((lower + ".curve.night_offset"),
                      (std::string(c) + " heating curve, night offset"), tab, c, page, curve, 21, 2,
                      C::kTemp, "°C"));
    d.push_back(Value((lower + ".constant.day"), (std::string(c) + " constant day temperature"),
                      tab, c, page, curve, 27, 2, C::kTemp, "°C"));
    d.push_back(Value((lower + ".constant.night"), (std::string(c) + " constant night temperature"),
                      tab, c, page, curve, 29, 2, C::kTemp, "°C"));
  }

  const std::vector<SettingEntry> rest = {
      // Night lowering and the season stop
      Flag("bl1.night", "BL1 night lowering", "Night lowering / Sommer stop", "BL1", 23, P1, 2,
           0x01),
      Flag("bl1.night.room", "BL1 night lowering, start/stop after room temperature",
           "Night lowering / Sommer stop", "BL1", 23, P1, 2, 0x02),
      Value("bl1.night.room_setpoint", "BL1 room temperature setpoint",
            "Night lowering / Sommer stop", "BL1", 23, P4, 1, 2, C::kTemp, "°C"),
      Flag("bl1.summer_stop", "BL1 summer stop", "Night lowering / Sommer stop", "BL1", 23, P1, 2,
           0x04),
      Value("bl1.summer_stop.temperature", "BL1 summer stop, temperature",
            "Night lowering / Sommer stop", "BL1", 23, P3, 1, 2, C::kTemp, "°C"),
      Value("bl1.summer_stop.pump_time", "BL1 summer stop, time before pump stop",
            "Night lowering / Sommer stop", "BL1", 23, P3, 3, 2, C::kTenthsWhole, "s"),
      Flag("bl2.night", "BL2 night lowering", "Night lowering / Winter stop", "BL2", 24, P1, 6,
           0x01),
      Flag("bl2.night.room", "BL2 night lowering, start/stop after room temperature",
           "Night lowering / Winter stop", "BL2", 24, P1, 6, 0x02),
      Value("bl2.night.room_setpoint", "BL2 room temperature setpoint",
            "Night lowering / Winter stop", "BL2", 24, P4, 5, 2, C::kTemp, "°C"),
      Flag("bl2.winter_stop", "BL2 winter stop", "Night lowering / Winter stop", "BL2", 24, P1, 6,
           0x04),
      Value("bl2.winter_stop.temperature", "BL2 winter stop, temperature",
            "Night lowering / Winter stop", "BL2", 24, P3, 9, 2, C::kTemp, "°C"),
      Value("bl2.winter_stop.pump_time", "BL2 winter stop, time before pump stop",
            "Night lowering / Winter stop", "BL2", 24, P3, 11, 2, C::kTenthsWhole, "s"),

      // Dewpoint (circuit 2 only)
      Value("bl2.dewpoint.advance", "BL2 dewpoint, advance time to close valve Mv2", "Dewpoint",
            "BL2", 31, P3, 23, 2, C::kTenthsWhole, "s"),
      Value("bl2.dewpoint.regulator_offset", "BL2 dewpoint, offset to the regulator", "Dewpoint",
            "BL2", 31, P3, 25, 2, C::kTemp, "°C"),
      Value("bl2.dewpoint.close_offset", "BL2 dewpoint, offset to close valve Mv2", "Dewpoint",
            "BL2", 31, P3, 21, 2, C::kTemp, "°C"),

      // PID
      Value("bl1.pid.p", "BL1 valve Mv1 PID, P", "PID", "BL1", 27, P8, 1, 2, C::kTenths, {}),
      Value("bl1.pid.i", "BL1 valve Mv1 PID, I", "PID", "BL1", 27, P8, 3, 2, C::kWord, {}),
      Value("bl1.pid.d", "BL1 valve Mv1 PID, D", "PID", "BL1", 27, P8, 5, 2, C::kWord, {}),
      Value("bl2.pid.p", "BL2 valve Mv2 PID, P", "PID", "BL2", 28, P8, 13, 2, C::kTenths, {}),
      Value("bl2.pid.i", "BL2 valve Mv2 PID, I", "PID", "BL2", 28, P8, 15, 2, C::kWord, {}),
      Value("bl2.pid.d", "BL2 valve Mv2 PID, D", "PID", "BL2", 28, P8, 17, 2, C::kWord, {}),

      // The pages both circuits share
      Value("outdoor.offset", "Outdoor sensor Bs offset", "Outdoor Temperatures", {}, 29, P2, 1, 2,
            C::kTemp, "°C"),
      Flag("pressure.sensor", "Pressure sensor type", "Pressure", {}, 30, P1, 10, 0x02, "analog",
           "digital"),
      Value("pressure.min", "Pressure sensor, minimum", "Pressure", {}, 30, P6, 1, 2, C::kWord,
            "Pa"),
      Value("pressure.max", "Pressure sensor, maximum", "Pressure", {}, 30, P6, 3, 2, C::kWord,
            "Pa"),
      Value("pressure.offset", "Pressure sensor offset", "Pressure", {}, 30, P6, 5, 2, C::kWord,
            "Pa"),
      Value("pressure.bl1.setpoint", "BL1 pressure setpoint", "Pressure", {}, 30, P6, 7, 2,
            C::kWord, "Pa"),
      Value("pressure.bl2.setpoint", "BL2 pressure setpoint", "Pressure", {}, 30, P6, 9, 2,
            C::kWord, "Pa"),
      Flag("pressure.bl1.monitor", "BL1 pressure monitoring", "Pressure", {}, 30, P1, 10, 0x04),
      Flag("pressure.bl1.stop_pump", "BL1 pump stop on pressure fault", "Pressure", {}, 30, P1, 10,
           0x10),
      Flag("pressure.bl2.monitor", "BL2 pressure monitoring", "Pressure", {}, 30, P1, 10, 0x08),
      Flag("pressure.bl2.stop_pump", "BL2 pump stop on pressure fault", "Pressure", {}, 30, P1, 10,
           0x20),
  };
  d.insert(d.end(), rest.begin(), rest.end());
  return d;
}

}  // namespace

const std::vector<SettingEntry>& SettingsDictionary() {
  static const std::vector<SettingEntry> dictionary = MakeDictionary();
  return dictionary;
}
