// The checks of the end-to-end tests under Wine: each is counted and printed, failures with
// what was seen. Several threads may check (the test's driver and its user-interface thread).
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace wintest {

class Checks {
 public:
  Checks() { InitializeCriticalSection(&lock_); }
  ~Checks() { DeleteCriticalSection(&lock_); }
  Checks(const Checks&) = delete;
  Checks& operator=(const Checks&) = delete;

  bool That(bool ok, const std::string& what, const std::string& seen = std::string()) {
    EnterCriticalSection(&lock_);
    ++(ok ? passed_ : failed_);
    const bool showSeen = !ok && !seen.empty();
    std::printf("  %-6s%s%s%s\n", ok ? "ok" : "FAIL", what.c_str(), showSeen ? "; seen: " : "",
                showSeen ? seen.c_str() : "");
    std::fflush(stdout);
    LeaveCriticalSection(&lock_);
    return ok;
  }
  bool Equal(const std::string& seen, const std::string& expected, const std::string& what) {
    return That(seen == expected, what + " is \"" + expected + "\"", "\"" + seen + "\"");
  }
  bool Equal(const std::vector<std::string>& seen, const std::vector<std::string>& expected,
             const std::string& what) {
    std::string text;
    for (const std::string& s : seen) text += (text.empty() ? "\"" : ", \"") + s + "\"";
    return That(seen == expected, what, "[" + text + "]");
  }

  // The closing line, and the exit code: 1 on a failure, else 0.
  int Finish() {
    std::printf("%d passed, %d failed\n", passed_, failed_);
    std::fflush(stdout);
    return failed_ > 0 ? 1 : 0;
  }

 private:
  CRITICAL_SECTION lock_;
  int passed_ = 0;
  int failed_ = 0;
};

}  // namespace wintest
