#include "settingsfile/progress.h"

#include <utility>

#include "framework/platform.h"
#include "nvdata/config_part.h"

namespace {
ScopedProgress* g_current = nullptr;  // the user-interface thread's operation
}  // namespace

ScopedProgress::ScopedProgress(std::string operation, Sink sink)
    : operation_(std::move(operation)), sink_(std::move(sink)), previous_(g_current) {
  g_current = this;
  fw::Platform::TraceEvent("start " + operation_);
}

ScopedProgress::~ScopedProgress() {
  g_current = previous_;
  fw::Platform::TraceEvent("end " + operation_);
}

void ReportProgress(std::string_view what, std::string_view step) {
  if (g_current == nullptr || !g_current->sink_) return;
  g_current->sink_(g_current->operation_ + " - " + std::string(what) + ": " + std::string(step));
}

void ReportPartProgress(int part, std::string_view step) {
  ReportProgress("Part " + std::to_string(part) + " of " + std::to_string(kPartCount), step);
}
