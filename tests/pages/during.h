// The host traffic of one action, for the clock and plant page tests.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/support/fixture.h"

namespace testing_support {

// The calls `action` makes, in Traffic() notation; with kTimed, times count from its start,
// with kNoBytes, writes leave out their bytes.
constexpr int kTimed = 1, kNoBytes = 2;
inline std::vector<std::string> During(NodeFixture& f, int how,
                                       const std::function<void()>& action) {
  const size_t from = f.node.Log().size();
  const uint64_t t0 = f.platform.TickCount();
  action();
  std::vector<std::string> calls;
  for (const sim::HostCall& c : f.CallsSince(from)) {
    calls.push_back(Traffic({c}, false, (how & kNoBytes) == 0)[0] +
                    ((how & kTimed) != 0 ? "@" + std::to_string(c.atMs - t0) : ""));
  }
  return calls;
}

}  // namespace testing_support
