#include "pages/circuit/heating_curve_plot.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

#include "nvdata/number_text.h"
#include "nvdata/typed_value.h"

namespace {

constexpr double kMargin = 6;   // between the frame and the axes
constexpr double kArrow = 3;    // length of the arrow heads
constexpr double kInset = 5;    // between the axes and the outermost value
constexpr double kMinSpan = 2;  // degrees at least along each axis
// The fixed picture's five points, as fractions of the plot area from its bottom left corner.
constexpr double kFixedX[5] = {0.0, 0.25, 0.5, 0.75, 1.0};
constexpr double kFixedY[5] = {1.0, 0.74, 0.52, 0.33, 0.18};

// The number at the start of the text, as Atof reads it; nothing when the text does not start
// with one (Atof would read 0 there). Values beyond what the node stores are clamped, as a
// write would clamp them.
std::optional<double> LeadingTemp(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  if (i < text.size() && text[i] == '.') ++i;
  if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
  return ClampTyped(Atof(text), kTempRange);
}

// Where the axes stand and what their ends are.
struct Frame {
  double left, right, top, bottom;  // the axes: left and bottom; the arrow tips: right and top
  double x0, x1, y0, y1;            // the plot area inside them
};

Frame FrameOf(double width, double height) {
  Frame f;
  f.left = kMargin;
  f.bottom = height - kMargin;
  f.right = width - kMargin;
  f.top = kMargin;
  f.x0 = f.left + kInset;
  f.x1 = f.right - kInset - kArrow;
  f.y0 = f.bottom - kInset;
  f.y1 = f.top + kInset + kArrow;
  return f;
}

fw::Drawing Axes(const Frame& f) {
  using fw::Pen;
  fw::Drawing d;
  d.lines = {
      {f.left, f.bottom, f.right, f.bottom, Pen::kAxis},  // outdoor, to the right
      {f.right, f.bottom, f.right - kArrow, f.bottom - kArrow, Pen::kAxis},
      {f.right, f.bottom, f.right - kArrow, f.bottom + kArrow, Pen::kAxis},
      {f.left, f.bottom, f.left, f.top, Pen::kAxis},  // forward, upwards
      {f.left, f.top, f.left - kArrow, f.top + kArrow, Pen::kAxis},
      {f.left, f.top, f.left + kArrow, f.top + kArrow, Pen::kAxis},
  };
  return d;
}

struct Point {
  double x, y;
};

void AddCurve(fw::Drawing& d, const std::vector<Point>& points) {
  for (size_t i = 1; i < points.size(); ++i) {
    d.lines.push_back(
        {points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, fw::Pen::kCurve});
  }
  for (const Point& p : points) d.markers.push_back({p.x, p.y, fw::MarkerKind::kPoint});
}

// The range [lo, hi] widened about its middle to at least kMinSpan.
void Widen(double& lo, double& hi) {
  if (hi - lo >= kMinSpan) return;
  const double mid = (lo + hi) / 2;
  lo = mid - kMinSpan / 2;
  hi = mid + kMinSpan / 2;
}

}  // namespace

fw::Drawing FixedCurvePicture(double width, double height) {
  const Frame f = FrameOf(width, height);
  fw::Drawing d = Axes(f);
  std::vector<Point> points;
  for (int i = 0; i < 5; ++i) {
    points.push_back({f.x0 + kFixedX[i] * (f.x1 - f.x0), f.y0 - kFixedY[i] * (f.y0 - f.y1)});
  }
  AddCurve(d, points);
  return d;
}

fw::Drawing HeatingCurvePlot(const CurveFields& fields, double width, double height) {
  if (!fields.curveMode) return FixedCurvePicture(width, height);
  // The count as a write stores it: cut toward zero, then held to 2 to 5.
  const double count = std::clamp(Atof(fields.count), 2.0, 5.0);
  const int inUse = static_cast<int>(count);
  std::vector<Point> temps;
  for (int i = 0; i < inUse; ++i) {
    const std::optional<double> x = LeadingTemp(fields.outdoor[i]);
    const std::optional<double> y = LeadingTemp(fields.forward[i]);
    if (x && y) temps.push_back({*x, *y});
  }
  if (temps.size() < 2) return FixedCurvePicture(width, height);
  const std::optional<double> liveX = LeadingTemp(fields.liveOutdoor);
  const std::optional<double> liveY = LeadingTemp(fields.liveSetpoint);
  const bool live = liveX && liveY;

  double xlo = temps[0].x, xhi = temps[0].x, ylo = temps[0].y, yhi = temps[0].y;
  std::vector<Point> all = temps;
  if (live) all.push_back({*liveX, *liveY});
  for (const Point& p : all) {
    xlo = std::min(xlo, p.x);
    xhi = std::max(xhi, p.x);
    ylo = std::min(ylo, p.y);
    yhi = std::max(yhi, p.y);
  }
  Widen(xlo, xhi);
  Widen(ylo, yhi);

  const Frame f = FrameOf(width, height);
  auto place = [&](const Point& t) {
    return Point{f.x0 + (t.x - xlo) / (xhi - xlo) * (f.x1 - f.x0),
                 f.y0 - (t.y - ylo) / (yhi - ylo) * (f.y0 - f.y1)};
  };
  fw::Drawing d = Axes(f);
  std::vector<Point> points;
  for (const Point& t : temps) points.push_back(place(t));
  AddCurve(d, points);
  if (live) {
    const Point p = place({*liveX, *liveY});
    d.markers.push_back({p.x, p.y, fw::MarkerKind::kLive});
  }
  return d;
}
