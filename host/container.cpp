#include "host/container.h"

namespace host {

ClientSite::ClientSite(HWND window, RECT position, sim::SimulatedNode& node)
    : window_(window), position_(position), nodeSite_(node) {}

HRESULT ClientSite::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
    *object = static_cast<IOleInPlaceSite*>(this);
  } else {
    return nodeSite_.QueryInterface(iid, object);
  }
  AddRef();
  return S_OK;
}

HRESULT ClientSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker != nullptr) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT ClientSite::GetContainer(IOleContainer** container) {
  if (container != nullptr) *container = nullptr;
  return E_NOINTERFACE;
}

HRESULT ClientSite::GetWindow(HWND* window) {
  if (window == nullptr) return E_POINTER;
  *window = window_;
  return S_OK;
}

HRESULT ClientSite::OnInPlaceActivate() {
  inPlace_ = true;
  return S_OK;
}

HRESULT ClientSite::OnInPlaceDeactivate() {
  inPlace_ = false;
  return S_OK;
}

HRESULT ClientSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                     LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  if (frame != nullptr) *frame = nullptr;
  if (document != nullptr) *document = nullptr;
  if (position != nullptr) *position = position_;
  if (clip != nullptr) *clip = position_;
  if (info != nullptr) {
    info->fMDIApp = FALSE;
    info->hwndFrame = window_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
  }
  return S_OK;
}

HRESULT EmbeddedControl::Create(const wchar_t* progId, ClientSite& site) {
  Release();
  CLSID clsid;
  HRESULT hr = CLSIDFromProgID(progId, &clsid);
  if (FAILED(hr)) return hr;
  hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                        reinterpret_cast<void**>(&object_));
  if (FAILED(hr)) return hr;
  site_ = &site;
  // The control asks to get its site first (OLEMISC_SETCLIENTSITEFIRST).
  hr = object_->SetClientSite(&site);
  IPersistStreamInit* persist = nullptr;
  if (SUCCEEDED(hr) && SUCCEEDED(object_->QueryInterface(IID_IPersistStreamInit,
                                                         reinterpret_cast<void**>(&persist)))) {
    persist->InitNew();
    persist->Release();
  }
  if (SUCCEEDED(hr))
    hr = object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, nullptr, nullptr);
  if (FAILED(hr)) Release();
  return hr;
}

HRESULT EmbeddedControl::InvokeProperties() {
  if (object_ == nullptr) return E_UNEXPECTED;
  return object_->DoVerb(OLEIVERB_PROPERTIES, nullptr, site_, 0, nullptr, nullptr);
}

HRESULT EmbeddedControl::Draw(HDC dc, const RECT& bounds) {
  if (object_ == nullptr) return E_UNEXPECTED;
  IViewObject* view = nullptr;
  HRESULT hr = object_->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(&view));
  if (FAILED(hr)) return hr;
  const RECTL r = {bounds.left, bounds.top, bounds.right, bounds.bottom};
  hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &r, nullptr, nullptr, 0);
  view->Release();
  return hr;
}

void EmbeddedControl::Release() {
  if (object_ == nullptr) return;
  object_->Close(OLECLOSE_NOSAVE);
  object_->SetClientSite(nullptr);
  object_->Release();
  object_ = nullptr;
  site_ = nullptr;
}

}  // namespace host
