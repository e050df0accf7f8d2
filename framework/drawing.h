// A picture as data: lines and markers in dialog units, measured from the top left corner of
// the picture control. Pages compute it in portable code; the Win32 backend only paints it and
// the headless backend keeps it for tests to look at.
#pragma once

#include <vector>

namespace fw {

enum class Pen { kAxis, kCurve };
enum class MarkerKind { kPoint, kLive };

struct DrawLine {
  double x1, y1, x2, y2;
  Pen pen;
  bool operator==(const DrawLine& o) const {
    return x1 == o.x1 && y1 == o.y1 && x2 == o.x2 && y2 == o.y2 && pen == o.pen;
  }
};

struct DrawMarker {
  double x, y;
  MarkerKind kind;
  bool operator==(const DrawMarker& o) const { return x == o.x && y == o.y && kind == o.kind; }
};

struct Drawing {
  std::vector<DrawLine> lines;
  std::vector<DrawMarker> markers;
  bool operator==(const Drawing& o) const { return lines == o.lines && markers == o.markers; }
  bool operator!=(const Drawing& o) const { return !(*this == o); }
};

}  // namespace fw
