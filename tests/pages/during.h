// The host traffic of one action, for the clock and plant page tests.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/support/fixture.h"

namespace testing_support {

// The calls `action` makes, in Traffic() notation; with `timed`, times count from its start.
inline std::vector<std::string> During(NodeFixture& f, const std::function<void()>& action,
                                       bool timed = false, bool bytes = true) {
  const size_t from = f.node.Log().size();
  const uint64_t t0 = f.platform.TickCount();
  action();
  std::vector<std::string> calls;
  for (const sim::HostCall& c : f.CallsSince(from)) {
    calls.push_back(Traffic({c}, false, bytes)[0] +
                    (timed ? "@" + std::to_string(c.atMs - t0) : ""));
  }
  return calls;
}

}  // namespace testing_support
