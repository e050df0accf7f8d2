// Persistence: the control has no properties of its own; a stream or property bag holds the
// version of the format only. A short stream or a wrong version is refused and changes nothing.
#include "control/com/hd7_3_ctrl.h"

#include <utility>

#include "control/com/guids.h"

namespace hd73 {
namespace {

// Writes or reads one DWORD of the persistent stream.
HRESULT WriteDword(IStream* stream, DWORD value) {
  ULONG written = 0;
  const HRESULT hr = stream->Write(&value, sizeof(value), &written);
  return FAILED(hr) ? hr : (written == sizeof(value) ? S_OK : STG_E_MEDIUMFULL);
}

HRESULT ReadDword(IStream* stream, DWORD* value) {
  ULONG read = 0;
  const HRESULT hr = stream->Read(value, sizeof(*value), &read);
  return FAILED(hr) ? hr : (read == sizeof(*value) ? S_OK : STG_E_READFAULT);
}

}  // namespace

// ---------------------------------------------------------------- persistence

// The control has no persistent properties: its state is the version of the format (and its
// size, which every container keeps with a control).
HRESULT CHD7_3Ctrl::GetClassID(CLSID* clsid) {
  if (clsid == nullptr) return E_POINTER;
  *clsid = kClsidControl;
  return S_OK;
}

HRESULT CHD7_3Ctrl::InitNew() {
  extent_ = SIZEL{kDefaultExtentHimetric, kDefaultExtentHimetric};
  dirty_ = false;
  return S_OK;
}

HRESULT CHD7_3Ctrl::Load(IStream* stream) {
  if (stream == nullptr) return E_POINTER;
  DWORD version = 0;
  DWORD cx = 0;
  DWORD cy = 0;
  HRESULT hr = ReadDword(stream, &version);
  if (SUCCEEDED(hr)) hr = ReadDword(stream, &cx);
  if (SUCCEEDED(hr)) hr = ReadDword(stream, &cy);
  if (FAILED(hr)) return hr;  // a short stream changes nothing
  // A later minor version is read as this one; another major version is not ours.
  if (HIWORD(version) != HIWORD(kPersistVersion)) return E_FAIL;
  extent_ = SIZEL{static_cast<LONG>(cx), static_cast<LONG>(cy)};
  dirty_ = false;
  return S_OK;
}

HRESULT CHD7_3Ctrl::Save(IStream* stream, BOOL clearDirty) {
  if (stream == nullptr) return E_POINTER;
  HRESULT hr = WriteDword(stream, kPersistVersion);
  if (SUCCEEDED(hr)) hr = WriteDword(stream, static_cast<DWORD>(extent_.cx));
  if (SUCCEEDED(hr)) hr = WriteDword(stream, static_cast<DWORD>(extent_.cy));
  if (SUCCEEDED(hr) && clearDirty) dirty_ = false;
  return hr;
}

HRESULT CHD7_3Ctrl::GetSizeMax(ULARGE_INTEGER* size) {
  if (size == nullptr) return E_POINTER;
  size->QuadPart = 3 * sizeof(DWORD);
  return S_OK;
}

HRESULT CHD7_3Ctrl::Load(IPropertyBag* bag, IErrorLog* log) {
  if (bag == nullptr) return E_POINTER;
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_I4;
  if (SUCCEEDED(bag->Read(L"_Version", &value, log)) && V_VT(&value) == VT_I4 &&
      HIWORD(static_cast<DWORD>(V_I4(&value))) != HIWORD(kPersistVersion)) {
    return E_FAIL;
  }
  VariantClear(&value);
  for (auto [name, field] : {std::pair{L"_ExtentX", &extent_.cx}, {L"_ExtentY", &extent_.cy}}) {
    VariantInit(&value);
    V_VT(&value) = VT_I4;
    if (SUCCEEDED(bag->Read(name, &value, log)) && V_VT(&value) == VT_I4) *field = V_I4(&value);
    VariantClear(&value);
  }
  dirty_ = false;
  return S_OK;
}

HRESULT CHD7_3Ctrl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL /*saveAll*/) {
  if (bag == nullptr) return E_POINTER;
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_I4;
  V_I4(&value) = static_cast<LONG>(kPersistVersion);
  HRESULT hr = bag->Write(L"_Version", &value);
  V_I4(&value) = extent_.cx;
  if (SUCCEEDED(hr)) hr = bag->Write(L"_ExtentX", &value);
  V_I4(&value) = extent_.cy;
  if (SUCCEEDED(hr)) hr = bag->Write(L"_ExtentY", &value);
  if (SUCCEEDED(hr) && clearDirty) dirty_ = false;
  return hr;
}

}  // namespace hd73
