// The picture of the heating curve page: the curve the page's fields hold, drawn as lines and
// markers in dialog units, with the outdoor temperature rising to the right and the forward
// temperature rising upwards. The live outdoor temperature and the calculated setpoint show
// as one marker. Portable: the backend only paints the result.
#pragma once

#include <string>

#include "framework/drawing.h"

// The texts of the fields the picture is drawn from, as the engineer sees them.
struct CurveFields {
  bool curveMode = false;  // "Calc.setpt" checked
  std::string count;       // "Number of temp setpoint (2-5)"
  std::string outdoor[5];  // points 1 to 5
  std::string forward[5];
  std::string liveOutdoor;   // "Outdoor temp"
  std::string liveSetpoint;  // "Calc."
};

// The drawing for a picture of width x height dialog units. The points in use are those the
// count names, taken as a write would store it (below 2 counts as 2, above 5 as 5); a point
// whose outdoor or forward text is not a number is left out. In constant mode, or with fewer
// than two points to draw, the picture is the fixed one of a falling curve through five
// points, without the live marker.
fw::Drawing HeatingCurvePlot(const CurveFields& fields, double width, double height);

// The fixed picture alone.
fw::Drawing FixedCurvePicture(double width, double height);
