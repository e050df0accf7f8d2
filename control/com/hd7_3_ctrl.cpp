#include "control/com/hd7_3_ctrl.h"

#include <new>
#include <string>
#include <utility>

#include "control/com/guids.h"
#include "control/com/module.h"
#include "control/sheet.h"
#include "framework/platform.h"
#include "framework/win32/win32_platform.h"

namespace hd73 {
namespace {

constexpr int kBitmapId = 1;
constexpr int kAboutDialogId = 1;
constexpr int kBitmapSourceSize = 30;         // the top-left 30 x 30 pixels of the 31 x 31 bitmap
constexpr LONG kDefaultExtentHimetric = 820;  // 31 pixels at 96 dpi
constexpr const wchar_t* kWindowClass = L"HD7_3CtrlWindow";

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

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

// ---------------------------------------------------------------- life

CHD7_3Ctrl::CHD7_3Ctrl()
    : extent_{kDefaultExtentHimetric, kDefaultExtentHimetric},
      events_(*this, kDiidEvents),
      propertyNotify_(*this, IID_IPropertyNotifySink) {
  ModuleAddRef();
}

CHD7_3Ctrl::~CHD7_3Ctrl() {
  // The module-wide reference to the control whose sheet runs must not outlive it.
  ForgetCurrentControl(this);
  if (window_ != nullptr) DestroyWindow(window_);
  if (inPlaceSite_ != nullptr) inPlaceSite_->Release();
  if (viewSink_ != nullptr) viewSink_->Release();
  if (adviseHolder_ != nullptr) adviseHolder_->Release();
  if (site_ != nullptr) site_->Release();
  ModuleRelease();
}

HRESULT CHD7_3Ctrl::Create(REFIID iid, void** object) {
  auto* control = new (std::nothrow) CHD7_3Ctrl();
  if (control == nullptr) return E_OUTOFMEMORY;
  const HRESULT hr = control->QueryInterface(iid, object);
  control->Release();
  return hr;
}

HRESULT CHD7_3Ctrl::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  void* p = nullptr;
  if (iid == IID_IUnknown || iid == IID_IOleObject) {
    p = static_cast<IOleObject*>(this);
  } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject) {
    p = static_cast<IOleInPlaceObject*>(this);
  } else if (iid == IID_IViewObject || iid == IID_IViewObject2) {
    p = static_cast<IViewObject2*>(this);
  } else if (iid == IID_IPersist || iid == IID_IPersistStreamInit || iid == IID_IPersistStream) {
    // IPersistStream's methods are the first ones of IPersistStreamInit, in the same order.
    p = static_cast<IPersistStreamInit*>(this);
  } else if (iid == IID_IPersistPropertyBag) {
    p = static_cast<IPersistPropertyBag*>(this);
  } else if (iid == IID_IDispatch || iid == kDiidDispatch) {
    p = static_cast<IDispatch*>(this);
  } else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2) {
    p = static_cast<IProvideClassInfo2*>(this);
  } else if (iid == IID_IConnectionPointContainer) {
    p = static_cast<IConnectionPointContainer*>(this);
  } else if (iid == IID_IOleControl) {
    p = static_cast<IOleControl*>(this);
  }
  *object = p;
  if (p == nullptr) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG CHD7_3Ctrl::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG CHD7_3Ctrl::Release() {
  const long refs = InterlockedDecrement(&refs_);
  if (refs == 0) delete this;
  return static_cast<ULONG>(refs);
}

// ---------------------------------------------------------------- IOleObject

HRESULT CHD7_3Ctrl::SetClientSite(IOleClientSite* site) {
  if (site != nullptr) site->AddRef();
  if (site_ != nullptr) site_->Release();
  site_ = site;
  return S_OK;
}

HRESULT CHD7_3Ctrl::GetClientSite(IOleClientSite** site) {
  if (site == nullptr) return E_POINTER;
  *site = site_;
  if (site_ != nullptr) site_->AddRef();
  return S_OK;
}

HRESULT CHD7_3Ctrl::Close(DWORD /*saveOption*/) {
  InPlaceDeactivate();
  if (adviseHolder_ != nullptr) adviseHolder_->SendOnClose();
  return S_OK;
}

HRESULT CHD7_3Ctrl::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker != nullptr) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT CHD7_3Ctrl::GetClipboardData(DWORD, IDataObject** data) {
  if (data != nullptr) *data = nullptr;
  return E_NOTIMPL;
}

HRESULT CHD7_3Ctrl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT) {
  if (site != nullptr && site_ == nullptr) SetClientSite(site);
  switch (verb) {
    case OLEIVERB_PROPERTIES:
      return OnProperties();
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
      return ActivateInPlace();
    case OLEIVERB_HIDE:
      return InPlaceDeactivate();
    default:
      return verb < 0 ? E_NOTIMPL : OLEOBJ_S_INVALIDVERB;
  }
}

HRESULT CHD7_3Ctrl::EnumVerbs(IEnumOLEVERB** verbs) {
  return OleRegEnumVerbs(kClsidControl, verbs);
}

HRESULT CHD7_3Ctrl::GetUserClassID(CLSID* clsid) {
  return GetClassID(clsid);
}

HRESULT CHD7_3Ctrl::GetUserType(DWORD form, LPOLESTR* type) {
  return OleRegGetUserType(kClsidControl, form, type);
}

HRESULT CHD7_3Ctrl::SetExtent(DWORD aspect, SIZEL* size) {
  if (size == nullptr) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return E_FAIL;
  extent_ = *size;
  dirty_ = true;
  return S_OK;
}

HRESULT CHD7_3Ctrl::GetExtent(DWORD aspect, SIZEL* size) {
  if (size == nullptr) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return E_FAIL;
  *size = extent_;
  return S_OK;
}

HRESULT CHD7_3Ctrl::Advise(IAdviseSink* sink, DWORD* cookie) {
  if (adviseHolder_ == nullptr && FAILED(CreateOleAdviseHolder(&adviseHolder_))) {
    return E_OUTOFMEMORY;
  }
  return adviseHolder_->Advise(sink, cookie);
}

HRESULT CHD7_3Ctrl::Unadvise(DWORD cookie) {
  return adviseHolder_ != nullptr ? adviseHolder_->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

HRESULT CHD7_3Ctrl::EnumAdvise(IEnumSTATDATA** advise) {
  if (advise == nullptr) return E_POINTER;
  *advise = nullptr;
  return adviseHolder_ != nullptr ? adviseHolder_->EnumAdvise(advise) : E_FAIL;
}

HRESULT CHD7_3Ctrl::GetMiscStatus(DWORD /*aspect*/, DWORD* status) {
  if (status == nullptr) return E_POINTER;
  *status = kMiscStatus;
  return S_OK;
}

// ---------------------------------------------------------------- in-place window

HRESULT CHD7_3Ctrl::ActivateInPlace() {
  if (window_ != nullptr) return S_OK;
  if (site_ == nullptr) return E_UNEXPECTED;
  // A container that offers no in-place site draws the control through IViewObject instead.
  if (FAILED(site_->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlaceSite_))))
    return S_OK;
  HWND parent = nullptr;
  if (inPlaceSite_->CanInPlaceActivate() != S_OK || FAILED(inPlaceSite_->GetWindow(&parent))) {
    inPlaceSite_->Release();
    inPlaceSite_ = nullptr;
    return S_OK;
  }
  inPlaceSite_->OnInPlaceActivate();
  IOleInPlaceFrame* frame = nullptr;
  IOleInPlaceUIWindow* document = nullptr;
  RECT position = {0, 0, 31, 31};
  RECT clip = position;
  OLEINPLACEFRAMEINFO frameInfo = {};
  frameInfo.cb = sizeof(frameInfo);
  inPlaceSite_->GetWindowContext(&frame, &document, &position, &clip, &frameInfo);
  if (frame != nullptr) frame->Release();
  if (document != nullptr) document->Release();

  WNDCLASSW wc = {};
  wc.lpfnWndProc = &CHD7_3Ctrl::WindowProc;
  wc.hInstance = ModuleInstance();
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kWindowClass;
  RegisterClassW(&wc);  // fails harmlessly when it is already registered
  window_ =
      CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, position.left,
                      position.top, position.right - position.left, position.bottom - position.top,
                      parent, nullptr, ModuleInstance(), this);
  return window_ != nullptr ? S_OK : E_FAIL;
}

LRESULT CALLBACK CHD7_3Ctrl::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<CHD7_3Ctrl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_PAINT && self != nullptr) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    self->DrawBitmap(dc, client);
    EndPaint(hwnd, &ps);
    return 0;
  }
  if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

HRESULT CHD7_3Ctrl::GetWindow(HWND* hwnd) {
  if (hwnd == nullptr) return E_POINTER;
  *hwnd = window_;
  return window_ != nullptr ? S_OK : E_FAIL;
}

HRESULT CHD7_3Ctrl::InPlaceDeactivate() {
  if (window_ != nullptr) {
    DestroyWindow(window_);
    window_ = nullptr;
  }
  if (inPlaceSite_ != nullptr) {
    IOleInPlaceSite* site = inPlaceSite_;
    inPlaceSite_ = nullptr;
    site->OnInPlaceDeactivate();
    site->Release();
  }
  return S_OK;
}

HRESULT CHD7_3Ctrl::SetObjectRects(LPCRECT position, LPCRECT /*clip*/) {
  if (position == nullptr) return E_POINTER;
  if (window_ != nullptr) {
    MoveWindow(window_, position->left, position->top, position->right - position->left,
               position->bottom - position->top, TRUE);
  }
  return S_OK;
}

// ---------------------------------------------------------------- drawing

// The bitmap's top-left 30 x 30 pixels, stretched onto the bounds with a plain copy. Nothing is
// drawn when the bitmap or the memory context cannot be made.
void CHD7_3Ctrl::DrawBitmap(HDC dc, RECT bounds) const {
  if (bounds.left > bounds.right) std::swap(bounds.left, bounds.right);
  if (bounds.top > bounds.bottom) std::swap(bounds.top, bounds.bottom);
  HBITMAP bitmap = LoadBitmapW(ModuleInstance(), MAKEINTRESOURCEW(kBitmapId));
  if (bitmap == nullptr) return;
  HDC memory = CreateCompatibleDC(nullptr);
  if (memory != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    StretchBlt(dc, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
               memory, 0, 0, kBitmapSourceSize, kBitmapSourceSize, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  }
  DeleteObject(bitmap);
}

HRESULT CHD7_3Ctrl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds,
                         LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (dc == nullptr || bounds == nullptr) return E_INVALIDARG;
  DrawBitmap(dc, RECT{bounds->left, bounds->top, bounds->right, bounds->bottom});
  return S_OK;
}

HRESULT CHD7_3Ctrl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
  if (sink != nullptr) sink->AddRef();
  if (viewSink_ != nullptr) viewSink_->Release();
  viewSink_ = sink;
  viewAspects_ = aspects;
  viewFlags_ = flags;
  return S_OK;
}

HRESULT CHD7_3Ctrl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
  if (aspects != nullptr) *aspects = viewAspects_;
  if (flags != nullptr) *flags = viewFlags_;
  if (sink != nullptr) {
    *sink = viewSink_;
    if (viewSink_ != nullptr) viewSink_->AddRef();
  }
  return S_OK;
}

HRESULT CHD7_3Ctrl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
  return GetExtent(aspect, size);
}

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

// ---------------------------------------------------------------- connection points

HRESULT CHD7_3Ctrl::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (points != nullptr) *points = nullptr;
  return E_NOTIMPL;
}

HRESULT CHD7_3Ctrl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (point == nullptr) return E_POINTER;
  *point = nullptr;
  if (iid == kDiidEvents) {
    *point = &events_;
  } else if (iid == IID_IPropertyNotifySink) {
    *point = &propertyNotify_;
  } else {
    return CONNECT_E_NOCONNECTION;
  }
  (*point)->AddRef();
  return S_OK;
}

CHD7_3Ctrl::ConnectionPoint::~ConnectionPoint() {
  for (IUnknown*& sink : sinks_) {
    if (sink != nullptr) sink->Release();
    sink = nullptr;
  }
}

HRESULT CHD7_3Ctrl::ConnectionPoint::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT CHD7_3Ctrl::ConnectionPoint::GetConnectionInterface(IID* iid) {
  if (iid == nullptr) return E_POINTER;
  *iid = iid_;
  return S_OK;
}

HRESULT CHD7_3Ctrl::ConnectionPoint::GetConnectionPointContainer(
    IConnectionPointContainer** container) {
  if (container == nullptr) return E_POINTER;
  *container = &owner_;
  owner_.AddRef();
  return S_OK;
}

HRESULT CHD7_3Ctrl::ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (sink == nullptr || cookie == nullptr) return E_POINTER;
  *cookie = 0;
  for (int i = 0; i < kMaxSinks; ++i) {
    if (sinks_[i] == nullptr) {
      sinks_[i] = sink;
      sink->AddRef();
      *cookie = static_cast<DWORD>(i + 1);
      return S_OK;
    }
  }
  return CONNECT_E_ADVISELIMIT;
}

HRESULT CHD7_3Ctrl::ConnectionPoint::Unadvise(DWORD cookie) {
  if (cookie == 0 || cookie > kMaxSinks || sinks_[cookie - 1] == nullptr) {
    return CONNECT_E_NOCONNECTION;
  }
  IUnknown* sink = sinks_[cookie - 1];
  sinks_[cookie - 1] = nullptr;
  sink->Release();
  return S_OK;
}

HRESULT CHD7_3Ctrl::ConnectionPoint::EnumConnections(IEnumConnections** connections) {
  if (connections != nullptr) *connections = nullptr;
  return E_NOTIMPL;
}

// ---------------------------------------------------------------- IOleControl

HRESULT CHD7_3Ctrl::GetControlInfo(CONTROLINFO* info) {
  if (info == nullptr) return E_POINTER;
  info->cb = sizeof(*info);
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

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
