// The heating curve page: the number of points, the enabling by count and mode, and the
// picture of the curve (by itself and on the page).
#include "pages/circuit/heating_curve_plot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/pages/circuit/page_harness.h"

using namespace circuit_test;

namespace {

const int kOutdoor[5] = {312, 313, 314, 315, 316};
const int kForward[5] = {321, 320, 319, 318, 317};

// Count, points and picture are one code for both circuits: shown on circuit 2 (page 21, its
// curve record in host index 40, its mode flags in part 1 byte 6) or 1 (20, 39, byte 2).
TEST(HeatingCurvePage, CountOutsideTwoToFiveIsHeldWithAMessage) {
  const char* const kTo2 = "Value must be between 2 and 5. Value set to 2";
  const char* const kTo5 = "Value must be between 2 and 5. Value set to 5";
  // 258 and -254 would have passed as their low byte 2; they are held to 5 and 2.
  const std::tuple<const char*, const char*, int> rows[] = {
      {"1", kTo2, 2},    {"", kTo2, 2},  {"abc", kTo2, 2}, {"1.9", kTo2, 2},
      {"-254", kTo2, 2}, {"6", kTo5, 5}, {"258", kTo5, 5}, {"1e30", kTo5, 5},
      {"2", "", 2},      {"3.9", "", 3}, {"5.99", "", 5},  {" 4", "", 4}};
  PageHarness h;
  h.Open(21);
  for (const auto& [typed, message, stored] : rows) {
    SCOPED_TRACE(typed);
    h.f.node.SetByte(40, 0, 0x33);
    h.f.platform.ClearMessages();
    h.Type(293, typed);
    h.Click(210);
    EXPECT_EQ(h.Messages(), *message ? Texts{message} : Texts{});
    for (const auto& m : h.f.platform.Messages()) EXPECT_EQ(m.request.flags, fw::kMbOk);
    EXPECT_EQ(h.f.node.Bytes(40)[0], stored);
    EXPECT_EQ(h.Text(293), std::to_string(stored));
  }
  // No message when the record could not be read: nothing is written.
  h.f.node.FailReads(40);
  h.f.platform.ClearMessages();
  h.Type(293, "9");
  h.Click(210);
  EXPECT_EQ(h.Messages(), Texts{});
}

TEST(HeatingCurvePage, EnablingFollowsTheStoredCountAndTheMode) {
  PageHarness h;
  h.Open(21, false);
  auto points = [&] {
    EXPECT_EQ(h.Enabled({kOutdoor, kOutdoor + 5}), h.Enabled({kForward, kForward + 5}));
    return h.Enabled({kOutdoor, kOutdoor + 5});
  };
  h.Put(Part(1), 6, {0x10});
  h.f.node.SetByte(40, 0, 3);
  h.Show();
  EXPECT_EQ(points(), "xxx--");
  EXPECT_EQ(h.Enabled({293, 265, 268, 266, 267}), "xxx--");  // count, offset, outdoor; constants
  h.Type(293, "5");  // nothing changes until the page reads the count again
  EXPECT_EQ(points(), "xxx--");
  h.Click(210);
  EXPECT_EQ(points(), "xxxxx");

  // A count the node should not hold is shown as it is and leaves the points alone.
  h.f.node.SetByte(40, 0, 2);
  h.Click(211);
  h.f.node.SetByte(40, 0, 0xFB);
  h.Click(211);
  EXPECT_EQ(h.Text(293), "-5");
  EXPECT_EQ(points(), "xx---");

  // Constant mode: the constant night temperature only while night lowering (0x01) is on.
  for (uint8_t flags : {0x01, 0xEF, 0x00, 0xEE}) {
    SCOPED_TRACE(int{flags});
    h.Put(Part(1), 6, {flags});
    h.Click(211);
    EXPECT_EQ(points(), "-----");
    EXPECT_EQ(h.Enabled({293, 265, 268, 266, 267}), (flags & 0x01) != 0 ? "---xx" : "---x-");
  }
  h.Type(kOutdoor[4], "-20");  // disabled points are still written
  h.Click(210);
  EXPECT_EQ(h.Get(Nv(40), 9, 2), (Bytes{0xF8, 0x30}));
}

TEST(HeatingCurvePage, PictureRedrawsWhenAPointTheCountOrALiveValueChanges) {
  PageHarness h;
  h.Open(20, false);
  h.Put(Nv(39), 0, {3, 0xFC, 0x18, 0x00, 0x00, 0x03, 0xE8});  // 3 points: -10, 0 and 10
  h.Put(Nv(39), 11, {0x17, 0x70, 0x13, 0x88, 0x0F, 0xA0});    // at 60, 50 and 40
  h.Put(Part(1), 2, {0x10});
  h.f.node.SetBytes(15, {0x01, 0xF4});  // outdoor 5.0
  h.f.node.SetBytes(24, {0x11, 0x94});  // setpoint 45.0
  h.Show();
  auto picture = [&] { return h.page->GetDrawing(201); };
  fw::Drawing d = picture();
  ASSERT_EQ(d.markers.size(), 4u);
  EXPECT_EQ(d.markers[3].kind, fw::MarkerKind::kLive);
  h.Type(kForward[3], "35");  // not in use: no change
  EXPECT_EQ(picture(), d);
  h.Type(293, "4");
  EXPECT_EQ(picture().markers.size(), 5u);
  h.Type(293, "3");
  EXPECT_EQ(picture(), d);
  h.Type(kForward[0], "80");
  EXPECT_NE(picture(), d);
  d = picture();
  h.Tick();  // the same live values draw the same picture
  EXPECT_EQ(picture(), d);
  h.f.node.SetBytes(24, {0x0F, 0xA0});
  h.Tick();
  ASSERT_EQ(picture().markers.size(), 4u);
  EXPECT_GT(picture().markers[3].y, d.markers[3].y);  // lower setpoint, lower on the picture
  EXPECT_EQ(picture().markers[3].x, d.markers[3].x);

  // Fewer than two points that are numbers, or constant mode: the fixed picture.
  const fw::Drawing fixed = FixedCurvePicture(82, 84);
  h.Type(kOutdoor[0], "x");
  h.Type(kOutdoor[1], "");
  EXPECT_EQ(picture(), fixed);
  h.Type(kOutdoor[1], "0");
  EXPECT_NE(picture(), fixed);
  h.Click(292);
  EXPECT_EQ(picture(), fixed);
}

// A 125 x 125 picture: the axes run along x = 6 and y = 119 with their tips at 119 and 6; the
// values span x 11 to 111 and y 114 (lowest) to 14 (highest).
constexpr double kSize = 125;

using Points = std::vector<std::pair<const char*, const char*>>;
const Points kPoints = {{"-10", "60"}, {"0", "50"}, {"10", "40"}, {"15", "30"}, {"20", "20"}};

CurveFields Curve(const char* count, const Points& points, const char* liveOutdoor = "5.0",
                  const char* liveSetpoint = "45.0") {
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

// Coordinates to within 1e-6.
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

TEST(HeatingCurvePlot, PlotsThePointsInUseAndTheLiveMarker) {
  const double third = 100.0 / 3;
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
  };
  for (const auto& [fields, xy, live] : rows) {
    EXPECT_EQ(Rounded(HeatingCurvePlot(fields, kSize, kSize)), Plot(xy, live)) << fields.count;
  }
}

// The fixed falling curve: in constant mode, or with fewer than two points that are numbers.
TEST(HeatingCurvePlot, FallsBackToTheFixedFallingCurve) {
  const fw::Drawing fixed = FixedCurvePicture(kSize, kSize);
  EXPECT_EQ(fixed.lines.size(), 10u);
  ASSERT_EQ(fixed.markers.size(), 5u);
  for (size_t i = 1; i < fixed.markers.size(); ++i) {
    EXPECT_GT(fixed.markers[i].x, fixed.markers[i - 1].x);  // to the right
    EXPECT_GT(fixed.markers[i].y, fixed.markers[i - 1].y);  // and down: falling
  }
  CurveFields constant = Curve("3", kPoints);
  constant.curveMode = false;
  const CurveFields rows[] = {constant, Curve("3", {{"-10", "60"}, {".", "50"}, {"10", ""}}),
                              Curve("5", {{"", ""}, {"-", "+"}, {"nan", "e5"}, {"abc", "1"}}),
                              Curve("", {{"-10", "60"}, {"0", "x"}, {"10", "40"}})};
  for (const CurveFields& fields : rows) EXPECT_EQ(HeatingCurvePlot(fields, kSize, kSize), fixed);
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
