#include "pages/circuit/heating_curve_plot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A 125 x 125 picture: the axes run along x = 6 and y = 119 with their tips at 119 and 6; the
// values span x 11 to 111 and y 114 (lowest) to 14 (highest).
constexpr double kSize = 125;

struct Pt {
  double x, y;
};

CurveFields Curve(const char* count, std::vector<std::pair<const char*, const char*>> points,
                  const char* liveOutdoor = "5.0", const char* liveSetpoint = "45.0") {
  CurveFields f;
  f.curveMode = true;
  f.count = count;
  for (size_t i = 0; i < points.size(); ++i) {
    f.outdoor[i] = points[i].first;
    f.forward[i] = points[i].second;
  }
  f.liveOutdoor = liveOutdoor;
  f.liveSetpoint = liveSetpoint;
  return f;
}

const std::vector<fw::DrawLine> kAxes = {
    {6, 119, 119, 119, fw::Pen::kAxis},   {119, 119, 116, 116, fw::Pen::kAxis},
    {119, 119, 116, 122, fw::Pen::kAxis}, {6, 119, 6, 6, fw::Pen::kAxis},
    {6, 6, 3, 9, fw::Pen::kAxis},         {6, 6, 9, 9, fw::Pen::kAxis},
};

void ExpectPlot(const fw::Drawing& d, const std::vector<Pt>& points, const Pt* live) {
  ASSERT_EQ(d.lines.size(), kAxes.size() + points.size() - 1);
  for (size_t i = 0; i < kAxes.size(); ++i) EXPECT_EQ(d.lines[i], kAxes[i]) << i;
  for (size_t i = 1; i < points.size(); ++i) {
    const fw::DrawLine& l = d.lines[kAxes.size() + i - 1];
    EXPECT_EQ(l.pen, fw::Pen::kCurve);
    EXPECT_NEAR(l.x1, points[i - 1].x, 1e-9);
    EXPECT_NEAR(l.y1, points[i - 1].y, 1e-9);
    EXPECT_NEAR(l.x2, points[i].x, 1e-9);
    EXPECT_NEAR(l.y2, points[i].y, 1e-9);
  }
  ASSERT_EQ(d.markers.size(), points.size() + (live != nullptr ? 1 : 0));
  for (size_t i = 0; i < points.size(); ++i) {
    EXPECT_EQ(d.markers[i].kind, fw::MarkerKind::kPoint);
    EXPECT_NEAR(d.markers[i].x, points[i].x, 1e-9) << i;
    EXPECT_NEAR(d.markers[i].y, points[i].y, 1e-9) << i;
  }
  if (live != nullptr) {
    EXPECT_EQ(d.markers.back().kind, fw::MarkerKind::kLive);
    EXPECT_NEAR(d.markers.back().x, live->x, 1e-9);
    EXPECT_NEAR(d.markers.back().y, live->y, 1e-9);
  }
}

TEST(HeatingCurvePlot, PlotsThePointsInUseAndTheLiveMarker) {
  const std::pair<const char*, const char*> points[] = {
      {"-10", "60"}, {"0", "50"}, {"10", "40"}, {"15", "30"}, {"20", "20"}};
  struct Row {
    const char* what;
    CurveFields fields;
    std::vector<Pt> expected;
    std::optional<Pt> live;
  };
  const Row rows[] = {
      {"three points, live inside",
       Curve("3", {points, points + 5}),
       {{11, 14}, {61, 64}, {111, 114}},
       Pt{86, 89}},
      {"live widens the ranges",
       Curve("3", {points, points + 5}, "20", "30"),
       {{11, 14}, {11 + 100.0 / 3, 114 - 200.0 / 3}, {11 + 200.0 / 3, 114 - 100.0 / 3}},
       Pt{111, 114}},
      {"no live setpoint, no marker",
       Curve("3", {points, points + 5}, "4.3", ""),
       {{11, 14}, {61, 64}, {111, 114}},
       std::nullopt},
      {"count 2", Curve("2", {points, points + 5}, "x", "x"), {{11, 14}, {111, 114}}, std::nullopt},
      {"count 9 is 5",
       Curve("9", {points, points + 5}, "", ""),
       {{11, 14}, {11 + 100.0 / 3, 39}, {11 + 200.0 / 3, 64}, {11 + 250.0 / 3, 89}, {111, 114}},
       std::nullopt},
      {"count 0 is 2, text 2.9 is 2",
       Curve("0", {points, points + 5}, "", ""),
       {{11, 14}, {111, 114}},
       std::nullopt},
      {"a point that is no number is left out",
       Curve("3", {{"-10", "60"}, {"abc", "50"}, {" 10", "+40"}}),
       {{11, 14}, {111, 114}},
       Pt{86, 89}},
      {"a flat curve is drawn across the middle",
       Curve("2", {{"-10", "50"}, {"10", "50"}}, "", ""),
       {{11, 64}, {111, 64}},
       std::nullopt},
      {"points out of order are joined in order",
       Curve("3", {{"10", "40"}, {"-10", "60"}, {"0", "50"}}, "", ""),
       {{111, 114}, {11, 14}, {61, 64}},
       std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ExpectPlot(HeatingCurvePlot(row.fields, kSize, kSize), row.expected,
               row.live ? &*row.live : nullptr);
  }
  // The count is taken as a write stores it: 2.9 is 2.
  EXPECT_EQ(HeatingCurvePlot(Curve("2.9", {points, points + 5}), kSize, kSize),
            HeatingCurvePlot(Curve("2", {points, points + 5}), kSize, kSize));
}

TEST(HeatingCurvePlot, FallsBackToTheFixedFallingCurve) {
  const fw::Drawing fixed = FixedCurvePicture(kSize, kSize);
  EXPECT_EQ(fixed.lines.size(), 10u);
  ASSERT_EQ(fixed.markers.size(), 5u);
  for (size_t i = 1; i < fixed.markers.size(); ++i) {
    EXPECT_EQ(fixed.markers[i].kind, fw::MarkerKind::kPoint);
    EXPECT_GT(fixed.markers[i].x, fixed.markers[i - 1].x);  // to the right
    EXPECT_GT(fixed.markers[i].y, fixed.markers[i - 1].y);  // and down: falling
  }
  CurveFields constant = Curve("3", {{"-10", "60"}, {"0", "50"}, {"10", "40"}});
  constant.curveMode = false;
  const struct {
    const char* what;
    CurveFields fields;
  } rows[] = {
      {"constant mode", constant},
      {"one point of three is a number", Curve("3", {{"-10", "60"}, {".", "50"}, {"10", ""}})},
      {"no numbers at all", Curve("5", {{"", ""}, {"-", "+"}, {"nan", "e5"}, {"abc", "1"}})},
      {"the second point in use is not a number",
       Curve("", {{"-10", "60"}, {"0", "x"}, {"10", "40"}})},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(HeatingCurvePlot(row.fields, kSize, kSize), fixed) << row.what;
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
