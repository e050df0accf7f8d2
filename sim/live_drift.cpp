#include "sim/live_drift.h"

#include <algorithm>
#include <cmath>

namespace sim {
namespace {

enum class Kind {
  kTemperature,  // signed hundredths of a degree in a word
  kWord,         // unsigned word (pressure)
  kLevel,        // valve output in 0.005 % steps, 0 to 100 %
  kSwitch,       // on (1) most of the time, off (0) for a while each cycle: pumps, occupancy
};

struct Drift {
  int32_t index;
  Kind kind;
  double amplitude;  // in the stored unit: hundredths, words, level steps; switch: off share
  uint32_t periodMs;
};

// Periods differ, so that no two values move in step.
constexpr Drift kDrifts[] = {
    {6, Kind::kTemperature, 40, 180000},   {7, Kind::kTemperature, 35, 210000},
    {12, Kind::kTemperature, 150, 95000},  {13, Kind::kTemperature, 200, 80000},
    {14, Kind::kTemperature, 60, 300000},  {15, Kind::kTemperature, 60, 300000},
    {16, Kind::kTemperature, 120, 110000}, {17, Kind::kTemperature, 90, 70000},
    {18, Kind::kTemperature, 60, 300000},  {19, Kind::kTemperature, 50, 150000},
    {24, Kind::kTemperature, 100, 240000}, {25, Kind::kTemperature, 80, 260000},
    {28, Kind::kWord, 40, 60000},          {32, Kind::kLevel, 2500, 90000},
    {33, Kind::kLevel, 1500, 120000},      {35, Kind::kLevel, 3000, 75000},
    {36, Kind::kLevel, 1000, 130000},      {31, Kind::kSwitch, 0.2, 120000},
    {34, Kind::kSwitch, 0.3, 150000},      {10, Kind::kSwitch, 0.25, 200000},
    {11, Kind::kSwitch, 0.4, 170000},
};

const Drift* Find(int32_t index) {
  for (const Drift& d : kDrifts) {
    if (d.index == index) return &d;
  }
  return nullptr;
}

}  // namespace

bool Drifts(int32_t index) {
  return Find(index) != nullptr;
}

std::vector<uint8_t> DriftedValue(int32_t index, const std::vector<uint8_t>& start, uint64_t ms) {
  const Drift* d = Find(index);
  if (d == nullptr || start.empty()) return start;
  const double phase = static_cast<double>(ms % d->periodMs) / d->periodMs;
  const double swing = std::sin(2.0 * 3.141592653589793 * phase);
  std::vector<uint8_t> bytes = start;
  if (d->kind == Kind::kSwitch) {
    // The switch keeps its start state, except for the off share at the end of each cycle,
    // when it shows the other state. Occupancy stores 0 for occupied: the byte flips too.
    const bool flipped = phase >= 1.0 - d->amplitude;
    const size_t at = bytes.size() - 1;  // the state is the last byte
    if (flipped) bytes[at] = bytes[at] == 0 ? 1 : 0;
    return bytes;
  }
  if (start.size() < 2) return start;
  int32_t w = start[0] * 256 + start[1];
  if (d->kind == Kind::kTemperature && w > 10000) w -= 65536;
  w += static_cast<int32_t>(std::lround(d->amplitude * swing));
  // A valve output stays within 0 to 100 %, the pressure within a word.
  if (d->kind != Kind::kTemperature) w = std::clamp(w, 0, d->kind == Kind::kLevel ? 20000 : 65535);
  bytes[0] = static_cast<uint8_t>((w >> 8) & 0xFF);
  bytes[1] = static_cast<uint8_t>(w & 0xFF);
  return bytes;
}

}  // namespace sim
