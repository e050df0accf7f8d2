// The control object as a container meets it: in-place window, drawing, persistence, the
// dispatch interface with its About box, class information, connection points, aggregation.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <map>
#include <string>

#include "control/com/guids.h"
#include "tests/win/harness.h"

namespace wintest {
namespace {

template <class T>
T* Query(IUnknown* from, REFIID iid) {
  void* out = nullptr;
  return SUCCEEDED(from->QueryInterface(iid, &out)) ? static_cast<T*>(out) : nullptr;
}

// Draws the control into a white 40 x 40 bitmap; three pixels: on the radiator's columns, on
// the thermometer, outside the bounds, as "navy red white".
std::string DrawnAt(Session& session, RECT bounds) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 40);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all = {0, 0, 40, 40};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  std::string seen = session.Control().Draw(dc, bounds) == S_OK ? "" : "failed ";
  for (const POINT p : {POINT{3, 12}, POINT{25, 15}, POINT{35, 35}}) {
    const COLORREF c = GetPixel(dc, p.x, p.y);
    seen += c == RGB(0, 0, 128)       ? "navy "
            : c == RGB(255, 0, 0)     ? "red "
            : c == RGB(255, 255, 255) ? "white "
                                      : "other ";
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return seen;
}

IStream* StreamOf(const std::vector<DWORD>& words) {
  IStream* stream = nullptr;
  CreateStreamOnHGlobal(nullptr, TRUE, &stream);
  if (!words.empty()) stream->Write(words.data(), static_cast<ULONG>(words.size() * 4), nullptr);
  const LARGE_INTEGER zero = {};
  stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  return stream;
}

// An event sink that counts its references, and a container's property bag of numbers.
struct NullSink : IDispatch {
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    const bool mine = iid == IID_IUnknown || iid == IID_IDispatch || iid == hd73::kDiidEvents;
    *out = mine ? this : nullptr;
    if (mine) AddRef();
    return mine ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }
  long refs = 0;
};

struct MemoryBag : IPropertyBag {
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = (iid == IID_IUnknown || iid == IID_IPropertyBag) ? this : nullptr;
    return *out != nullptr ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
    auto it = values.find(name);
    if (it == values.end()) return E_INVALIDARG;
    VariantClear(value);
    V_VT(value) = VT_I4;
    V_I4(value) = it->second;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override {
    if (V_VT(value) != VT_I4) return E_INVALIDARG;
    values[name] = V_I4(value);
    return S_OK;
  }
  std::map<std::wstring, LONG> values;
};

void CheckPersistence(Checks& checks, IUnknown* control) {
  IPersistStreamInit* persist = Query<IPersistStreamInit>(control, IID_IPersistStreamInit);
  if (!checks.That(persist != nullptr, "IPersistStreamInit")) return;
  IStream* saved = StreamOf({});
  checks.That(persist->Save(saved, TRUE) == S_OK, "Save");
  const LARGE_INTEGER zero = {};
  saved->Seek(zero, STREAM_SEEK_SET, nullptr);
  DWORD version = 0;
  saved->Read(&version, 4, nullptr);
  checks.That(version == 0x10000, "the stream starts with the version 0x10000");
  saved->Seek(zero, STREAM_SEEK_SET, nullptr);
  checks.That(persist->Load(saved) == S_OK, "what was saved loads");
  saved->Release();
  for (const auto& words : {std::vector<DWORD>{0x20000, 820, 820}, std::vector<DWORD>{}}) {
    IStream* refused = StreamOf(words);
    checks.That(FAILED(persist->Load(refused)), "another major version, or nothing, is refused");
    refused->Release();
  }
  persist->Release();
  IPersistPropertyBag* bag = Query<IPersistPropertyBag>(control, IID_IPersistPropertyBag);
  if (!checks.That(bag != nullptr, "IPersistPropertyBag")) return;
  MemoryBag saving, emptyBag, foreign;
  checks.That(bag->Save(&saving, TRUE, TRUE) == S_OK && saving.values[L"_Version"] == 0x10000,
              "the property bag gets _Version 0x10000");
  checks.That(bag->Load(&saving, nullptr) == S_OK, "and loads from it");
  checks.That(bag->Load(&emptyBag, nullptr) == S_OK, "an empty bag loads (defaults)");
  foreign.values[L"_Version"] = 0x20000;
  checks.That(FAILED(bag->Load(&foreign, nullptr)), "another major version in a bag is refused");
  bag->Release();
}

void CheckDispatch(Checks& checks, Session& session, IUnknown* control) {
  IDispatch* dispatch = Query<IDispatch>(control, IID_IDispatch);
  if (!checks.That(dispatch != nullptr, "IDispatch")) return;
  LPOLESTR name = const_cast<LPOLESTR>(L"AboutBox");
  DISPID id = 0;
  checks.That(dispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id) == S_OK && id == -552,
              "AboutBox is dispatch id -552");
  DISPPARAMS none = {};
  checks.That(dispatch->Invoke(7, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr) ==
                  DISP_E_MEMBERNOTFOUND,
              "any other id is not found");
  // The About box is modal: a second thread reads and closes it.
  host::MessageBoxSeen about;
  const host::UiDispatcher& ui = session.Ui();
  HANDLE thread = host::StartThread([&] {
    host::SheetRemote finder(ui);
    about = finder.WaitForMessageBox(kWaitMs);
    finder.AnswerMessageBox(about, IDOK);
  });
  const HRESULT hr =
      dispatch->Invoke(-552, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr);
  checks.That(WaitHandlingMessages(thread, kWaitMs), "the About box driver finishes");
  CloseHandle(thread);
  checks.That(hr == S_OK, "Invoke(AboutBox) returns S_OK once the box is closed");
  checks.Equal(about.caption, "About HD7_3 Control", "the About box caption");
  checks.That(about.text.rfind("HD7_3 Control, Version 1.0", 0) == 0, "the About box text",
              about.text);
  dispatch->Release();
}

void CheckClassInfoAndEvents(Checks& checks, IUnknown* control) {
  IProvideClassInfo2* info = Query<IProvideClassInfo2>(control, IID_IProvideClassInfo2);
  if (checks.That(info != nullptr, "IProvideClassInfo2")) {
    GUID events = GUID_NULL;
    ITypeInfo* coclass = nullptr;
    checks.That(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events) == S_OK &&
                    events == hd73::kDiidEvents,
                "the default source interface is _DHD7_3Events");
    checks.That(info->GetClassInfo(&coclass) == S_OK && coclass != nullptr, "GetClassInfo");
    if (coclass != nullptr) coclass->Release();
    info->Release();
  }
  auto* container = Query<IConnectionPointContainer>(control, IID_IConnectionPointContainer);
  if (checks.That(container != nullptr, "IConnectionPointContainer")) {
    IConnectionPoint* point = nullptr;
    NullSink sink;
    DWORD cookie = 0;
    checks.That(container->FindConnectionPoint(hd73::kDiidEvents, &point) == S_OK &&
                    point->Advise(&sink, &cookie) == S_OK && sink.refs == 1 &&
                    point->Unadvise(cookie) == S_OK && sink.refs == 0,
                "a sink of the event interface is taken and let go");
    if (point != nullptr) point->Release();
    container->Release();
  }
}

}  // namespace

int ControlObject(Checks& checks) {
  Session session;
  if (!checks.That(SUCCEEDED(session.CreateControl()), "the control is created")) {
    return checks.Finish();
  }
  IOleObject* object = session.Control().Object();
  DWORD misc = 0;
  object->GetMiscStatus(DVASPECT_CONTENT, &misc);
  checks.That(misc == 0x20191, "MiscStatus 0x20191");
  IOleInPlaceObject* inPlace = Query<IOleInPlaceObject>(object, IID_IOleInPlaceObject);
  HWND own = nullptr;
  checks.That(inPlace != nullptr && inPlace->GetWindow(&own) == S_OK &&
                  GetParent(own) == session.Window() && session.Site().InPlaceActive(),
              "active in place in its own window inside the container's");
  if (inPlace != nullptr) inPlace->Release();
  checks.Equal(DrawnAt(session, RECT{0, 0, 30, 30}), "navy red white ",
               "Draw copies the bitmap's top-left 30 x 30 pixels onto the bounds");
  checks.Equal(DrawnAt(session, RECT{30, 30, 0, 0}), "navy red white ",
               "reversed bounds are normalised first");
  CheckPersistence(checks, object);
  CheckDispatch(checks, session, object);
  CheckClassInfoAndEvents(checks, object);

  IUnknown* aggregated = nullptr;
  checks.That(CoCreateInstance(hd73::kClsidControl, object, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&aggregated)) == CLASS_E_NOAGGREGATION,
              "aggregation is refused");
  session.Control().Release();
  checks.That(!session.Site().InPlaceActive(), "closing deactivates it in place");
  checks.That(ModuleCanUnloadNow() == S_OK, "DllCanUnloadNow says S_OK once it is released");
  return checks.Finish();
}

}  // namespace wintest
