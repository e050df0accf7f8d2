// How far a long file operation (export, download, factory settings) has come, for the
// Import / Export page to show while it runs: "Downloading - Part 3 of 12: writing",
// "Saving to file - nciTemp1PlugIn: reading". The page installs a sink for the length of one
// operation; without one, reports go nowhere. The operation's start and end go to the trace of
// the node traffic when one is kept.
#pragma once

#include <functional>
#include <string>
#include <string_view>

class ScopedProgress {
 public:
  using Sink = std::function<void(const std::string&)>;
  ScopedProgress(std::string operation, Sink sink);
  ~ScopedProgress();
  ScopedProgress(const ScopedProgress&) = delete;
  ScopedProgress& operator=(const ScopedProgress&) = delete;

 private:
  std::string operation_;
  Sink sink_;
  ScopedProgress* previous_;
  friend void ReportProgress(std::string_view what, std::string_view step);
};

// The step of a part ("selecting", "reading", "writing") or of a single NV by its name.
void ReportPartProgress(int part, std::string_view step);
void ReportProgress(std::string_view what, std::string_view step);
