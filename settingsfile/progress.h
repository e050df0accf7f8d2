// How far a long file operation (export, download, factory settings) has come, for the
// Import / Export page to show while it runs: "Part 3 of 12: writing", "nciTemp1PlugIn: reading".
// The page installs a sink for the length of one operation; without one, reports go nowhere.
#pragma once

#include <functional>
#include <string>
#include <string_view>

class ScopedProgress {
 public:
  using Sink = std::function<void(const std::string&)>;
  explicit ScopedProgress(Sink sink);
  ~ScopedProgress();
  ScopedProgress(const ScopedProgress&) = delete;
  ScopedProgress& operator=(const ScopedProgress&) = delete;

 private:
  Sink sink_;
  ScopedProgress* previous_;
  friend void ReportProgress(std::string_view what, std::string_view step);
};

// The step of a part ("selecting", "reading", "writing") or of a single NV by its name.
void ReportPartProgress(int part, std::string_view step);
void ReportProgress(std::string_view what, std::string_view step);
