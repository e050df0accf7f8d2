// The dispatch interface (its one method, AboutBox, by name and by DISPID), the type information
// behind it from the module's type library, and IProvideClassInfo2 for containers that look the
// control's class and event interface up.
#include "control/com/hd7_3_ctrl.h"

#include "control/com/guids.h"
#include "control/com/module.h"

namespace hd73 {
namespace {

constexpr int kAboutDialogId = 1;

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

// ---------------------------------------------------------------- IDispatch

HRESULT CHD7_3Ctrl::LoadTypeInfo(REFGUID guid, ITypeInfo** info) {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  ITypeLib* typeLib = nullptr;
  const std::wstring path = ModulePath();
  HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &typeLib);
  if (FAILED(hr)) return hr;
  hr = typeLib->GetTypeInfoOfGuid(guid, info);
  typeLib->Release();
  return hr;
}

HRESULT CHD7_3Ctrl::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT CHD7_3Ctrl::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  return LoadTypeInfo(kDiidDispatch, info);
}

HRESULT CHD7_3Ctrl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (names == nullptr || ids == nullptr) return E_POINTER;
  HRESULT hr = S_OK;
  for (UINT i = 0; i < count; ++i) {
    // Only the method's own name is known; it has no named arguments.
    if (i == 0 && names[0] != nullptr && lstrcmpiW(names[0], L"AboutBox") == 0) {
      ids[0] = kDispidAboutBox;
    } else {
      ids[i] = DISPID_UNKNOWN;
      hr = DISP_E_UNKNOWNNAME;
    }
  }
  return hr;
}

HRESULT CHD7_3Ctrl::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                           VARIANT* result, EXCEPINFO*, UINT*) {
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (id != kDispidAboutBox) return DISP_E_MEMBERNOTFOUND;
  if ((flags & DISPATCH_METHOD) == 0) return DISP_E_MEMBERNOTFOUND;
  if (params != nullptr && params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
  if (result != nullptr) VariantInit(result);
  AboutBox();
  return S_OK;
}

void CHD7_3Ctrl::AboutBox() {
  HWND owner = window_ != nullptr ? GetAncestor(window_, GA_ROOT) : GetActiveWindow();
  DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(kAboutDialogId), owner, &AboutProc, 0);
}

// ---------------------------------------------------------------- IProvideClassInfo2

HRESULT CHD7_3Ctrl::GetClassInfo(ITypeInfo** info) {
  return LoadTypeInfo(kClsidControl, info);
}

HRESULT CHD7_3Ctrl::GetGUID(DWORD kind, GUID* guid) {
  if (guid == nullptr) return E_POINTER;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
    *guid = GUID_NULL;
    return E_INVALIDARG;
  }
  *guid = kDiidEvents;
  return S_OK;
}

}  // namespace hd73
