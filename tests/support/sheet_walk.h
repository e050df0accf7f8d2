// What the whole-sheet walk checks after pressing a page's "Read" and "Write": which NVs and
// parts the page wrote with bytes other than the node held, and which after a failed read.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sim/simulated_node.h"

namespace testing_support {

constexpr int32_t kWalkSelectorIndex = 45;
constexpr int32_t kWalkPartIndex = 46;

inline std::string WalkKey(const sim::HostCall& c) {
  return c.index == kWalkPartIndex ? "part" + std::to_string(c.part)
                                   : "nv" + std::to_string(c.index);
}

// The NVs and parts (selector aside) that the calls wrote and whose bytes now differ from
// `before`. Bytes no call wrote are not compared: live values may change on their own.
inline std::vector<std::string> ChangedByWrites(
    const std::map<std::string, std::vector<uint8_t>>& before,
    const std::map<std::string, std::vector<uint8_t>>& after,
    const std::vector<sim::HostCall>& calls) {
  std::vector<std::string> changed;
  for (const sim::HostCall& c : calls) {
    if (c.kind != sim::HostCall::Kind::kWrite || c.index == kWalkSelectorIndex) continue;
    const std::string key = WalkKey(c);
    const auto was = before.find(key);
    const auto now = after.find(key);
    const bool same = was != before.end() && now != after.end() && was->second == now->second;
    if (!same && std::find(changed.begin(), changed.end(), key) == changed.end()) {
      changed.push_back(key);
    }
  }
  return changed;
}

// The bytes of the NVs and parts the calls wrote (selector aside) that now differ from `before`.
struct ChangedByte {
  std::string where;  // "nv30", "part6"
  int byte, was, now;
};
inline std::vector<ChangedByte> ChangedBytesByWrites(
    const std::map<std::string, std::vector<uint8_t>>& before,
    const std::map<std::string, std::vector<uint8_t>>& after,
    const std::vector<sim::HostCall>& calls) {
  std::vector<ChangedByte> changed;
  for (const std::string& key : ChangedByWrites(before, after, calls)) {
    const std::vector<uint8_t>&was = before.at(key), &now = after.at(key);
    for (size_t i = 0; i < std::min(was.size(), now.size()); ++i) {
      if (was[i] != now[i]) changed.push_back({key, static_cast<int>(i), was[i], now[i]});
    }
  }
  return changed;
}

// Writes (selector aside) made after the last read of the same NV, or of the same part, had
// failed. A write with no read of its NV before it is not counted here.
inline std::vector<std::string> WritesAfterFailedReads(const std::vector<sim::HostCall>& calls) {
  std::vector<std::string> bad;
  std::map<std::string, bool> lastReadFailed;
  for (const sim::HostCall& c : calls) {
    if (c.index == kWalkSelectorIndex) continue;
    if (c.kind == sim::HostCall::Kind::kRead) {
      lastReadFailed[WalkKey(c)] = c.status != 0;
    } else if (c.kind == sim::HostCall::Kind::kWrite && lastReadFailed[WalkKey(c)]) {
      bad.push_back(WalkKey(c));
    }
  }
  return bad;
}

}  // namespace testing_support
