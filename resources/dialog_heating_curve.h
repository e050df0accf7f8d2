// 228 and 229: Settings Temperatures, one per circuit, identical. On the left the picture of
// the heating curve, the forward temperatures of the five points along its left side (point 1
// at the top) and their outdoor temperatures under it (point 1 on the left); on the right the
// group "Temp" with the mode, the count, the night offset, the constant temperatures and the
// three live values.
#pragma once

#include "framework/dialog_template.h"

namespace heating_curve_dialog {
constexpr int kIdCurveMode = 292;
constexpr int kIdCount = 293;
constexpr int kIdNightOffset = 265;
constexpr int kIdConstantDay = 266;
constexpr int kIdConstantNight = 267;
constexpr int kIdCalcSetpoint = 263;
constexpr int kIdActualForward = 264;
constexpr int kIdOutdoor = 268;
constexpr int kIdPicture = 201;
// Points 1 to 5: outdoor 311 + i, forward 322 - i.
constexpr int kIdPointOutdoor[5] = {312, 313, 314, 315, 316};
constexpr int kIdPointForward[5] = {321, 320, 319, 318, 317};
// The picture's size in dialog units.
constexpr int kPictureWidth = 82;
constexpr int kPictureHeight = 84;
}  // namespace heating_curve_dialog

// 228 or 229.
const fw::DialogTemplate& HeatingCurveDialog(int templateId);
