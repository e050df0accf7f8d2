// The node's NVs by host index, for those that more than one page, the file flows or the
// simulated node reach by name. The NodeSettings file labels each NV with its index minus one.
#pragma once

#include <cstdint>

constexpr int32_t kIndexClockSet = 0;  // node clock, set (7-byte record, written only)
constexpr int32_t kIndexClockNow = 3;  // node clock, current (7-byte record)
constexpr int32_t kIndexOutdoor = 14;  // outdoor temperature (Bs)
constexpr int32_t kIndexPressure = 28;
constexpr int32_t kIndexModes = 29;            // pump and valve modes, 31-byte record
constexpr int32_t kIndexManualPositions = 30;  // manual valve positions, 31-byte record
constexpr int32_t kIndexStatusFlags = 37;      // alarm and status flags
constexpr int32_t kIndexDelays = 38;           // extended operation delays, 31-byte record
constexpr int32_t kIndexCurve1 = 39;           // nciTemp1PlugIn: circuit 1's heating curve
constexpr int32_t kIndexPartSelector = 45;     // which configuration part index 46 shows
constexpr int32_t kIndexPluginCnf = 46;        // nviPluginCnf: the selected configuration part
