// What both fuzz targets install and talk to: a platform whose pauses cost nothing, and a node
// that keeps the part selector (never above part 12) and hands every other write to WriteValue.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "framework/platform.h"
#include "nvdata/config_part.h"

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

[[noreturn]] inline void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "fuzz check failed: %s [%s]\n", what, detail.c_str());
  std::abort();
}

class FuzzNode : public INodeAccess2 {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE Reserved3() override { return 0; }
  HRESULT STDMETHODCALLTYPE Reserved4() override { return 0; }
  HRESULT STDMETHODCALLTYPE Reserved5() override { return 0; }
  HRESULT STDMETHODCALLTYPE Reserved6() override { return 0; }
  int32_t STDMETHODCALLTYPE GetNodeName(uint8_t*, int32_t) override { return 1; }

  int32_t STDMETHODCALLTYPE ReadNv(int32_t index, uint8_t* buffer, int32_t capacity) override {
    if (index != kIndexPartSelector || capacity < 2) return 1;
    buffer[0] = static_cast<uint8_t>(selected >> 8);
    buffer[1] = static_cast<uint8_t>(selected & 0xFF);
    return 0;
  }

  int32_t STDMETHODCALLTYPE WriteNv(int32_t index, uint8_t* buffer, int32_t length) override {
    const bool refuse = failEvery > 0 && ++writes % failEvery == 0;
    if (index != kIndexPartSelector) {
      WriteValue(index, buffer, length);
      return refuse ? 1 : 0;
    }
    if (length != 2) Fail("selector write of another length", std::to_string(length));
    const int part = buffer[0] * 256 + buffer[1];
    if (part > kPartCount) Fail("part above 12 selected", std::to_string(part));
    if (!refuse) selected = part;
    return refuse ? 1 : 0;
  }

  // Checks or keeps a value write.
  virtual void WriteValue(int32_t index, const uint8_t* buffer, int32_t length) = 0;

  int selected = 0;
  int failEvery = 0;  // every n-th write is refused (0: none)
  int writes = 0;
};
