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

  void Add(const std::string& key, const std::string& text, int part, int byte, int controlId) {
    texts.push_back(key);
    const std::string_view k = texts.back();
    texts.push_back(text);
    fields.push_back(field::Ranged(field::Value(k, texts.back(), RecordOfPart(part), byte, 1,
                                                SettingCodec::kQuarterHours, {}, controlId),
                                   0, 96));
  }
};

std::string Lower(std::string_view circuit) {
  return circuit == "BL1" ? "bl1" : "bl2";
}

}  // namespace

const std::vector<SettingField>& WeekCalendarFields(const WeekCalendarCircuit& calendar,
                                                    std::string_view circuit) {
  using namespace week_calendar_dialog;
  static std::map<int, Table> tables;
  Table& t = tables[calendar.part];
  if (!t.fields.empty()) return t.fields;
  const std::string c(circuit);
  const std::string lower = Lower(circuit);
  for (int row : kRowOrder) {
    for (int number = 1; number <= 2; ++number) {
      const int word = 2 * row + number;
      const std::string key = lower + ".week" + std::to_string(number) + "." + kDayKeys[row];
      const std::string text =
          c + " week calendar " + std::to_string(number) + ", " + kDays[row] + ", ";
      const WordFields& ids = kWordFields[word - 1];
      t.Add(key + ".start", text + "start", calendar.part, WeekStartByte(word), ids.start);
      t.Add(key + ".stop", text + "stop", calendar.part, WeekStopByte(word), ids.stop);
    }
  }
  const WordFields& holiday = kWordFields[kHolidayWord - 1];
  t.Add(lower + ".holiday.start", c + " holiday, start", calendar.part, WeekStartByte(kHolidayWord),
        holiday.start);
  t.Add(lower + ".holiday.stop", c + " holiday, stop", calendar.part, WeekStopByte(kHolidayWord),
        holiday.stop);
  return t.fields;
}

const std::vector<SettingField>& PirCalendarFields(const PirCalendarCircuit& calendar,
                                                   std::string_view circuit) {
  using namespace pir_calendar_dialog;
  static std::map<int, Table> tables;
  Table& t = tables[calendar.part];
  if (!t.fields.empty()) return t.fields;
  const std::string c(circuit);
  const std::string lower = Lower(circuit);
  for (int row : kRowOrder) {
    const std::string key = lower + ".pir." + kDayKeys[row];
    const std::string text = c + " presence calendar, " + kDays[row] + ", ";
    t.Add(key + ".start", text + "start", calendar.part, PirStartByte(row), kDayFields[row].start);
    t.Add(key + ".stop", text + "stop", calendar.part, PirStopByte(row), kDayFields[row].stop);
  }
  return t.fields;
}
