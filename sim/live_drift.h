// How the simulated node's live values move while the demo host runs, so that an engineer
// opening a page sees a living node: temperatures and pressure swing slowly around the values
// the node started with, valve outputs open and close, pumps and occupancy switch now and then.
// Settings never drift. Tests keep the node steady unless they turn drift on.
#pragma once

#include <cstdint>
#include <vector>

namespace sim {

// The bytes of live NV `index` `ms` milliseconds after drift began, moving around `start`, the
// bytes it held then. An index that is not a drifting live value keeps `start`.
std::vector<uint8_t> DriftedValue(int32_t index, const std::vector<uint8_t>& start, uint64_t ms);

// Whether `index` is one of the live values that drift.
bool Drifts(int32_t index);

}  // namespace sim
