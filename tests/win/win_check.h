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
    if (ok) {
      std::printf("  ok    %s\n", what.c_str());
    } else {
      std::printf("  FAIL  %s%s%s\n", what.c_str(), seen.empty() ? "" : "; seen: ", seen.c_str());
    }
    std::fflush(stdout);
    LeaveCriticalSection(&lock_);
    return ok;
  }
  bool Equal(const std::string& seen, const std::string& expected, const std::string& what) {
    return That(seen == expected, what + " is \"" + expected + "\"", "\"" + seen + "\"");
  }
  bool Equal(const std::vector<std::string>& seen, const std::vector<std::string>& expected,
             const std::string& what) {
    return That(seen == expected, what, Join(seen));
  }
  void Skip(const std::string& what) {
    EnterCriticalSection(&lock_);
    ++skipped_;
    std::printf("  SKIP  %s\n", what.c_str());
    std::fflush(stdout);
    LeaveCriticalSection(&lock_);
  }

  // The closing line, and the exit code: 1 on a failure, else 77 when a part was skipped, else 0.
  int Finish() {
    std::printf("%d passed, %d failed, %d skipped\n", passed_, failed_, skipped_);
    std::fflush(stdout);
    if (failed_ > 0) return 1;
    return skipped_ > 0 ? 77 : 0;
  }

  static std::string Join(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& s : items) out += (out.empty() ? "\"" : ", \"") + s + "\"";
    return "[" + out + "]";
  }

 private:
  CRITICAL_SECTION lock_;
  int passed_ = 0;
  int failed_ = 0;
  int skipped_ = 0;
};

}  // namespace wintest
