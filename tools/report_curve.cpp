// The commissioning report's heating curves: the points in use joined as the Settings
// Temperatures page joins them, or a circuit's constant temperatures, over axes whose marks an
// owner can read.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "nvdata/number_text.h"
#include "tools/report_pictures.h"
#include "tools/report_svg.h"

namespace {

constexpr double kPlotLeft = 40, kPlotRight = 320, kPlotTop = 26, kPlotBottom = 196;
constexpr int kMinMarks = 4, kMaxMarks = 8;

double Marks(double first, double last, double step) {
  return std::round((last - first) / step) + 1;
}

// What one file sets a circuit's forward temperature to: a curve, or the constant day and
// night temperatures.
struct Setpoints {
  bool curve;
  std::vector<std::pair<double, double>> points;  // outdoor, forward
  double day, night;
};

Setpoints SetpointsOf(const CurveSettings& s, int circuit) {
  const std::string c = CircuitKey(circuit);
  const auto value = [&](const std::string& key) {
    return FieldNumber(EntryByKey(c + key).field, s.record);
  };
  Setpoints out{s.curveMode, {}, value(".constant.day"), value(".constant.night")};
  if (!s.curveMode) return out;
  for (int i = 1; i <= CurvePointsInUse(s.record, circuit); ++i) {
    const std::string p = ".curve.point" + std::to_string(i);
    out.points.push_back({value(p + ".outdoor"), value(p + ".forward")});
  }
  return out;
}

}  // namespace

int CurvePointsInUse(const uint8_t* record, int circuit) {
  static const SettingField* const kCounts[] = {&EntryByKey("bl1.curve.points").field,
                                                &EntryByKey("bl2.curve.points").field};
  const double count = FieldNumber(*kCounts[circuit == 1 ? 0 : 1], record);
  return static_cast<int>(std::clamp(count, 2.0, 5.0));
}

std::vector<double> AxisMarks(double lo, double hi) {
  double step = 1, first = 0, last = 0;
  for (double s : {1.0, 2.0, 5.0, 10.0, 20.0, 50.0, 100.0, 200.0, 500.0}) {
    step = s;
    first = std::floor(lo / s) * s;
    last = std::ceil(hi / s) * s;
    if (Marks(first, last, s) <= kMaxMarks) break;
  }
  // Only whole degrees this close together: the axis grows upwards, then downwards.
  for (bool up = true; Marks(first, last, step) < kMinMarks; up = !up) {
    (up ? last : first) += up ? step : -step;
  }
  std::vector<double> marks;
  for (int k = 0; k < Marks(first, last, step); ++k) marks.push_back(first + k * step);
  return marks;
}

std::string HeatingCurvePicture(const CurveSettings& found, int circuit,
                                const CurveSettings* planned) {
  std::vector<Setpoints> all{SetpointsOf(found, circuit)};
  if (planned != nullptr) all.push_back(SetpointsOf(*planned, circuit));
  std::vector<double> xs, ys;
  for (const Setpoints& s : all) {
    for (const auto& [x, y] : s.points) xs.push_back(x), ys.push_back(y);
    if (!s.curve) ys.insert(ys.end(), {s.day, s.night});
  }
  const std::vector<double> my =
      AxisMarks(*std::min_element(ys.begin(), ys.end()), *std::max_element(ys.begin(), ys.end()));
  const std::vector<double> mx = xs.empty() ? std::vector<double>()
                                            : AxisMarks(*std::min_element(xs.begin(), xs.end()),
                                                        *std::max_element(xs.begin(), xs.end()));
  const auto px = [&](double t) {
    return kPlotLeft + (t - mx.front()) * (kPlotRight - kPlotLeft) / (mx.back() - mx.front());
  };
  const auto py = [&](double t) {
    return kPlotBottom - (t - my.front()) * (kPlotBottom - kPlotTop) / (my.back() - my.front());
  };

  const double height = kPlotBottom + 28 + (planned != nullptr ? 12 : 0);
  std::string svg = SvgOpen(kPlotRight + 14, height);
  for (double t : mx) {
    svg += SvgLine(px(t), kPlotTop, px(t), kPlotBottom, "grid");
    svg += SvgText(px(t), kPlotBottom + 10, "tick-x", FormatFixed0(t));
  }
  for (double t : my) {
    svg += SvgLine(kPlotLeft, py(t), kPlotRight, py(t), "grid");
    svg += SvgText(kPlotLeft - 3, py(t) + 3, "tick-y", FormatFixed0(t));
  }
  svg += SvgLine(kPlotLeft, kPlotBottom, kPlotRight, kPlotBottom, "axis");
  svg += SvgLine(kPlotLeft, kPlotBottom, kPlotLeft, kPlotTop, "axis");
  svg += SvgText(
      (kPlotLeft + kPlotRight) / 2, kPlotBottom + 24, "title-x",
      xs.empty() ? "Constant: the same at every outdoor temperature" : "Outdoor temperature (°C)");
  svg += SvgText(kPlotLeft - 30, kPlotTop - 14, "", "Forward temperature (°C)");
  // The planned settings first, so that the found ones are drawn over them.
  for (size_t k = all.size(); k-- > 0;) {
    const Setpoints& s = all[k];
    const std::string planned = k > 0 ? " planned" : "";
    if (!s.curve) {
      for (const auto& [name, t] :
           {std::pair<const char*, double>{"day", s.day}, {"night", s.night}}) {
        svg += SvgLine(kPlotLeft, py(t), kPlotRight, py(t), "constant" + planned);
        svg += SvgText(k > 0 ? kPlotLeft + 3 : kPlotRight - 2, py(t) - 3,
                       k > 0 ? "planned-label" : "constant-label",
                       (k > 0 ? "planned " : "") + std::string(name));
      }
      continue;
    }
    std::string line;
    for (const auto& [x, y] : s.points)
      line += (line.empty() ? "" : " ") + Num(px(x)) + "," + Num(py(y));
    svg += "<polyline points=\"" + line + "\" class=\"curve" + planned + "\"/>\n";
    for (size_t i = 0; i < s.points.size(); ++i) {
      const double x = px(s.points[i].first), y = py(s.points[i].second);
      svg += "<circle cx=\"" + Num(x) + "\" cy=\"" + Num(y) + "\" r=\"2.5\" class=\"point" +
             planned + "\"/>\n";
      if (k == 0) svg += SvgText(x + 4, y - 4, "point-number", std::to_string(i + 1));
    }
  }
  if (planned != nullptr) svg += FoundPlannedLegend(kPlotLeft, height - 3, "curve-key");
  return svg + "</svg>\n";
}
