// Registration and removal of the control, made from one routine so that the two stay mirror
// images: the type library, the "Node" key with the node program ID, and the control class keys
// a container looks for.
#pragma once

#include <windows.h>

namespace hd73 {

// DllRegisterServer (true) and DllUnregisterServer (false): S_OK, SELFREG_E_TYPELIB or
// SELFREG_E_CLASS.
HRESULT RegisterServer(bool reg);

}  // namespace hd73
