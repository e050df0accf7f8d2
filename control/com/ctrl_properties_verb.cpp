// The Properties verb: runs the plug-in's modal property sheet on the Win32 backend. The control
// keeps itself alive while the sheet runs, and no exception leaves the verb.
#include "control/com/hd7_3_ctrl.h"

#include <new>

#include "control/com/module.h"
#include "control/sheet.h"
#include "framework/platform.h"
#include "framework/win32/win32_platform.h"

namespace hd73 {

// ---------------------------------------------------------------- the Properties verb

HRESULT CHD7_3Ctrl::OnProperties() {
  // The control stays alive while its sheet runs, whatever the host releases meanwhile.
  AddRef();
  HRESULT hr = E_UNEXPECTED;
  try {
    fw::win32::Win32Platform platform(ModuleInstance());
    fw::ScopedPlatform installed(platform);
    hr = RunPropertiesSheet(this);
  } catch (const std::bad_alloc&) {
    hr = E_OUTOFMEMORY;
  } catch (...) {
    hr = E_UNEXPECTED;
  }
  Release();
  return hr;
}

}  // namespace hd73
