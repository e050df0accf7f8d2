// The platform the fuzz targets install: pauses cost nothing and nothing else is asked of it.
#pragma once

#include <optional>
#include <string>

#include "framework/platform.h"

class FuzzPlatform : public fw::PlatformImpl {
 public:
  void Sleep(uint32_t) override {}
  uint64_t TickCount() override { return 0; }
  fw::LocalTime Now() override { return {}; }
  int ShowMessageBox(const fw::MessageBoxRequest&) override { return fw::kIdOk; }
  std::optional<std::string> FileDialog(const fw::FileDialogRequest&) override {
    return std::nullopt;
  }
  int RunModal(fw::CPropertySheet&) override { return fw::kIdOk; }
};
