// The commissioning report's pictures (the week and presence calendars as bars, the heating
// curve as the Settings Temperatures page joins its points, as inline SVG) and its style sheet.
#include "tools/report_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "nvdata/number_text.h"
#include "pages/clock/time_text.h"

const SettingEntry& EntryByKey(const std::string& key) {
  for (const SettingEntry& e : SettingsDictionary()) {
    if (e.key == key) return e;
  }
  std::abort();  // the report only asks for keys the dictionary has
}

std::string CircuitKey(int circuit) {
  return circuit == 1 ? "bl1" : "bl2";
}

namespace {

// A coordinate with one decimal, rounded half away from zero on every platform.
std::string Num(double v) {
  const long tenths = std::lround(v * 10);
  const long m = std::labs(tenths);
  return (tenths < 0 ? "-" : "") + std::to_string(m / 10) + "." + std::to_string(m % 10);
}

std::string Tag(const std::string& name, const std::string& attributes, const std::string& body) {
  return "<" + name + (attributes.empty() ? "" : " " + attributes) + ">" + body + "</" + name + ">";
}

std::string SvgText(double x, double y, const std::string& cls, const std::string& text) {
  return "<text x=\"" + Num(x) + "\" y=\"" + Num(y) + "\"" +
         (cls.empty() ? "" : " class=\"" + cls + "\"") + ">" + XmlText(text) + "</text>\n";
}

std::string SvgLine(double x1, double y1, double x2, double y2, const char* cls) {
  return "<line x1=\"" + Num(x1) + "\" y1=\"" + Num(y1) + "\" x2=\"" + Num(x2) + "\" y2=\"" +
         Num(y2) + "\" class=\"" + cls + "\"/>\n";
}

std::string SvgOpen(double width, double height) {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + Num(width) + " " +
         Num(height) + "\" width=\"" + Num(width) + "\" height=\"" + Num(height) + "\">\n";
}

// Days as the pages list them, Monday first: the dictionary's key and the name.
constexpr const char* kDayKeys[] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};
constexpr const char* kDayNames[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                     "Friday", "Saturday", "Sunday"};

// ------------------------------------------------------------------ calendars

constexpr double kDayColumn = 52;  // the day names
constexpr double kHour = 11;       // one hour across
constexpr double kCalendarTop = 14;
constexpr double kLane = 9;  // one calendar's bars

std::string Bar(double y, int start, int stop, const std::string& cls, const std::string& number) {
  if (stop != 0 && stop < start) {
    return SvgText(kDayColumn + 2, y + 7, "fault",
                   "stop " + QuarterHoursToText(static_cast<uint8_t>(stop)) + " before start " +
                       QuarterHoursToText(static_cast<uint8_t>(start)));
  }
  // A stop of 0:00 ends the day; 0:00 to 0:00 is no time at all.
  const int from = std::min(start, 96);
  const int to = stop == 0 ? 96 : std::min(stop, 96);
  if ((start == 0 && stop == 0) || to <= from) return std::string();
  const double x = kDayColumn + from * kHour / 4;
  const std::string times = QuarterHoursToText(static_cast<uint8_t>(start)) + "–" +
                            QuarterHoursToText(static_cast<uint8_t>(stop));
  std::string out =
      "<rect x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" width=\"" + Num((to - from) * kHour / 4) +
      "\" height=\"" + Num(kLane - 1) + "\" class=\"bar " + cls + "\">" +
      Tag("title", "", XmlText((number.empty() ? "" : "Calender " + number + ": ") + times)) +
      "</rect>\n";
  if (!number.empty()) out += SvgText(x + 1.5, y + 6.5, "number", number);
  return out;
}

}  // namespace

std::string CalendarPicture(const uint8_t* part, int circuit, bool presence) {
  const int lanes = presence ? 1 : 2;
  const double row = lanes * kLane + 3;
  const double width = kDayColumn + 24 * kHour + 14;
  const double height = kCalendarTop + 7 * row + 2;
  std::string svg = SvgOpen(width, height);
  for (int h = 0; h <= 24; h += 3) {
    const double x = kDayColumn + h * kHour;
    svg += SvgLine(x, kCalendarTop, x, height - 2, "grid");
    svg += SvgText(x, kCalendarTop - 4, "hour", std::to_string(h) + ":00");
  }
  const auto byte = [&](const std::string& key) {
    const SettingEntry& e = EntryByKey(key);
    return static_cast<int>(part[e.byte]);
  };
  for (int d = 0; d < 7; ++d) {
    const double y0 = kCalendarTop + d * row;
    svg += SvgText(0, y0 + row / 2 + 3, "", kDayNames[d]);
    for (int lane = 1; lane <= lanes; ++lane) {
      const std::string key = CircuitKey(circuit) +
                              (presence ? ".pir." : ".week" + std::to_string(lane) + ".") +
                              kDayKeys[d];
      svg += Bar(y0 + 2 + (lane - 1) * kLane, byte(key + ".start"), byte(key + ".stop"),
                 presence ? "presence" : "c" + std::to_string(lane),
                 presence ? "" : std::to_string(lane));
    }
  }
  return svg + "</svg>\n";
}

namespace {

// ------------------------------------------------------------------ heating curve

constexpr double kPlotLeft = 40, kPlotRight = 320, kPlotTop = 26, kPlotBottom = 196;

// An axis over [lo, hi] in whole steps of 10, 20, 50, 100 or 200 °C, at most eight of them.
struct Axis {
  double lo, hi, step;
};

Axis AxisOver(double lo, double hi) {
  double step = 10;
  for (double s : {10.0, 20.0, 50.0, 100.0, 200.0}) {
    step = s;
    if (std::ceil(hi / s) - std::floor(lo / s) <= 8) break;
  }
  Axis a{std::floor(lo / step) * step, std::ceil(hi / step) * step, step};
  if (a.hi <= a.lo) a.hi = a.lo + step;
  return a;
}

}  // namespace

std::string HeatingCurvePicture(const uint8_t* record, int circuit) {
  const std::string c = CircuitKey(circuit);
  const auto value = [&](const std::string& key) {
    return ValueNumber(EntryByKey(c + key), record);
  };
  // The points the count names, held to 2 to 5, joined in their order, as the page draws them.
  const int count = static_cast<int>(std::clamp(value(".curve.points"), 2.0, 5.0));
  std::vector<std::pair<double, double>> points;
  for (int i = 1; i <= count; ++i) {
    const std::string p = ".curve.point" + std::to_string(i);
    points.push_back({value(p + ".outdoor"), value(p + ".forward")});
  }
  const auto [xlo, xhi] = std::minmax_element(points.begin(), points.end());
  const auto [ylo, yhi] =
      std::minmax_element(points.begin(), points.end(),
                          [](const auto& a, const auto& b) { return a.second < b.second; });
  const Axis ax = AxisOver(xlo->first, xhi->first);
  const Axis ay = AxisOver(ylo->second, yhi->second);
  const auto px = [&](double t) {
    return kPlotLeft + (t - ax.lo) * (kPlotRight - kPlotLeft) / (ax.hi - ax.lo);
  };
  const auto py = [&](double t) {
    return kPlotBottom - (t - ay.lo) * (kPlotBottom - kPlotTop) / (ay.hi - ay.lo);
  };

  std::string svg = SvgOpen(kPlotRight + 14, kPlotBottom + 28);
  for (double t = ax.lo; t <= ax.hi + 1e-9; t += ax.step) {
    svg += SvgLine(px(t), kPlotTop, px(t), kPlotBottom, "grid");
    svg += SvgText(px(t), kPlotBottom + 10, "tick-x", FormatFixed0(t));
  }
  for (double t = ay.lo; t <= ay.hi + 1e-9; t += ay.step) {
    svg += SvgLine(kPlotLeft, py(t), kPlotRight, py(t), "grid");
    svg += SvgText(kPlotLeft - 3, py(t) + 3, "tick-y", FormatFixed0(t));
  }
  svg += SvgLine(kPlotLeft, kPlotBottom, kPlotRight, kPlotBottom, "axis");
  svg += SvgLine(kPlotLeft, kPlotBottom, kPlotLeft, kPlotTop, "axis");
  svg += SvgText((kPlotLeft + kPlotRight) / 2, kPlotBottom + 24, "title-x",
                 "Outdoor temperature (°C)");
  svg += SvgText(kPlotLeft - 30, kPlotTop - 14, "", "Forward temperature (°C)");
  std::string line;
  for (const auto& [x, y] : points)
    line += (line.empty() ? "" : " ") + Num(px(x)) + "," + Num(py(y));
  svg += "<polyline points=\"" + line + "\" class=\"curve\"/>\n";
  for (size_t i = 0; i < points.size(); ++i) {
    const double x = px(points[i].first), y = py(points[i].second);
    svg += "<circle cx=\"" + Num(x) + "\" cy=\"" + Num(y) + "\" r=\"2.5\" class=\"point\"/>\n";
    svg += SvgText(x + 4, y - 4, "point-number", std::to_string(i + 1));
  }
  return svg + "</svg>\n";
}

const char* ReportStyle() {
  static const char* const kStyle = R"(@page { size: A4; margin: 14mm 12mm; }
body { font-family: sans-serif; font-size: 9pt; color: #000; max-width: 186mm; margin: 0 auto; }
h1 { font-size: 15pt; margin: 0 0 6pt; }
h2 { font-size: 11pt; margin: 12pt 0 3pt; border-bottom: 1.5pt solid #444; break-after: avoid; }
section { break-inside: avoid; }
table { border-collapse: collapse; width: 100%; }
th, td { text-align: left; vertical-align: top; padding: 1pt 4pt; border-bottom: 0.5pt solid #ccc; white-space: pre-wrap; }
table.head th { width: 30%; }
table.settings { table-layout: fixed; }
table.settings tr > :first-child { width: 40%; }
td.changed { background: #ffe08a; font-weight: bold; }
.findings li, .fault { color: #a00; fill: #a00; }
.note { color: #444; font-style: italic; }
.pictures { display: flex; gap: 6mm; margin: 2pt 0 6pt; }
figure { flex: 1; margin: 0; }
figcaption { font-weight: bold; }
figure p { margin: 2pt 0; }
svg { width: 100%; height: auto; }
svg text { font-family: sans-serif; font-size: 8px; }
.grid { stroke: #ccc; stroke-width: 0.5; }
.axis { stroke: #000; stroke-width: 1; }
.hour, .tick-x, .title-x { text-anchor: middle; }
.tick-y { text-anchor: end; }
.c1 { fill: #3b6fc4; } .c2 { fill: #e08a2c; } .presence { fill: #3f9a4f; }
.number { fill: #fff; font-size: 7px; }
.curve { fill: none; stroke: #c0392b; stroke-width: 1.5; }
.point { fill: #c0392b; }
)";
  return kStyle;
}
