// The registry value that turns the trace of the node traffic on, set for as long as the demo
// host (or a test) runs and then put back as it was found: removed again when it was absent
// (with its key, when the key was made for it), its old value back otherwise.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace host {

class ScopedTraceSetting {
 public:
  // `file` is made a full path first.
  explicit ScopedTraceSetting(const std::wstring& file);
  ~ScopedTraceSetting();
  ScopedTraceSetting(const ScopedTraceSetting&) = delete;
  ScopedTraceSetting& operator=(const ScopedTraceSetting&) = delete;

 private:
  struct Value {
    DWORD type;
    std::vector<BYTE> bytes;
  };
  bool set_ = false;
  bool keyMade_ = false;
  std::optional<Value> previous_;
};

}  // namespace host
