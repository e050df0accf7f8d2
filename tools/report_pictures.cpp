// The commissioning report's calendars as bars over the week (inline SVG) and the SVG pieces all
// its pictures are drawn with.
#include "tools/report_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>

#include "nvdata/number_text.h"
#include "pages/clock/time_text.h"
#include "tools/report_svg.h"

const SettingEntry& EntryByKey(const std::string& key) {
  // Indexed once: a report looks up every calendar and curve entry by its key.
  static const std::map<std::string_view, const SettingEntry*> kByKey = [] {
    std::map<std::string_view, const SettingEntry*> byKey;
    for (const SettingEntry& e : SettingsDictionary()) byKey.emplace(e.field.key, &e);
    return byKey;
  }();
  const auto it = kByKey.find(key);
  if (it == kByKey.end()) std::abort();  // the report only asks for keys the dictionary has
  return *it->second;
}

std::string CircuitKey(int circuit) {
  return circuit == 1 ? "bl1" : "bl2";
}

std::string Num(double v) {
  const long tenths = std::lround(v * 10);
  const long m = std::labs(tenths);
  return (tenths < 0 ? "-" : "") + std::to_string(m / 10) + "." + std::to_string(m % 10);
}

std::string SvgOpen(double width, double height) {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + Num(width) + " " +
         Num(height) + "\" width=\"" + Num(width) + "\" height=\"" + Num(height) + "\">\n";
}

std::string SvgText(double x, double y, const std::string& cls, const std::string& text) {
  return "<text x=\"" + Num(x) + "\" y=\"" + Num(y) + "\"" +
         (cls.empty() ? "" : " class=\"" + cls + "\"") + ">" + XmlText(text) + "</text>\n";
}

std::string SvgLine(double x1, double y1, double x2, double y2, const std::string& cls) {
  return "<line x1=\"" + Num(x1) + "\" y1=\"" + Num(y1) + "\" x2=\"" + Num(x2) + "\" y2=\"" +
         Num(y2) + "\" class=\"" + cls + "\"/>\n";
}

std::string SvgRect(double x, double y, double width, double height, const std::string& cls,
                    const std::string& title) {
  const std::string rect = "<rect x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" width=\"" + Num(width) +
                           "\" height=\"" + Num(height) + "\" class=\"" + cls + "\"";
  if (title.empty()) return rect + "/>\n";
  return rect + "><title>" + XmlText(title) + "</title></rect>\n";
}

std::string FoundPlannedLegend(double x, double y, const std::string& cls) {
  return SvgRect(x, y - 6, 14, 6, "key " + cls, "") + SvgText(x + 17, y, "", "found") +
         SvgRect(x + 52, y - 6, 14, 6, "key planned " + cls, "") +
         SvgText(x + 69, y, "", "planned");
}

namespace {

// ------------------------------------------------------------------ calendars

// Days as the pages list them, Monday first: the dictionary's key and the name.
constexpr const char* kDayKeys[] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};
constexpr const char* kDayNames[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                     "Friday", "Saturday", "Sunday"};
constexpr double kDayColumn = 52;  // the day names
constexpr double kHour = 11;       // one hour across
constexpr double kCalendarTop = 14;
constexpr double kLane = 9;    // one calendar's bars
constexpr int kEndOfDay = 96;  // 24:00 in quarter hours
constexpr double kHatch = 4;   // between the strokes of a hatched entry

// One calendar of one day: where its bars go and how they look.
struct Lane {
  double y;
  std::string cls;     // "c1", "c2" or "presence"
  std::string number;  // the calendar's number on the page, none for the presence calendar
  bool planned;        // the planned settings beside the found ones
};

// A whole day's lane struck through with diagonal strokes: an entry no day has room for.
std::string Hatched(const Lane& lane, const std::string& title) {
  const double x0 = kDayColumn, w = 24 * kHour, h = kLane - 1, y = lane.y;
  std::string out =
      SvgRect(x0, y, w, h, std::string("invalid") + (lane.planned ? " planned" : ""), title);
  for (double s = -h + kHatch; s < w; s += kHatch) {
    const double xa = std::max(s, 0.0), xb = std::min(s + h, w);
    out += SvgLine(x0 + xa, y + h - (xa - s), x0 + xb, y + h - (xb - s), "hatch");
  }
  return out;
}

std::string Bar(const Lane& lane, int start, int stop) {
  const std::string times = QuarterHoursToText(static_cast<uint8_t>(start)) + "–" +
                            QuarterHoursToText(static_cast<uint8_t>(stop));
  const std::string who = (lane.number.empty() ? "" : "Calender " + lane.number + ", ") +
                          (lane.planned ? "planned: " : "");
  // A time past the end of the day means nothing the node can keep: the entry is marked.
  if (start > kEndOfDay || stop > kEndOfDay) {
    return Hatched(lane, who + "invalid time " + times) +
           SvgText(kDayColumn + 2, lane.y + 7, "fault", "invalid time " + times);
  }
  if (stop != 0 && stop < start) {
    return SvgText(kDayColumn + 2, lane.y + 7, "fault",
                   "stop " + QuarterHoursToText(static_cast<uint8_t>(stop)) + " before start " +
                       QuarterHoursToText(static_cast<uint8_t>(start)));
  }
  // A stop of 0:00 ends the day; a start equal to its stop is not used.
  const int to = stop == 0 ? kEndOfDay : stop;
  if (start == stop || to <= start) return std::string();
  const double x = kDayColumn + start * kHour / 4;
  std::string out =
      SvgRect(x, lane.y, (to - start) * kHour / 4, kLane - 1,
              "bar " + std::string(lane.planned ? "planned " : "") + lane.cls, who + times);
  if (!lane.number.empty() && !lane.planned) {
    out += SvgText(x + 1.5, lane.y + 6.5, "number", lane.number);
  }
  return out;
}

}  // namespace

std::string CalendarPicture(const uint8_t* part, int circuit, bool presence,
                            const uint8_t* planned) {
  const int calendars = presence ? 1 : 2;
  const int lanes = calendars * (planned != nullptr ? 2 : 1);
  const double row = lanes * kLane + 3;
  const double width = kDayColumn + 24 * kHour + 14;
  const double height = kCalendarTop + 7 * row + 2 + (planned != nullptr ? 12 : 0);
  std::string svg = SvgOpen(width, height);
  for (int h = 0; h <= 24; h += 3) {
    const double x = kDayColumn + h * kHour;
    svg += SvgLine(x, kCalendarTop, x, kCalendarTop + 7 * row, "grid");
    svg += SvgText(x, kCalendarTop - 4, "hour", std::to_string(h) + ":00");
  }
  const auto byte = [&](const uint8_t* bytes, const std::string& key) {
    return static_cast<int>(bytes[EntryByKey(key).field.byte]);
  };
  for (int d = 0; d < 7; ++d) {
    const double y0 = kCalendarTop + d * row;
    svg += SvgText(0, y0 + row / 2 + 3, "", kDayNames[d]);
    int lane = 0;
    for (int calendar = 1; calendar <= calendars; ++calendar) {
      const std::string key = CircuitKey(circuit) +
                              (presence ? ".pir." : ".week" + std::to_string(calendar) + ".") +
                              kDayKeys[d];
      for (const uint8_t* bytes : {part, planned}) {
        if (bytes == nullptr) continue;
        const Lane l{y0 + 2 + lane++ * kLane,
                     presence ? "presence" : "c" + std::to_string(calendar),
                     presence ? "" : std::to_string(calendar), bytes == planned};
        svg += Bar(l, byte(bytes, key + ".start"), byte(bytes, key + ".stop"));
      }
    }
  }
  if (planned != nullptr) {
    svg += FoundPlannedLegend(kDayColumn, height - 3, presence ? "presence" : "c1");
  }
  return svg + "</svg>\n";
}
