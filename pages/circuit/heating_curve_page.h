// Settings Temperatures, one page per circuit: how the circuit's forward temperature setpoint
// is formed, either from a heating curve of two to five points with a night offset, or from a
// constant day and night temperature. The curve lives in the circuit's heating-curve record
// (host index 39 or 40), the mode flag in configuration part 1. The calculated setpoint, the
// actual forward temperature and the outdoor temperature are refreshed every 2000 ms, and the
// picture plots the curve the fields hold with the live values as one marker.
#pragma once

#include <cstdint>

#include "nvdata/nv_page.h"
#include "resources/dialog_heating_curve.h"

// What differs between the circuits.
struct HeatingCurveCircuit {
  int templateId;
  int captionId;
  int32_t setpointIndex;
  int32_t forwardIndex;
  int32_t outdoorIndex;
  // The curve mode flag (part 1, in the byte of the night lowering flag 0x01), then the
  // heating-curve record (nciTemp1PlugIn, nciTemp2PlugIn): the count of points in use, the
  // outdoor and forward temperature of each point, the night offset and the constant day and
  // night temperatures. Values 12 and 13 of the record belong to the Temperatures page.
  SettingField fields[15];
};

inline constexpr HeatingCurveCircuit kHeatingCurveBl1{
    228,
    220,
    24,
    13,
    15,
    {field::Flag("bl1.curve.mode", "BL1 setpoint from", RecordOfPart(1), 2, 0x10,
                 heating_curve_dialog::kIdCurveMode, "heating curve", "constant temperatures"),
     field::Ranged(
         field::Value("bl1.curve.points", "BL1 heating curve, points in use", kRecordTemp1, 0, 1,
                      SettingCodec::kSignedByte, {}, heating_curve_dialog::kIdCount),
         2, 5),
     field::Temp("bl1.curve.point1.outdoor", "BL1 heating curve, point 1, outdoor temperature",
                 kRecordTemp1, 1, heating_curve_dialog::kIdPointOutdoor[0]),
     field::Temp("bl1.curve.point1.forward", "BL1 heating curve, point 1, forward temperature",
                 kRecordTemp1, 11, heating_curve_dialog::kIdPointForward[0]),
     field::Temp("bl1.curve.point2.outdoor", "BL1 heating curve, point 2, outdoor temperature",
                 kRecordTemp1, 3, heating_curve_dialog::kIdPointOutdoor[1]),
     field::Temp("bl1.curve.point2.forward", "BL1 heating curve, point 2, forward temperature",
                 kRecordTemp1, 13, heating_curve_dialog::kIdPointForward[1]),
     field::Temp("bl1.curve.point3.outdoor", "BL1 heating curve, point 3, outdoor temperature",
                 kRecordTemp1, 5, heating_curve_dialog::kIdPointOutdoor[2]),
     field::Temp("bl1.curve.point3.forward", "BL1 heating curve, point 3, forward temperature",
                 kRecordTemp1, 15, heating_curve_dialog::kIdPointForward[2]),
     field::Temp("bl1.curve.point4.outdoor", "BL1 heating curve, point 4, outdoor temperature",
                 kRecordTemp1, 7, heating_curve_dialog::kIdPointOutdoor[3]),
     field::Temp("bl1.curve.point4.forward", "BL1 heating curve, point 4, forward temperature",
                 kRecordTemp1, 17, heating_curve_dialog::kIdPointForward[3]),
     field::Temp("bl1.curve.point5.outdoor", "BL1 heating curve, point 5, outdoor temperature",
                 kRecordTemp1, 9, heating_curve_dialog::kIdPointOutdoor[4]),
     field::Temp("bl1.curve.point5.forward", "BL1 heating curve, point 5, forward temperature",
                 kRecordTemp1, 19, heating_curve_dialog::kIdPointForward[4]),
     field::Temp("bl1.curve.night_offset", "BL1 heating curve, night offset", kRecordTemp1, 21,
                 heating_curve_dialog::kIdNightOffset),
     field::Temp("bl1.constant.day", "BL1 constant day temperature", kRecordTemp1, 27,
                 heating_curve_dialog::kIdConstantDay),
     field::Temp("bl1.constant.night", "BL1 constant night temperature", kRecordTemp1, 29,
                 heating_curve_dialog::kIdConstantNight)}};
inline constexpr HeatingCurveCircuit kHeatingCurveBl2{
    229,
    221,
    25,
    17,
    18,
    {field::Flag("bl2.curve.mode", "BL2 setpoint from", RecordOfPart(1), 6, 0x10,
                 heating_curve_dialog::kIdCurveMode, "heating curve", "constant temperatures"),
     field::Ranged(
         field::Value("bl2.curve.points", "BL2 heating curve, points in use", kRecordTemp2, 0, 1,
                      SettingCodec::kSignedByte, {}, heating_curve_dialog::kIdCount),
         2, 5),
     field::Temp("bl2.curve.point1.outdoor", "BL2 heating curve, point 1, outdoor temperature",
                 kRecordTemp2, 1, heating_curve_dialog::kIdPointOutdoor[0]),
     field::Temp("bl2.curve.point1.forward", "BL2 heating curve, point 1, forward temperature",
                 kRecordTemp2, 11, heating_curve_dialog::kIdPointForward[0]),
     field::Temp("bl2.curve.point2.outdoor", "BL2 heating curve, point 2, outdoor temperature",
                 kRecordTemp2, 3, heating_curve_dialog::kIdPointOutdoor[1]),
     field::Temp("bl2.curve.point2.forward", "BL2 heating curve, point 2, forward temperature",
                 kRecordTemp2, 13, heating_curve_dialog::kIdPointForward[1]),
     field::Temp("bl2.curve.point3.outdoor", "BL2 heating curve, point 3, outdoor temperature",
                 kRecordTemp2, 5, heating_curve_dialog::kIdPointOutdoor[2]),
     field::Temp("bl2.curve.point3.forward", "BL2 heating curve, point 3, forward temperature",
                 kRecordTemp2, 15, heating_curve_dialog::kIdPointForward[2]),
     field::Temp("bl2.curve.point4.outdoor", "BL2 heating curve, point 4, outdoor temperature",
                 kRecordTemp2, 7, heating_curve_dialog::kIdPointOutdoor[3]),
     field::Temp("bl2.curve.point4.forward", "BL2 heating curve, point 4, forward temperature",
                 kRecordTemp2, 17, heating_curve_dialog::kIdPointForward[3]),
     field::Temp("bl2.curve.point5.outdoor", "BL2 heating curve, point 5, outdoor temperature",
                 kRecordTemp2, 9, heating_curve_dialog::kIdPointOutdoor[4]),
     field::Temp("bl2.curve.point5.forward", "BL2 heating curve, point 5, forward temperature",
                 kRecordTemp2, 19, heating_curve_dialog::kIdPointForward[4]),
     field::Temp("bl2.curve.night_offset", "BL2 heating curve, night offset", kRecordTemp2, 21,
                 heating_curve_dialog::kIdNightOffset),
     field::Temp("bl2.constant.day", "BL2 constant day temperature", kRecordTemp2, 27,
                 heating_curve_dialog::kIdConstantDay),
     field::Temp("bl2.constant.night", "BL2 constant night temperature", kRecordTemp2, 29,
                 heating_curve_dialog::kIdConstantNight)}};

class CHeatingCurvePage : public CNvPage {
 public:
  explicit CHeatingCurvePage(const HeatingCurveCircuit& circuit);

  // Enables the fields the mode uses: in curve mode the points in use by the stored count, in
  // constant mode the constant night temperature only while night lowering is on. Check box
  // 292 runs it; it reads the node.
  void UpdateControls();

 protected:
  void RefreshLive() override;
  void ReadSettings() override;
  void WriteSettings() override;
  void UpdateEnabling() override { UpdateControls(); }

 private:
  // Draws the picture again from the fields.
  void Redraw();

  HeatingCurveCircuit circuit_;
};

class CPage21PropPage : public CHeatingCurvePage {
 public:
  CPage21PropPage() : CHeatingCurvePage(kHeatingCurveBl1) {}
};

class CPage22PropPage : public CHeatingCurvePage {
 public:
  CPage22PropPage() : CHeatingCurvePage(kHeatingCurveBl2) {}
};
