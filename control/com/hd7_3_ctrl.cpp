// The control object's life: construction with its default size and its two connection points,
// the one QueryInterface that hands out each of its interfaces, and reference counting. Each
// group of interfaces lives in a file of its own: ctrl_embedding.cpp (IOleObject, in-place
// window, drawing, IOleControl), ctrl_persistence.cpp, ctrl_dispatch.cpp (IDispatch, About box,
// class info), ctrl_connection_points.cpp and ctrl_properties_verb.cpp.
#include "control/com/hd7_3_ctrl.h"

#include <new>

#include "control/com/guids.h"
#include "control/com/module.h"
#include "control/sheet.h"

namespace hd73 {
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

}  // namespace hd73
