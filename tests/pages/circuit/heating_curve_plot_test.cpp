#include "pages/circuit/heating_curve_plot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A 125 x 125 picture: the axes run along x = 6 and y = 119 with their tips at 119 and 6; the
// values span x 11 to 111 and y 114 (lowest) to 14 (highest).
constexpr double kSize = 125;

using Points = std::vector<std::pair<const char*, const char*>>;
const Points kPoints = {{"-10", "60"}, {"0", "50"}, {"10", "40"}, {"15", "30"}, {"20", "20"}};

CurveFields Curve(const char* count, const Points& points, const char* liveOutdoor = "5.0",
                  const char* liveSetpoint = "45.0", bool curveMode = true) {
  CurveFields f;
  f.curveMode = curveMode;
  f.count = count;
  for (size_t i = 0; i < points.size(); ++i) {
    f.outdoor[i] = points[i].first;
    f.forward[i] = points[i].second;
  }
  f.liveOutdoor = liveOutdoor;
  f.liveSetpoint = liveSetpoint;
  return f;
}

fw::Drawing Rounded(fw::Drawing d) {
  auto round = [](double& v) { v = std::round(v * 1e6) / 1e6; };
  for (fw::DrawLine& l : d.lines) {
    for (double* v : {&l.x1, &l.y1, &l.x2, &l.y2}) round(*v);
  }
  for (fw::DrawMarker& m : d.markers) {
    for (double* v : {&m.x, &m.y}) round(*v);
  }
  return d;
}

// The axes, the curve through `xy` (x, y of each point) with its markers, and the live marker
// at `live` if any.
fw::Drawing Plot(const std::vector<double>& xy, const std::vector<double>& live) {
  using fw::Pen;
  fw::Drawing d;
  d.lines = {{6, 119, 119, 119, Pen::kAxis},   {119, 119, 116, 116, Pen::kAxis},
             {119, 119, 116, 122, Pen::kAxis}, {6, 119, 6, 6, Pen::kAxis},
             {6, 6, 3, 9, Pen::kAxis},         {6, 6, 9, 9, Pen::kAxis}};
  for (size_t i = 0; i + 1 < xy.size(); i += 2) {
    if (i > 0) d.lines.push_back({xy[i - 2], xy[i - 1], xy[i], xy[i + 1], Pen::kCurve});
    d.markers.push_back({xy[i], xy[i + 1], fw::MarkerKind::kPoint});
  }
  if (!live.empty()) d.markers.push_back({live[0], live[1], fw::MarkerKind::kLive});
  return Rounded(d);
}

// The points in use and the live marker; the fixed falling curve in constant mode, or with fewer
// than two points that are numbers.
TEST(HeatingCurvePlot, PlotsThePointsInUseAndTheLiveMarker) {
  const double third = 100.0 / 3;
  const std::vector<double> fixed = {11, 14, 36, 40, 61, 62, 86, 81, 111, 96};
  EXPECT_EQ(Rounded(FixedCurvePicture(kSize, kSize)), Plot(fixed, {}));
  const std::tuple<CurveFields, std::vector<double>, std::vector<double>> rows[] = {
      {Curve("3", kPoints), {11, 14, 61, 64, 111, 114}, {86, 89}},  // live on the curve
      {Curve("3", kPoints, "20", "30"),  // the live values widen the ranges
       {11, 14, 11 + third, 114 - 2 * third, 11 + 2 * third, 114 - third},
       {111, 114}},
      {Curve("3", kPoints, "4.3", ""), {11, 14, 61, 64, 111, 114}, {}},  // no live setpoint
      {Curve("2", kPoints, "x", "x"), {11, 14, 111, 114}, {}},
      {Curve("9", kPoints, "", ""),  // held to 5
       {11, 14, 11 + third, 39, 11 + 2 * third, 64, 11 + 2.5 * third, 89, 111, 114},
       {}},
      {Curve("0", kPoints, "", ""), {11, 14, 111, 114}, {}},    // held to 2
      {Curve("2.9", kPoints, "", ""), {11, 14, 111, 114}, {}},  // cut to 2
      {Curve("3", {{"-10", "60"}, {"abc", "50"}, {" 10", "+40"}}), {11, 14, 111, 114}, {86, 89}},
      {Curve("2", {{"-10", "50"}, {"10", "50"}}, "", ""), {11, 64, 111, 64}, {}},  // flat: middle
      {Curve("3", {{"10", "40"}, {"-10", "60"}, {"0", "50"}}, "", ""),  // joined in their order
       {111, 114, 11, 14, 61, 64},
       {}},
      {Curve("3", kPoints, "5.0", "45.0", false), fixed, {}},
      {Curve("3", {{"-10", "60"}, {".", "50"}, {"10", ""}}), fixed, {}},
      {Curve("5", {{"", ""}, {"-", "+"}, {"nan", "e5"}, {"abc", "1"}}), fixed, {}},
  };
  for (const auto& [fields, xy, live] : rows) {
    EXPECT_EQ(Rounded(HeatingCurvePlot(fields, kSize, kSize)), Plot(xy, live)) << fields.count;
  }
}

TEST(HeatingCurvePlot, HugeAndEqualValuesStayInsideThePicture) {
  const CurveFields rows[] = {
      Curve("5", {{"1e400", "-1e400"}, {"-1e308", "1e308"}, {"99999999999999999999", "0"}}, "1e300",
            "-1e300"),
      Curve("2", {{"7", "7"}, {"7", "7"}}, "7", "7"),
      Curve("4", {{"-555.35", "100"}, {"-555.34", "99.99"}}),
  };
  for (const CurveFields& fields : rows) {
    const fw::Drawing d = HeatingCurvePlot(fields, 86, 84);
    EXPECT_GE(d.markers.size(), 2u);
    for (const fw::DrawMarker& m : d.markers) {
      EXPECT_TRUE(std::isfinite(m.x) && m.x >= 0 && m.x <= 86) << m.x;
      EXPECT_TRUE(std::isfinite(m.y) && m.y >= 0 && m.y <= 84) << m.y;
    }
  }
}

}  // namespace
