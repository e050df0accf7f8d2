// The module's class factory for the one class it makes, the control. No aggregation;
// LockServer keeps the module loaded.
#pragma once

#include <windows.h>

namespace hd73 {

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object);

}  // namespace hd73
