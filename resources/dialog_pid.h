// 234 and 235: PID, one per valve controller: the P, I and D parameters in one row under their
// column heads, and the service password that each write needs. The two differ in the row label.
#pragma once

#include <string>

#include "framework/dialog_template.h"

namespace pid_dialog {
constexpr int kIdP = 213;
constexpr int kIdI = 217;
constexpr int kIdD = 221;
constexpr int kIdPassword = 226;
}  // namespace pid_dialog

// The template `templateId` with the row labelled `rowLabel` ("Valve (Mv1)"); made once per id.
const fw::DialogTemplate& PidDialog(int templateId, const std::string& rowLabel);
