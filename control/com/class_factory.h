// The module's class factory: one generic factory over a table of the classes the module makes
// (here one: the control). No aggregation; LockServer keeps the module loaded.
#pragma once

#include <windows.h>

namespace hd73 {

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object);

}  // namespace hd73
