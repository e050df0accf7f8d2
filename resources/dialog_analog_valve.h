// 210 and 211: Analog Valve, one per circuit, for its two valves. One band per group box, read
// from the top: the first valve's status and settings, the second valve's, then the cascade
// band with the Read and Write buttons. The circuits differ in valve names and control ids.
#pragma once

#include "framework/dialog_template.h"

namespace analog_valve_dialog {
constexpr int kIdCascade = 246;
constexpr int kIdCascadeOutput = 280;

// The controls of one valve.
struct ValveControls {
  const char* name;  // "Mv1"
  int off;
  int manual;
  int automatic;
  int in;   // manual position, %
  int out;  // output, %, read-only
  int volt0to10;
  int volt2to10;
  int invert;
};
}  // namespace analog_valve_dialog

// The template `templateId` for the valves `first` (opens fully first in cascade) and
// `second`; made once per id.
const fw::DialogTemplate& AnalogValveDialog(int templateId,
                                            const analog_valve_dialog::ValveControls& first,
                                            const analog_valve_dialog::ValveControls& second);
