// hd7_3host.exe: the demo container. It embeds the control by its program ID, gives it a
// simulated node through its client site and opens the plug-in sheet from its button or at
// start. With --screenshots it walks every tab of both page sets, saves each as a PNG and quits.
// With --file it edits a NodeSettings file offline (host/offline.cpp).
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "framework/win32/text.h"
#include "framework/win32/win32_platform.h"
#include "host/container.h"
#include "host/offline.h"
#include "host/sheet_remote.h"
#include "host/trace_setting.h"

namespace {

constexpr int kIdProperties = 100;
constexpr UINT kMsgOpenProperties = WM_APP + 10;
constexpr RECT kControlRect = {20, 20, 82, 82};
constexpr DWORD kSheetTimeoutMs = 60000;
constexpr wchar_t kProgId[] = L"HD7_3.HD7_3Ctrl.1";

struct Options {
  bool properties = false;
  bool reader = true;
  bool writer = true;
  bool steady = false;  // live values keep still (screenshots always are)
  std::string nodeName;
  std::string screenshots;  // folder; empty: none
  std::string file;         // a NodeSettings file edited offline; empty: none
  std::wstring trace;       // the file the control traces into; empty: no trace
};

struct HostState {
  Options options;
  host::EmbeddedControl* control = nullptr;
  sim::SimulatedNode* node = nullptr;
  std::unique_ptr<host::OfflineEditor> offline;
  bool screenshotsOk = true;
  bool busy = false;  // the sheet or a question about the file is up
};
HostState g_host;

// Command-line argument `index` as typed, from the wide-character command line: the narrow argv
// is the ANSI code page's, and a path in any language must arrive as it was typed.
std::wstring WideArgument(int index) {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  std::wstring arg = args != nullptr && index >= 0 && index < count ? args[index] : L"";
  LocalFree(args);
  return arg;
}

void Usage() {
  std::puts(
      "usage: hd7_3host [--properties] [--node-name NAME] [--no-node-access] "
      "[--no-node-access2] [--steady] [--screenshots FOLDER] [--file PATH]\n"
      "       [--trace FILE]\n"
      "  --properties        open the plug-in sheet at start\n"
      "  --node-name NAME    the simulated node's name\n"
      "  --no-node-access    the client site leaves out INodeAccess (writes)\n"
      "  --no-node-access2   the client site leaves out INodeAccess2 (reads, node name)\n"
      "  --steady            the simulated node's live values keep still\n"
      "  --screenshots DIR   save every tab of both page sets as PNG files in DIR, then quit\n"
      "  --file PATH         offline: the sheet on the settings of a NodeSettings file (a new\n"
      "                      one starts from factory settings); asks to save them on closing\n"
      "  --trace FILE        the control traces its node traffic into FILE for this run");
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--properties") {
      options.properties = true;
    } else if (arg == "--no-node-access") {
      options.writer = false;
    } else if (arg == "--no-node-access2") {
      options.reader = false;
    } else if (arg == "--steady") {
      options.steady = true;
    } else if (arg == "--node-name" && i + 1 < argc) {
      options.nodeName = argv[++i];
    } else if (arg == "--trace" && i + 1 < argc) {
      options.trace = WideArgument(++i);  // the path in any language
    } else if (arg == "--screenshots" && i + 1 < argc) {
      options.screenshots = argv[++i];
      options.properties = true;
    } else if (arg == "--file" && i + 1 < argc) {
      options.file = fw::win32::Narrow(WideArgument(++i));
      options.properties = true;
    } else {
      return false;
    }
  }
  return true;
}

std::string FileSafe(const std::string& caption) {
  std::string out;
  for (char c : caption) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (plain) {
      out += c;
    } else if (!out.empty() && out.back() != '-') {
      out += '-';
    }
  }
  while (!out.empty() && out.back() == '-') out.pop_back();
  return out;
}

// The screenshot walk, on its own thread while the sheet runs modally on the main one.
void TakeScreenshots(const host::UiDispatcher& ui, HWND hostWindow, const std::string& folder) {
  const std::wstring dir = fw::win32::Widen(folder);
  CreateDirectoryW(dir.c_str(), nullptr);
  // The host with the control's icon, then the sheet.
  const bool hostSaved =
      host::WritePng(dir + L"\\00-host.png", host::CaptureWindow(ui, hostWindow));
  std::printf("%s 00-host.png\n", hostSaved ? "saved" : "FAILED");
  g_host.screenshotsOk = hostSaved;
  PostMessageW(hostWindow, kMsgOpenProperties, 0, 0);
  host::SheetRemote sheet(ui);
  if (!sheet.Attach("HD7_3", kSheetTimeoutMs)) {
    std::fputs("screenshots: the sheet did not open\n", stderr);
    g_host.screenshotsOk = false;
    return;
  }
  const host::MessageBoxSeen box = sheet.WaitForMessageBox(300);
  if (box.window != nullptr) {
    std::printf("message box \"%s\": %s\n", box.caption.c_str(), box.text.c_str());
    sheet.AnswerMessageBox(box, IDOK);
  }
  int shot = 0;
  auto walk = [&](const char* set) {
    const std::vector<std::string> captions = sheet.TabCaptions();
    for (size_t i = 0; i < captions.size(); ++i) {
      sheet.SelectTab(static_cast<int>(i));
      char name[160];
      std::snprintf(name, sizeof(name), "%02d-%s-%s.png", ++shot, set,
                    FileSafe(captions[i]).c_str());
      const bool saved = host::WritePng(dir + L"\\" + fw::win32::Widen(name), sheet.Capture());
      std::printf("%s %s\n", saved ? "saved" : "FAILED", name);
      g_host.screenshotsOk = g_host.screenshotsOk && saved;
    }
  };
  walk("set1");
  sheet.SelectTab(0);
  if (sheet.Enabled(235)) {  // "BL2"
    sheet.Click(235);
    walk("set2");
    sheet.SelectTab(0);
    sheet.Click(234);  // back to "BL1"
  }
  sheet.ClickSheetButton(1);
  sheet.WaitClosed(kSheetTimeoutMs);
}

// The Properties verb; offline, the sheet's changes may then be saved into the file.
void OpenProperties(HWND hostWindow) {
  if (g_host.control == nullptr || g_host.busy) return;
  g_host.busy = true;
  g_host.control->InvokeProperties();
  if (g_host.offline && g_host.options.screenshots.empty()) {
    g_host.offline->SheetClosed(hostWindow, *g_host.node);
  }
  g_host.busy = false;
}

// Whether the host may end now: not under the sheet or a question about the file; offline,
// only once the engineer has been asked about settings that differ from the file.
bool MayClose(HWND hostWindow) {
  if (g_host.busy) return false;
  if (!g_host.offline) return true;
  g_host.busy = true;
  const bool may = g_host.offline->MayClose(hostWindow, *g_host.node);
  g_host.busy = false;
  return may;
}

LRESULT CALLBACK HostWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kIdProperties) OpenProperties(hwnd);
      return 0;
    case kMsgOpenProperties:
      OpenProperties(hwnd);
      if (!g_host.options.screenshots.empty()) PostQuitMessage(g_host.screenshotsOk ? 0 : 1);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      // A control that is not active in place in its own window is drawn by the container.
      if (g_host.control != nullptr && g_host.control->Object() != nullptr) {
        IOleInPlaceObject* inPlace = nullptr;
        HWND own = nullptr;
        if (SUCCEEDED(g_host.control->Object()->QueryInterface(
                IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
          inPlace->GetWindow(&own);
          inPlace->Release();
        }
        if (own == nullptr) g_host.control->Draw(dc, kControlRect);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_CLOSE:
      if (MayClose(hwnd)) DestroyWindow(hwnd);
      return 0;
    case WM_QUERYENDSESSION:
      return MayClose(hwnd) ? TRUE : FALSE;
    case WM_DESTROY:
      PostQuitMessage(g_host.offline ? g_host.offline->ExitCode() : 0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

// What the host printed (the screenshots saved, what a save changed) must have arrived: a
// standard output that took less is a failure (with the reason when the last flush tells it),
// whatever the run's exit code.
// Without a standard output (started from the desktop) there is nothing to check.
int CheckStandardOutput(int exitCode) {
  const HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return exitCode;
  const bool failedBefore = std::ferror(stdout) != 0;  // the reason is gone by now
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;
  if (flushed && !failedBefore) return exitCode;
  const int error = flushed ? 0 : errno;
  std::fprintf(stderr, "hd7_3host: write error: standard output%s%s\n", error != 0 ? ": " : "",
               error != 0 ? std::strerror(error) : "");
  return exitCode != 0 ? exitCode : 1;
}

int Run(int argc, char** argv) {
  if (!ParseOptions(argc, argv, g_host.options)) {
    Usage();
    return 2;
  }
  if (FAILED(OleInitialize(nullptr))) return 1;
  // The registry value the control reads when its sheet opens, as it was found after the run.
  std::optional<host::ScopedTraceSetting> trace;
  if (!g_host.options.trace.empty()) trace.emplace(g_host.options.trace);
  // The simulated node keeps its clock with the platform's.
  fw::win32::Win32Platform platform(GetModuleHandleW(nullptr));
  fw::ScopedPlatform installed(platform);
  sim::SimulatedNode node;
  g_host.node = &node;
  if (!g_host.options.file.empty()) {
    g_host.offline = std::make_unique<host::OfflineEditor>(g_host.options.file,
                                                           !g_host.options.screenshots.empty());
    if (!g_host.offline->Open(node)) {
      OleUninitialize();
      return 1;
    }
  }
  if (!g_host.options.nodeName.empty()) node.SetNodeName(g_host.options.nodeName);
  // A living node for a person; the same pictures on every run for the screenshots.
  node.SetLiveDrift(!g_host.options.steady && g_host.options.screenshots.empty());

  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &HostWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"HD7_3DemoHost";
  RegisterClassW(&wc);
  HWND window =
      CreateWindowExW(0, wc.lpszClassName, L"HD7_3 demo host (simulated node)", WS_OVERLAPPEDWINDOW,
                      40, 40, 460, 200, nullptr, nullptr, instance, nullptr);
  CreateWindowExW(0, L"BUTTON", L"Properties...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 110, 20,
                  120, 28, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdProperties)),
                  instance, nullptr);
  std::wstring state = L"Node access: ";
  state += g_host.options.reader ? L"INodeAccess2 " : L"";
  state += g_host.options.writer ? L"INodeAccess" : L"";
  if (!g_host.options.reader && !g_host.options.writer) state += L"none";
  CreateWindowExW(0, L"STATIC", state.c_str(), WS_CHILD | WS_VISIBLE, 110, 60, 320, 20, window,
                  nullptr, instance, nullptr);
  if (g_host.offline) g_host.offline->Show(window);

  host::ClientSite site(window, kControlRect, node);
  site.Offer(g_host.options.reader, g_host.options.writer);
  int exitCode = 0;
  {
    host::EmbeddedControl control;
    const HRESULT hr = control.Create(kProgId, site);
    if (FAILED(hr)) {
      std::fprintf(stderr,
                   "hd7_3host: cannot create %ls (0x%08lx): register HD7_3.ocx with regsvr32\n",
                   kProgId, static_cast<unsigned long>(hr));
      DestroyWindow(window);
      OleUninitialize();
      return 1;
    }
    g_host.control = &control;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);

    host::UiDispatcher ui;
    HANDLE walker = nullptr;
    if (!g_host.options.screenshots.empty())
      walker = host::StartThread([&] { TakeScreenshots(ui, window, g_host.options.screenshots); });
    if (g_host.options.properties && walker == nullptr) {
      PostMessageW(window, kMsgOpenProperties, 0, 0);
    }

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    exitCode = static_cast<int>(msg.wParam);
    if (walker != nullptr) {
      WaitForSingleObject(walker, INFINITE);
      CloseHandle(walker);
    }
    g_host.control = nullptr;
  }
  if (IsWindow(window)) DestroyWindow(window);
  OleUninitialize();
  return exitCode;
}

}  // namespace

int main(int argc, char** argv) {
  return CheckStandardOutput(Run(argc, argv));
}
