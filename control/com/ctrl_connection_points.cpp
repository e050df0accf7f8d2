// The connection points: the event interface (no events) and IPropertyNotifySink. They are
// members of the control and hand their reference counts to it, so a container holding a point
// keeps the control alive; the sinks they hold are released when the control goes.
#include "control/com/hd7_3_ctrl.h"

#include "control/com/guids.h"

namespace hd73 {

// ---------------------------------------------------------------- connection points

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

}  // namespace hd73
