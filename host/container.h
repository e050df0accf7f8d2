// A small ActiveX container: a client site that is also an in-place site, and that offers the
// node's two access interfaces from a simulated node, as a network tool offers them from the
// real one. Shared by the demo host and the tests that run under Wine.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oleidl.h>
#include <ocidl.h>
#include <olectl.h>

#include "sim/simulated_node.h"

namespace host {

class ClientSite : public IOleClientSite, public IOleInPlaceSite {
 public:
  // window: the container's window, in which the control is placed at `position`.
  ClientSite(HWND window, RECT position, sim::SimulatedNode& node);
  virtual ~ClientSite() = default;

  // Which of the node's interfaces the site offers (to see "Node not available!").
  void Offer(bool reader, bool writer) { nodeSite_.Offer(reader, writer); }
  long RefCount() const { return refs_; }

  // IUnknown: INodeAccess2 and INodeAccess are the simulated node's own.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs_); }

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow, IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame,
                                             IOleInPlaceUIWindow** document, LPRECT position,
                                             LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

  bool InPlaceActive() const { return inPlace_; }

 private:
  HWND window_;
  RECT position_;
  sim::SimClientSite nodeSite_;  // answers for the node's interfaces
  bool inPlace_ = false;
  long refs_ = 0;
};

// One embedded control: made by its program ID, given the site and activated in place.
class EmbeddedControl {
 public:
  EmbeddedControl() = default;
  ~EmbeddedControl() { Release(); }
  EmbeddedControl(const EmbeddedControl&) = delete;
  EmbeddedControl& operator=(const EmbeddedControl&) = delete;

  HRESULT Create(const wchar_t* progId, ClientSite& site);
  // The Properties verb: returns when the control's sheet has closed.
  HRESULT InvokeProperties();
  // Draws the control through IViewObject (as a container does for printing and previews).
  HRESULT Draw(HDC dc, const RECT& bounds);
  // Closes the control, takes the site back and lets it go.
  void Release();
  IOleObject* Object() const { return object_; }

 private:
  IOleObject* object_ = nullptr;
  ClientSite* site_ = nullptr;
};

}  // namespace host
