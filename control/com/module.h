// The control module's state: its instance handle and the count of live objects and locks that
// DllCanUnloadNow answers from.
#pragma once

#include <windows.h>

#include <string>

namespace hd73 {

HINSTANCE ModuleInstance();
std::wstring ModulePath() noexcept;  // empty when it cannot be had

// Every COM object of the module holds one count for its lifetime; LockServer holds one more.
void ModuleAddRef();
void ModuleRelease();
bool ModuleInUse();

}  // namespace hd73
