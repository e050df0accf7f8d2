// 203: Set Time. The PC's clock beside the node's, and "Sync".
#pragma once

#include "framework/dialog_template.h"

namespace set_time_dialog {
constexpr int kIdPcTime = 331;
constexpr int kIdPcDate = 332;
constexpr int kIdNodeDate = 333;  // the week calendar pages show the node's clock in these too
constexpr int kIdNodeTime = 334;
constexpr int kIdSync = 335;
}  // namespace set_time_dialog

const fw::DialogTemplate& SetTimeDialog();
