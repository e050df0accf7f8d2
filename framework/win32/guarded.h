// Runs portable code from a window procedure. No exception may leave a window procedure:
// Windows code is on the stack above it. One that escapes the page or sheet is shown to the
// engineer instead.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

#include "framework/platform.h"
#include "framework/win32/text.h"

namespace fw::win32 {

template <class F>
inline void Guarded(F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    MessageBoxW(nullptr, Widen(std::string("Unexpected error: ") + e.what()).c_str(),
                Widen(kModuleTitle).c_str(), MB_OK | MB_ICONERROR);
  } catch (...) {
    MessageBoxW(nullptr, L"Unexpected error", Widen(kModuleTitle).c_str(), MB_OK | MB_ICONERROR);
  }
}

}  // namespace fw::win32
