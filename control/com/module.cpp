// The module's entry points. No exception leaves any of them: each is answered with its result
// code instead.
#include "control/com/module.h"

#include <olectl.h>

#include <atomic>
#include <new>

#include "control/com/class_factory.h"
#include "control/com/guids.h"
#include "control/com/registration.h"

namespace hd73 {
namespace {
HINSTANCE g_instance = nullptr;
std::atomic<long> g_inUse{0};
}  // namespace

HINSTANCE ModuleInstance() {
  return g_instance;
}

std::wstring ModulePath() noexcept {
  // Called from COM methods: out of memory gives an empty path, never an exception.
  try {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
      const DWORD n = GetModuleFileNameW(g_instance, path.data(), static_cast<DWORD>(path.size()));
      if (n == 0) return std::wstring();
      if (n < path.size()) {
        path.resize(n);
        return path;
      }
      path.resize(path.size() * 2);  // a long path: try again with room for it
    }
  } catch (...) {
    return std::wstring();
  }
}

void ModuleAddRef() {
  ++g_inUse;
}

void ModuleRelease() {
  --g_inUse;
}

bool ModuleInUse() {
  return g_inUse.load() != 0;
}

}  // namespace hd73

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) {
    hd73::g_instance = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  try {
    return hd73::GetClassObject(clsid, iid, object);
  } catch (...) {
    if (object != nullptr) *object = nullptr;
    return E_UNEXPECTED;
  }
}

STDAPI DllCanUnloadNow() {
  return hd73::ModuleInUse() ? S_FALSE : S_OK;
}

STDAPI DllRegisterServer() {
  try {
    return hd73::RegisterServer(true);
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}

STDAPI DllUnregisterServer() {
  try {
    return hd73::RegisterServer(false);
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}
