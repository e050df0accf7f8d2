// A sheet on the simulated node with its trace in a fresh folder, and the trace's lines as the
// tests read them back.
#pragma once

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "control/node_trace.h"
#include "tests/settingsfile/temp_folder.h"
#include "tests/support/fixture.h"

namespace trace_test {

using Lines = std::vector<std::string>;

inline Lines ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  Lines lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// `text` with each "#T" standing for `tag`.
inline std::string Tagged(std::string text, const std::string& tag) {
  for (size_t at = text.find("#T"); at != std::string::npos; at = text.find("#T", at + 1)) {
    text.replace(at, 2, tag);
  }
  return text;
}

// A sheet on the simulated node whose trace goes to `name` in a fresh folder (none for null).
struct Traced {
  explicit Traced(const char* name = "trace.log") : path(folder.Path(name ? name : "")) {
    f.platform.SetLocalTime({2026, 12, 5, 9, 5, 7});
    f.platform.SetTraceFile(name ? path : "");
  }
  Lines During(const std::function<void()>& action) const {
    const size_t before = ReadLines(path).size();
    action();
    const Lines lines = ReadLines(path);
    return Lines(lines.begin() + static_cast<long>(before), lines.end());
  }
  // The tag of the last sheet that opened in the file, from its header ("..., sheet 7, ...").
  std::string Tag() const {
    std::string tag = "(no sheet)";
    for (const std::string& line : ReadLines(path)) {
      const size_t at = line.find("] open ") != std::string::npos ? line.find(", sheet ") : 0;
      if (at > 0 && at != std::string::npos) {
        tag = "#4321." + line.substr(at + 8, line.find(',', at + 8) - at - 8);
      }
    }
    return tag;
  }
  settingsfile_test::TempFolder folder;
  std::string path;
  testing_support::NodeFixture f;
};

}  // namespace trace_test
