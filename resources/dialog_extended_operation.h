// 214 and 215: Extended operation, one per circuit, alike in every control and text.
#pragma once

#include "framework/dialog_template.h"

namespace extended_operation_dialog {
// The delay edits ("H:MM") of the boost, day and night rows.
constexpr int kIdBoostDelay = 203;
constexpr int kIdDayDelay = 204;
constexpr int kIdNightDelay = 205;
// The "Start" buttons of the same rows.
constexpr int kIdStartBoost = 206;
constexpr int kIdStartDay = 207;
constexpr int kIdStartNight = 208;
}  // namespace extended_operation_dialog

// The template `templateId`; made once per id.
const fw::DialogTemplate& ExtendedOperationDialog(int templateId);
