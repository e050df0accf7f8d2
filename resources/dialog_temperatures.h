// 217 and 227: Temperatures. Each has a group per water temperature sensor with its measured
// value and its offset; the circuit 1 page (217) also has the low forward temperature and the
// return temperature groups.
#pragma once

#include "framework/dialog_template.h"

namespace temperatures_dialog {
// Circuit 1.
constexpr int kIdBw1Actual = 256;
constexpr int kIdBw1Offset = 207;
constexpr int kIdBw2Actual = 258;
constexpr int kIdBw2Offset = 208;
constexpr int kIdLowOffset = 257;
constexpr int kIdLowTime = 260;
constexpr int kIdLowStatus = 261;
constexpr int kIdMaxReturn = 259;
constexpr int kIdReturnDdb = 262;
// Circuit 2.
constexpr int kIdBw3Actual = 259;
constexpr int kIdBw3Offset = 215;
constexpr int kIdBw4Actual = 216;
constexpr int kIdBw4Offset = 217;
}  // namespace temperatures_dialog

// One sensor's group: its caption and the ids of its measured value and its offset.
struct SensorGroup {
  const char* caption;
  int actualId;
  int offsetId;
};

// The template `templateId`; `supervision` adds the low forward temperature and return
// temperature groups. Made once per id.
const fw::DialogTemplate& TemperaturesDialog(int templateId, const SensorGroup& forward,
                                             const SensorGroup& ret, bool supervision);
