// Settings Temperatures, one page per circuit: how the circuit's forward temperature setpoint
// is formed, either from a heating curve of two to five points with a night offset, or from a
// constant day and night temperature. The curve lives in the circuit's heating-curve record
// (host index 39 or 40), the mode flag in configuration part 1. The calculated setpoint, the
// actual forward temperature and the outdoor temperature are refreshed every 2000 ms, and the
// picture plots the curve the fields hold with the live values as one marker.
#pragma once

#include <cstdint>

#include "nvdata/nv_page.h"

// What differs between the circuits.
struct HeatingCurveCircuit {
  int templateId;
  int captionId;
  int32_t curveIndex;  // nciTemp1PlugIn, nciTemp2PlugIn
  int flagByte;        // part 1 byte with the curve mode (0x10) and night lowering (0x01) flags
  int32_t setpointIndex;
  int32_t forwardIndex;
  int32_t outdoorIndex;
};

inline constexpr HeatingCurveCircuit kHeatingCurveBl1{228, 220, 39, 2, 24, 13, 15};
inline constexpr HeatingCurveCircuit kHeatingCurveBl2{229, 221, 40, 6, 25, 17, 18};

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
