// The small pieces of SVG the report's pictures are drawn with.
#pragma once

#include <string>

// A coordinate with one decimal, rounded half away from zero on every platform.
std::string Num(double v);

std::string SvgOpen(double width, double height);
std::string SvgText(double x, double y, const std::string& cls, const std::string& text);
std::string SvgLine(double x1, double y1, double x2, double y2, const std::string& cls);
std::string SvgRect(double x, double y, double width, double height, const std::string& cls,
                    const std::string& title);

// The key to a picture that shows the found settings beside the planned ones: a solid sample
// for "found", a dashed one for "planned", `cls` giving their colour, at (x, y).
std::string FoundPlannedLegend(double x, double y, const std::string& cls);
