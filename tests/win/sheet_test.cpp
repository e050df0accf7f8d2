// The control in the demo container: the object as a container meets it (in-place window,
// persistence, the About box, aggregation), then its sheet as the Properties verb opens it,
// worked by window messages from a second thread.
#include <windows.h>
#include <olectl.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "control/com/guids.h"
#include "tests/win/harness.h"

namespace wintest {
namespace {

using Microsoft::WRL::ComPtr;

void CheckObject(Checks& checks, Session& session) {
  IOleObject* object = session.control.Object();
  DWORD misc = 0;
  ComPtr<IOleInPlaceObject> inPlace;
  HWND own = nullptr;
  checks.That(object->GetMiscStatus(DVASPECT_CONTENT, &misc) == S_OK && misc == 0x20191 &&
                  SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&inPlace))) &&
                  inPlace->GetWindow(&own) == S_OK && GetParent(own) == session.window &&
                  session.site->InPlaceActive(),
              "MiscStatus 0x20191; active in place in its own window inside the container's");

  // Persistence: saved with the version 0x10000 first; another major version is refused.
  ComPtr<IPersistStreamInit> persist;
  ComPtr<IStream> stream;
  CreateStreamOnHGlobal(nullptr, TRUE, &stream);
  DWORD version = 0;
  auto rewind = [&] { return stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr) == S_OK; };
  const bool saved = SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&persist))) &&
                     persist->Save(stream.Get(), TRUE) == S_OK && rewind() &&
                     stream->Read(&version, 4, nullptr) == S_OK;
  const DWORD other = 0x20000;
  checks.That(saved && version == 0x10000 && rewind() && persist->Load(stream.Get()) == S_OK &&
                  rewind() && stream->Write(&other, 4, nullptr) == S_OK && rewind() &&
                  FAILED(persist->Load(stream.Get())),
              "saved with the version 0x10000 first and loaded again; another major refused");

  // The About box is modal: a second thread reads and closes it.
  ComPtr<IDispatch> dispatch;
  host::MessageBoxSeen about;
  const host::UiDispatcher& ui = *session.ui;
  HANDLE thread = host::StartThread([&] {
    host::SheetRemote finder(ui);
    about = finder.WaitForMessageBox(kWaitMs);
    finder.AnswerMessageBox(about, IDOK);
  });
  DISPPARAMS none = {};
  checks.That(SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&dispatch))) &&
                  dispatch->Invoke(-552, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr,
                                   nullptr) == S_OK &&
                  WaitHandlingMessages(thread, kWaitMs),
              "Invoke(AboutBox, -552) returns S_OK once the box is closed");
  CloseHandle(thread);
  checks.That(about.caption == "About HD7_3 Control" &&
                  about.text.rfind("HD7_3 Control, Version 1.0", 0) == 0,
              "the About box", about.caption + ": " + about.text);
  ComPtr<IUnknown> aggregated;
  checks.That(CoCreateInstance(hd73::kClsidControl, object, CLSCTX_INPROC_SERVER,
                               IID_PPV_ARGS(&aggregated)) == CLASS_E_NOAGGREGATION,
              "aggregation is refused");
}

}  // namespace

int SheetTabsAndRelease(Checks& checks) {
  Session session;
  sim::SimulatedNode& node = session.node;
  const LONG nodeRefsBefore = node.RefCount();
  if (!checks.That(SUCCEEDED(session.CreateControl()), "the control is created by its ProgID")) {
    return checks.Finish();
  }
  checks.That(ModuleCanUnloadNow() == S_FALSE, "DllCanUnloadNow says S_FALSE while it lives");
  CheckObject(checks, session);

  // What the sheet shows as it opens is checked headless; here the real property sheet: modal,
  // its own buttons, every page made as it comes into view.
  session.WithSheet(checks, [&](host::SheetRemote& sheet) {
    checks.That(!IsWindowEnabled(session.window), "the container's window is disabled");
    checks.Equal(sheet.SheetButtonText(kIdExit), "Exit", "button 1");
    checks.That(!sheet.SheetButtonVisible(2) && !sheet.SheetButtonVisible(12321),
                "Cancel and Apply are hidden");
    checks.Equal(TabsNotInView(checks, sheet), "", "the tabs that did not come into view");
  });
  checks.That(IsWindowEnabled(session.window) != FALSE, "the container's window is enabled");
  checks.That(node.RefCount() == nodeRefsBefore, "the sheet released both interfaces",
              std::to_string(node.RefCount()));
  TracedSheets(checks, session);

  session.control.Release();
  checks.That(!session.site->InPlaceActive(), "closing deactivates it in place");
  checks.That(session.site->RefCount() == 0, "the control let its client site go",
              std::to_string(session.site->RefCount()));
  checks.That(ModuleCanUnloadNow() == S_OK, "DllCanUnloadNow says S_OK once it is released");
  return checks.Finish();
}

}  // namespace wintest
