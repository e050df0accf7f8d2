// 216 and 226: Antifrost, one per circuit. The two differ only in the sensor named in the
// label of the return temperature of the heating surface.
#pragma once

#include <string>

#include "framework/dialog_template.h"

namespace antifrost_dialog {
constexpr int kIdEnabled = 209;
constexpr int kIdStatus = 207;
constexpr int kIdActualOutdoor = 214;
constexpr int kIdStop = 422;
constexpr int kIdStart = 424;
constexpr int kIdReturn = 426;
}  // namespace antifrost_dialog

// The template `templateId` with `returnLabel` beside the return temperature; made once per id.
const fw::DialogTemplate& AntifrostDialog(int templateId, const std::string& returnLabel);
