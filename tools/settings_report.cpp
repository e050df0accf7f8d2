#include "tools/settings_report.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <sstream>

#include "framework/platform.h"
#include "nvdata/number_text.h"
#include "pages/clock/time_text.h"
#include "resources/strings.h"
#include "settingsfile/safe_file.h"
#include "settingsfile/settings_dictionary.h"
#include "tools/settings_tool.h"
#include "tools/tool_output.h"

namespace {

constexpr int kExitUnreadable = 2;

// ------------------------------------------------------------------ text

// The length of the UTF-8 sequence at `i` when it is one a page may hold, else 0.
size_t Utf8Length(std::string_view t, size_t i) {
  const unsigned char c = static_cast<unsigned char>(t[i]);
  size_t n;
  uint32_t cp;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2, cp = c & 0x1Fu;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3, cp = c & 0x0Fu;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4, cp = c & 0x07u;
  } else {
    return 0;
  }
  if (i + n > t.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    const unsigned char d = static_cast<unsigned char>(t[i + k]);
    if ((d & 0xC0) != 0x80) return 0;
    cp = cp << 6 | (d & 0x3Fu);
  }
  constexpr uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kLeast[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || cp == 0xFFFE ||
      cp == 0xFFFF) {
    return 0;
  }
  return n;
}

std::string CharRef(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "&#x%X;", value);
  return text;
}

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

// ------------------------------------------------------------------ settings

const SettingEntry& EntryByKey(const std::string& key) {
  for (const SettingEntry& e : SettingsDictionary()) {
    if (e.key == key) return e;
  }
  std::abort();  // the report only asks for keys the dictionary has
}

std::string Circuit(int circuit) {
  return circuit == 1 ? "bl1" : "bl2";
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
      const std::string key = Circuit(circuit) +
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
  const std::string c = Circuit(circuit);
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

std::string XmlText(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const size_t n = c < 0x80 ? 0 : Utf8Length(text, i);
    if (n > 0) {
      out.append(text.substr(i, n));
      i += n;
      continue;
    }
    ++i;
    if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '&') {
      out += "&amp;";
    } else if (c == '"') {
      out += "&quot;";
    } else if (c < 0x20 || c == 0x7F) {
      out += CharRef(c == 0x7F ? 0x2421u : 0x2400u + c);  // the control character's picture
    } else if (c >= 0x80) {
      out += CharRef(c);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

namespace {

// ------------------------------------------------------------------ the tabs

// The tabs of both page sets in the sheet's order, by caption string; a second caption where
// circuit 2's tab has its own. The notes stand for what a NodeSettings file does not hold.
struct ReportTab {
  int caption;
  int caption2;
  const char* note;
};

const ReportTab kTabs[] = {
    {200, 0, "The node's name stands at the top; this tab's buttons choose the page set."},
    {201, 0, "This file's program ID and time stamp stand at the top."},
    {203, 0, "The node's clock is set from the PC: a NodeSettings file holds no time."},
    {204, 0, nullptr},
    {206, 0, nullptr},
    {208, 0, nullptr},
    {224, 0, nullptr},
    {210, 0,
     "The valve modes (Off / Manual / Automatic) and manual positions stay in the node: a "
     "NodeSettings file does not hold them."},
    {212, 0,
     "The pump mode (Off / Manual / Automatic) stays in the node: a NodeSettings file does not "
     "hold it."},
    {214, 0,
     "The delays to boost, day and night temperature stay in the node: a NodeSettings file does "
     "not hold them."},
    {216, 0, nullptr},
    {218, 0, nullptr},
    {220, 0, nullptr},
    {230, 0, nullptr},
    {222, 223, nullptr},
    {226, 0, nullptr},
    {228, 0, nullptr},
    {229, 0, nullptr},
};

// One row of a circuit: a setting, or a start and a stop as one time span.
struct Item {
  std::string label;
  std::vector<const SettingEntry*> entries;
};

bool EndsWith(const std::string& s, std::string_view end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

std::string WithoutCircuit(const SettingEntry& e) {
  const std::string prefix = std::string(e.circuit) + " ";
  return !e.circuit.empty() && e.name.compare(0, prefix.size(), prefix) == 0
             ? e.name.substr(prefix.size())
             : e.name;
}

std::vector<Item> Items(const std::vector<const SettingEntry*>& entries) {
  std::vector<Item> items;
  for (size_t i = 0; i < entries.size(); ++i) {
    const std::string name = WithoutCircuit(*entries[i]);
    if (EndsWith(name, ", start") && i + 1 < entries.size()) {
      const std::string span = name.substr(0, name.size() - 7);
      if (WithoutCircuit(*entries[i + 1]) == span + ", stop") {
        items.push_back({span, {entries[i], entries[i + 1]}});
        ++i;
        continue;
      }
    }
    items.push_back({name, {entries[i]}});
  }
  return items;
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// One label for the two circuits' rows: "valve Mv1/Mv2 signal".
std::string Label(const std::string& a, const std::string& b) {
  if (a.empty() || a == b) return b.empty() ? a : b;
  if (b.empty()) return a;
  const std::vector<std::string> wa = Words(a), wb = Words(b);
  if (wa.size() != wb.size()) return a + " / " + b;
  std::string out;
  for (size_t i = 0; i < wa.size(); ++i) {
    out += (i > 0 ? " " : "") + (wa[i] == wb[i] ? wa[i] : wa[i] + "/" + wb[i]);
  }
  return out;
}

std::string ItemValue(const Item& item, const SettingsFileContent& c) {
  std::string text;
  for (const SettingEntry* e : item.entries) {
    const FileRecord& r = c.records[static_cast<size_t>(e->record)];
    if (!text.empty()) text += "–";
    text += r.hasValues ? ValueText(*e, r.bytes.data()) : "(no value line)";
  }
  const std::string_view unit = item.entries.front()->unit;
  return unit.empty() ? text : text + " " + std::string(unit);
}

class Page {
 public:
  Page(const SettingsFileContent& file, const SettingsFileContent* planned)
      : file_(file), planned_(planned) {}

  std::string Cell(const Item* item) const {
    if (item == nullptr) return "<td></td>";
    const std::string found = XmlText(ItemValue(*item, file_));
    const bool changed =
        planned_ != nullptr &&
        std::any_of(item->entries.begin(), item->entries.end(),
                    [&](const SettingEntry* e) { return !SameSetting(*e, *planned_, file_); });
    if (!changed) return "<td>" + found + "</td>";
    return "<td class=\"changed\">" + XmlText(ItemValue(*item, *planned_)) + " → " + found +
           "</td>";
  }

  std::string Tab(const ReportTab& tab) const {
    const std::string caption = ResString(tab.caption);
    const std::string caption2 = tab.caption2 != 0 ? ResString(tab.caption2) : caption;
    std::vector<const SettingEntry*> bl1, bl2, shared;
    for (const SettingEntry& e : SettingsDictionary()) {
      if (e.circuit == "BL1" && e.tab == caption) bl1.push_back(&e);
      if (e.circuit == "BL2" && e.tab == caption2) bl2.push_back(&e);
      if (e.circuit.empty() && e.tab == caption) shared.push_back(&e);
    }
    std::string out = "<section>\n<h2>" + XmlText(caption) +
                      (caption2 != caption ? " (BL1), " + XmlText(caption2) + " (BL2)" : "") +
                      "</h2>\n";
    if (tab.note != nullptr) out += "<p class=\"note\">" + XmlText(tab.note) + "</p>\n";
    out += Pictures(tab.caption);
    if (!shared.empty()) {
      out += "<table class=\"settings\">\n";
      for (const Item& item : Items(shared)) {
        out += "<tr><td>" + XmlText(item.label) + "</td>" + Cell(&item) + "</tr>\n";
      }
      out += "</table>\n";
    } else if (!bl1.empty() || !bl2.empty()) {
      const std::vector<Item> a = Items(bl1), b = Items(bl2);
      out += "<table class=\"settings\">\n<tr><th></th>";
      if (!a.empty()) out += "<th>BL1</th>";
      if (!b.empty()) out += "<th>BL2</th>";
      out += "</tr>\n";
      for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const Item* ia = i < a.size() ? &a[i] : nullptr;
        const Item* ib = i < b.size() ? &b[i] : nullptr;
        out += "<tr><td>" + XmlText(Label(ia ? ia->label : "", ib ? ib->label : "")) + "</td>";
        if (!a.empty()) out += Cell(ia);
        if (!b.empty()) out += Cell(ib);
        out += "</tr>\n";
      }
      out += "</table>\n";
    }
    return out + "</section>\n";
  }

 private:
  // The calendars and the heating curves, circuit 1 beside circuit 2.
  std::string Pictures(int caption) const {
    if (caption != 204 && caption != 206 && caption != 220) return std::string();
    std::string out = "<div class=\"pictures\">\n";
    for (int circuit = 1; circuit <= 2; ++circuit) {
      const std::string c = Circuit(circuit);
      const int record = caption == 220   ? (circuit == 1 ? kRecordTemp1 : kRecordTemp2)
                         : caption == 204 ? RecordOfPart(circuit == 1 ? 9 : 11)
                                          : RecordOfPart(circuit == 1 ? 10 : 12);
      const FileRecord& r = file_.records[static_cast<size_t>(record)];
      out += "<figure>\n<figcaption>BL" + std::to_string(circuit) + "</figcaption>\n";
      if (!r.hasValues) {
        out += "<p>No value line in the file.</p>\n</figure>\n";
        continue;
      }
      const Item holiday{"", {&EntryByKey(c + ".holiday.start"), &EntryByKey(c + ".holiday.stop")}};
      const Item day{"", {&EntryByKey(c + ".constant.day")}};
      const Item night{"", {&EntryByKey(c + ".constant.night")}};
      if (caption == 220) {
        out += HeatingCurvePicture(r.bytes.data(), circuit) + "<p>Constant day temperature " +
               XmlText(ItemValue(day, file_)) + ", constant night temperature " +
               XmlText(ItemValue(night, file_)) + "</p>\n";
      } else {
        out += CalendarPicture(r.bytes.data(), circuit, caption == 206);
        if (caption == 204)
          out += "<p>Holiday period: " + XmlText(ItemValue(holiday, file_)) + "</p>\n";
      }
      out += "</figure>\n";
    }
    return out + "</div>\n";
  }

  const SettingsFileContent& file_;
  const SettingsFileContent* planned_;
};

constexpr const char* kStyle = R"(@page { size: A4; margin: 14mm 12mm; }
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

std::string Row(const std::string& head, const std::string& value) {
  return "<tr><th>" + XmlText(head) + "</th><td>" + value + "</td></tr>\n";
}

// The files and the clock, for a tool run without a platform of its own.
class ToolPlatform : public fw::PlatformImpl {
 public:
  void Sleep(uint32_t /*ms*/) override {}
  uint64_t TickCount() override { return 0; }
  fw::LocalTime Now() override {
    const std::time_t now = std::time(nullptr);
    const std::tm* t = std::localtime(&now);
    fw::LocalTime local;
    if (t != nullptr) {
      local = {t->tm_year + 1900, t->tm_mon + 1, t->tm_mday, t->tm_hour, t->tm_min, t->tm_sec};
    }
    return local;
  }
  int ShowMessageBox(const fw::MessageBoxRequest& /*request*/) override { return 0; }
  std::optional<std::string> FileDialog(const fw::FileDialogRequest& /*request*/) override {
    return std::nullopt;
  }
  int RunModal(fw::CPropertySheet& /*sheet*/) override { return 0; }
};

}  // namespace

int ReportText(const ReportInput& file, const ReportInput* against, const std::string& date,
               std::ostream& out, std::ostream& err) {
  SettingsFileContent c, planned;
  const bool usable = ReadUsable(file.name, file.text, c, err);
  if (against != nullptr && !ReadUsable(against->name, against->text, planned, err)) {
    return kExitUnreadable;
  }
  if (!usable) return kExitUnreadable;

  size_t differences = 0;
  std::vector<ByteChange> bytes;
  if (against != nullptr) {
    for (const SettingEntry& e : SettingsDictionary())
      differences += SameSetting(e, planned, c) ? 0 : 1;
    bytes = UnnamedByteChanges(planned, c);
    differences += bytes.size();
  }

  std::string page =
      "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n"
      "<head>\n<meta charset=\"utf-8\"/>\n<title>Commissioning report: " +
      XmlText(c.nodeName) + "</title>\n<style>\n" + kStyle +
      "</style>\n</head>\n<body>\n<h1>Commissioning report: " + XmlText(c.nodeName) +
      "</h1>\n<table class=\"head\">\n";
  page += Row("Node name", XmlText(c.nodeName));
  page += Row("Time stamp", XmlText(c.timestamp));
  page += Row("Program ID", XmlText(c.programId));
  page += Row("File", XmlText(file.name));
  if (against != nullptr) {
    page += Row("Planned settings", XmlText(against->name) + ": " + XmlText(planned.nodeName) +
                                        ", " + XmlText(planned.timestamp));
    page += Row("Differences", differences == 0
                                   ? std::string("The two files hold the same settings.")
                                   : std::to_string(differences) +
                                         (differences == 1 ? " difference" : " differences") +
                                         ", marked planned → found");
  }
  page += Row("Report made", XmlText(date));
  page += "</table>\n<h2>Findings</h2>\n";
  const std::vector<FileFinding> findings = CheckFindings(c);
  if (findings.empty()) {
    page += "<p>No findings</p>\n";
  } else {
    page += "<ul class=\"findings\">\n";
    for (const FileFinding& f : findings) {
      page += "<li>Line " + std::to_string(f.line) + ": " + XmlText(f.text) + "</li>\n";
    }
    page += "</ul>\n";
  }
  const Page tabs(c, against != nullptr ? &planned : nullptr);
  for (const ReportTab& tab : kTabs) page += tabs.Tab(tab);
  if (!bytes.empty()) {
    page += "<section>\n<h2>Bytes no page writes</h2>\n<table class=\"settings\">\n";
    for (const ByteChange& b : bytes) {
      page += "<tr><td>" + XmlText(b.where) + "</td><td class=\"changed\">" + b.from + " → " +
              b.to + "</td></tr>\n";
    }
    page += "</table>\n</section>\n";
  }
  out << page << "</body>\n</html>\n";
  return differences == 0 ? 0 : 1;
}

bool IsReportCommand(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") return false;
  }
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i].empty() || args[i][0] != '-') return args[i] == "report";
  }
  return false;
}

int RunReport(const std::vector<std::string>& args, const char* usage, std::ostream& out,
              std::ostream& err) {
  std::vector<std::string> words;
  std::optional<std::string> against, output, date;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::optional<std::string>* value = a == "--against"  ? &against
                                        : a == "--output" ? &output
                                        : a == "--date"   ? &date
                                                          : nullptr;
    if (value != nullptr && i + 1 < args.size()) {
      *value = args[++i];
    } else if (value != nullptr || (a.size() > 1 && a[0] == '-')) {
      err << "hd7_3settings: " << (value != nullptr ? "no value for " : "unknown option ") << a
          << "\n\n"
          << usage;
      return kExitUnreadable;
    } else {
      words.push_back(a);
    }
  }
  if (words.size() != 2) {
    err << "hd7_3settings: wrong command or number of files\n\n" << usage;
    return kExitUnreadable;
  }
  ToolPlatform files;
  std::optional<fw::ScopedPlatform> installed;
  if (!fw::Platform::Installed()) installed.emplace(files);

  // The page never takes the place of a file it is made from.
  std::vector<std::string> names{words[1]};
  if (against) names.push_back(*against);
  if (output && OutputIsAnInput(*output, names, err)) return kExitUnreadable;

  std::vector<ReportInput> inputs;
  for (const std::string* name : {&words[1], against ? &*against : nullptr}) {
    if (name == nullptr) continue;
    std::optional<std::string> text = LoadFile(*name, err);
    if (!text) return kExitUnreadable;
    inputs.push_back({*name, std::move(*text)});
  }
  if (!date) {
    date = FormatExportDate(fw::Platform::Now());
    date->pop_back();  // the date text's closing space
  }
  std::ostringstream page;
  const int code =
      ReportText(inputs[0], inputs.size() > 1 ? &inputs[1] : nullptr, *date, page, err);
  if (code == kExitUnreadable) return code;
  if (!output) {
    out << page.str();
  } else {
    errno = 0;
    const FileWriteOutcome written = WriteFileSafely(*output, page.str());
    const int error = errno;
    if (written == FileWriteOutcome::kWritten) return code;
    err << "hd7_3settings: "
        << (written == FileWriteOutcome::kWriteFailed ? "write error: " : "cannot write ")
        << *output << (error != 0 ? ": " + std::string(std::strerror(error)) : std::string())
        << ": a file there is left as it was\n";
    return kExitUnreadable;
  }
  return code;
}
