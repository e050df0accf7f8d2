// Embedding and activation: what a container asks of the control as an OLE object (client site,
// verbs, size, advise sinks), its small in-place window, its drawing (the bitmap stretched over
// its bounds, for the window and for IViewObject) and IOleControl. The Properties verb itself is
// in ctrl_properties_verb.cpp.
#include "control/com/hd7_3_ctrl.h"

#include "control/com/guids.h"
#include "control/com/module.h"

namespace hd73 {
namespace {

constexpr int kBitmapId = 1;
constexpr int kBitmapSourceSize = 30;  // the top-left 30 x 30 pixels of the 31 x 31 bitmap
constexpr const wchar_t* kWindowClass = L"HD7_3CtrlWindow";

}  // namespace

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

// ---------------------------------------------------------------- IOleControl

HRESULT CHD7_3Ctrl::GetControlInfo(CONTROLINFO* info) {
  if (info == nullptr) return E_POINTER;
  info->cb = sizeof(*info);
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

}  // namespace hd73
