#include "pages/clock/calendar_fields.h"

#include <deque>
#include <map>
#include <string>

#include "resources/dialog_pir_calendar.h"
#include "resources/dialog_week_calendar.h"

namespace {

constexpr const char* kDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
constexpr const char* kDayKeys[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
// Rows as the pages show them: Monday at the top, Sunday at the bottom.
constexpr int kRowOrder[] = {1, 2, 3, 4, 5, 6, 0};

// The fields of one calendar with the keys and texts they point to, made once.
struct Table {
  std::deque<std::string> texts;
  std::vector<SettingField> fields;

  // The start and the stop of one row: "<key>.start", "<text>start", then the stop.
  void AddRow(const std::string& key, const std::string& text, int part, int startByte,
              int stopByte, int startId, int stopId) {
    for (bool start : {true, false}) {
      texts.push_back(key + (start ? ".start" : ".stop"));
      const std::string_view k = texts.back();
      texts.push_back(text + (start ? "start" : "stop"));
      fields.push_back(field::Ranged(
          field::Value(k, texts.back(), RecordOfPart(part), start ? startByte : stopByte, 1,
                       SettingCodec::kQuarterHours, {}, start ? startId : stopId),
          0, 96));
    }
  }
};

}  // namespace

const std::vector<SettingField>& WeekCalendarFields(const WeekCalendarCircuit& calendar,
                                                    std::string_view circuit) {
  using namespace week_calendar_dialog;
  static std::map<int, Table> tables;
  Table& t = tables[calendar.part];
  if (!t.fields.empty()) return t.fields;
  const std::string c(circuit);
  const std::string lower = c == "BL1" ? "bl1" : "bl2";
  for (int row : kRowOrder) {
    for (int number = 1; number <= 2; ++number) {
      const int word = 2 * row + number;
      const std::string n = std::to_string(number);
      t.AddRow(lower + ".week" + n + "." + kDayKeys[row],
               c + " week calendar " + n + ", " + kDays[row] + ", ", calendar.part,
               WeekStartByte(word), WeekStopByte(word), kWordFields[word - 1].start,
               kWordFields[word - 1].stop);
    }
  }
  t.AddRow(lower + ".holiday", c + " holiday, ", calendar.part, WeekStartByte(kHolidayWord),
           WeekStopByte(kHolidayWord), kWordFields[kHolidayWord - 1].start,
           kWordFields[kHolidayWord - 1].stop);
  return t.fields;
}

const std::vector<SettingField>& PirCalendarFields(const PirCalendarCircuit& calendar,
                                                   std::string_view circuit) {
  using namespace pir_calendar_dialog;
  static std::map<int, Table> tables;
  Table& t = tables[calendar.part];
  if (!t.fields.empty()) return t.fields;
  const std::string c(circuit);
  const std::string lower = c == "BL1" ? "bl1" : "bl2";
  for (int row : kRowOrder) {
    t.AddRow(lower + ".pir." + kDayKeys[row], c + " presence calendar, " + kDays[row] + ", ",
             calendar.part, PirStartByte(row), PirStopByte(row), kDayFields[row].start,
             kDayFields[row].stop);
  }
  return t.fields;
}
