// The control in the demo container: the object as a container meets it (in-place window,
// drawing, persistence, the About box, aggregation), then its sheet as the Properties verb
// opens it, worked by window messages from a second thread.
#include <windows.h>
#include <olectl.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "control/com/guids.h"
#include "tests/support/page_sets.h"
#include "tests/win/harness.h"

namespace wintest {
namespace {

using Microsoft::WRL::ComPtr;
namespace ts = testing_support;

// Draws the control into a white 40 x 40 bitmap; on the radiator's columns, on the thermometer
// and outside the bounds: navy, red and white as "000080 FF0000 FFFFFF".
std::string DrawnAt(Session& session, RECT bounds) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(40, 40, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all = {0, 0, 40, 40};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  std::string seen = session.control.Draw(dc, bounds) == S_OK ? "" : "failed:";
  for (const POINT p : {POINT{3, 12}, POINT{25, 15}, POINT{35, 35}}) {
    const COLORREF c = GetPixel(dc, p.x, p.y);
    seen += " " + Hex({GetRValue(c), GetGValue(c), GetBValue(c)}, "");
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return seen;
}

void CheckObject(Checks& checks, Session& session) {
  IOleObject* object = session.control.Object();
  DWORD misc = 0;
  object->GetMiscStatus(DVASPECT_CONTENT, &misc);
  checks.That(misc == 0x20191, "MiscStatus 0x20191");
  ComPtr<IOleInPlaceObject> inPlace;
  HWND own = nullptr;
  checks.That(SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&inPlace))) &&
                  inPlace->GetWindow(&own) == S_OK && GetParent(own) == session.window &&
                  session.site->InPlaceActive(),
              "active in place in its own window inside the container's");
  // (Reversed bounds are normalised first.)
  checks.Equal(DrawnAt(session, RECT{30, 30, 0, 0}), " 000080 FF0000 FFFFFF",
               "Draw copies the bitmap's top-left 30 x 30 pixels onto the bounds");

  // Persistence: saved with the version 0x10000 first; another major version is refused.
  ComPtr<IPersistStreamInit> persist;
  ComPtr<IStream> stream;
  CreateStreamOnHGlobal(nullptr, TRUE, &stream);
  DWORD version = 0;
  auto rewind = [&] { return stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr) == S_OK; };
  if (checks.That(SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&persist))) &&
                      persist->Save(stream.Get(), TRUE) == S_OK,
                  "Save")) {
    checks.That(rewind() && stream->Read(&version, 4, nullptr) == S_OK && version == 0x10000,
                "the stream starts with the version 0x10000");
    checks.That(rewind() && persist->Load(stream.Get()) == S_OK, "what was saved loads");
    version = 0x20000;
    checks.That(rewind() && stream->Write(&version, 4, nullptr) == S_OK && rewind() &&
                    FAILED(persist->Load(stream.Get())),
                "another major version is refused");
  }

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
                                   nullptr) == S_OK,
              "Invoke(AboutBox, -552) returns S_OK once the box is closed");
  checks.That(WaitHandlingMessages(thread, kWaitMs), "the About box driver finishes");
  CloseHandle(thread);
  checks.Equal(about.caption, "About HD7_3 Control", "the About box caption");
  checks.That(about.text.rfind("HD7_3 Control, Version 1.0", 0) == 0, "the About box text",
              about.text);
  ComPtr<IUnknown> aggregated;
  checks.That(CoCreateInstance(hd73::kClsidControl, object, CLSCTX_INPROC_SERVER,
                               IID_PPV_ARGS(&aggregated)) == CLASS_E_NOAGGREGATION,
              "aggregation is refused");
}

}  // namespace

int SheetTabsAndRelease(Checks& checks) {
  Session session;
  sim::SimulatedNode& node = session.node;
  node.SetNodeName("Boiler room 2");
  node.SetSelectedPart(1);
  const LONG nodeRefsBefore = node.RefCount();
  if (!checks.That(SUCCEEDED(session.CreateControl()), "the control is created by its ProgID")) {
    return checks.Finish();
  }
  checks.That(ModuleCanUnloadNow() == S_FALSE, "DllCanUnloadNow says S_FALSE while it lives");
  CheckObject(checks, session);

  session.WithSheet(checks, [&](host::SheetRemote& sheet) {
    checks.That(sheet.WaitForMessageBox(500).window == nullptr, "no message box");
    checks.That(!IsWindowEnabled(session.window), "the container's window is disabled");
    checks.Equal(sheet.SheetButtonText(kIdExit), "Exit", "button 1");
    checks.That(!sheet.SheetButtonVisible(2) && !sheet.SheetButtonVisible(12321),
                "Cancel and Apply are hidden");
    checks.Equal(sheet.TabCaptions(), ts::TabsWith(ts::kSet1Tabs), "the fixed pages and set 1");
    checks.That(sheet.ActiveTab() == 0, "the first tab is in view");
    checks.Equal(sheet.Text(202), "Boiler room 2", "the node name on the first tab");
    std::string seen;  // the part selector, and the references the sheet holds
    session.OnUi([&] {
      seen = std::to_string(node.SelectedPart()) + ", " +
             std::to_string(node.RefCount() - nodeRefsBefore);
    });
    checks.Equal(seen, "0, 2", "the selector set to 0 (it was 1), one reference per interface");

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
