// regsvr32 on the control: every key and value a container and the network tool look for, the
// type library as the module carries it, and nothing left behind by regsvr32 /u. It leaves the
// control registered for the other scenarios.
#include <windows.h>
#include <olectl.h>
#include <oleauto.h>
#include <process.h>
#include <wrl/client.h>

#include <string>

#include "control/com/guids.h"
#include "tests/win/harness.h"

namespace wintest {
namespace {

using Microsoft::WRL::ComPtr;

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

// The string value under HKCR (lower case for a path), "<no value>" or "<no key>".
std::string Value(const std::wstring& path, const wchar_t* name = nullptr, bool lower = false) {
  wchar_t buffer[2048] = {};
  DWORD bytes = sizeof(buffer);
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != 0) return "<no key>";
  const LSTATUS status = RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, buffer, &bytes);
  RegCloseKey(key);
  return status != 0 ? "<no value>" : Narrow(lower ? CharLowerW(buffer) : buffer);
}

// regsvr32 /s (and /u) on the control; its exit code.
int RunRegsvr32(bool unregister) {
  wchar_t system[MAX_PATH] = {};
  const std::wstring program =
      std::wstring(system, GetSystemDirectoryW(system, MAX_PATH)) + L"\\regsvr32.exe";
  const std::wstring module = L"\"" + ControlPath() + L"\"";
  const wchar_t* args[] = {L"regsvr32.exe", L"/s", unregister ? L"/u" : module.c_str(),
                           unregister ? module.c_str() : nullptr, nullptr};
  return static_cast<int>(_wspawnv(_P_WAIT, program.c_str(), args));
}

// Every value a container and the network tool look for; paths in lower case, the type
// library's as Wine registers it too, in its long-path form (\\?\...).
void CheckKeys(Checks& checks) {
  const std::wstring cls = L"CLSID\\" + GuidText(hd73::kClsidControl);
  const std::wstring lib = L"TypeLib\\" + GuidText(hd73::kLibid) + L"\\1.0";
  const std::string module = Narrow(CharLowerW(ControlPath().data()));
  const struct {
    std::wstring key;
    const wchar_t* name;
    std::string expected;
  } values[] = {
      {hd73::kProgId, nullptr, "HD7_3 Control"},
      {std::wstring(hd73::kProgId) + L"\\CLSID", nullptr, Narrow(GuidText(hd73::kClsidControl))},
      {cls, nullptr, "HD7_3 Control"},
      {cls + L"\\ProgID", nullptr, "HD7_3.HD7_3Ctrl.1"},
      {cls + L"\\Control", nullptr, ""},
      {cls + L"\\InprocServer32", nullptr, module},
      {cls + L"\\InprocServer32", L"ThreadingModel", "Apartment"},
      {cls + L"\\ToolboxBitmap32", nullptr, module + ", 1"},
      {cls + L"\\MiscStatus", nullptr, "0"},
      {cls + L"\\MiscStatus\\1", nullptr, "131473"},
      {cls + L"\\TypeLib", nullptr, Narrow(GuidText(hd73::kLibid))},
      {cls + L"\\Version", nullptr, "1.0"},
      {cls + L"\\Node\\ProgramID", nullptr, "90 48 44 37 5F 33 42 2A"},
      {cls + L"\\Node\\TestID", nullptr, "%1"},
      {lib, nullptr, "HD7_3 ActiveX Control module"},
      {lib + (sizeof(void*) == 8 ? L"\\0\\win64" : L"\\0\\win32"), nullptr, module},
  };
  for (const auto& v : values) {
    std::string seen = Value(v.key, v.name, v.expected.rfind(module, 0) == 0);
    if (v.key.rfind(L"TypeLib", 0) == 0 && seen.rfind("\\\\?\\", 0) == 0) seen.erase(0, 4);
    checks.Equal(seen, v.expected, "HKCR\\" + Narrow(v.key) + (v.name ? " " + Narrow(v.name) : ""));
  }
}

// The type library the module carries: the class, the event interface and the dispatch
// interface, each found by its identity, the last with AboutBox as the stock dispatch id.
bool TypeLibraryInModule() {
  ComPtr<ITypeLib> lib;
  ComPtr<ITypeInfo> info;
  MEMBERID id = 0;
  wchar_t about[] = L"AboutBox";
  LPOLESTR names[] = {about};
  return SUCCEEDED(LoadTypeLibEx(ControlPath().c_str(), REGKIND_NONE, &lib)) &&
         SUCCEEDED(lib->GetTypeInfoOfGuid(hd73::kClsidControl, &info)) &&
         SUCCEEDED(lib->GetTypeInfoOfGuid(hd73::kDiidEvents, &info)) &&
         SUCCEEDED(lib->GetTypeInfoOfGuid(hd73::kDiidDispatch, &info)) &&
         SUCCEEDED(info->GetIDsOfNames(names, 1, &id)) && id == DISPID_ABOUTBOX;
}

}  // namespace

int Registration(Checks& checks) {
  checks.That(RunRegsvr32(false) == 0, "regsvr32 HD7_3.ocx succeeds");
  CheckKeys(checks);
  CoInitialize(nullptr);
  checks.That(TypeLibraryInModule(),
              "the module's type library: the class, its events, AboutBox (-552) to dispatch");
  CoUninitialize();

  checks.That(RunRegsvr32(true) == 0, "regsvr32 /u HD7_3.ocx succeeds");
  const std::wstring cls = L"CLSID\\" + GuidText(hd73::kClsidControl);
  checks.Equal(Value(hd73::kProgId) + Value(cls) + Value(L"TypeLib\\" + GuidText(hd73::kLibid)),
               "<no key><no key><no key>", "the ProgID, class and TypeLib keys after /u");

  // The other tests need the control registered again.
  checks.That(RunRegsvr32(false) == 0, "regsvr32 HD7_3.ocx registers it again");
  checks.Equal(Value(cls + L"\\Node"), "<no value>", "the Node key is back");
  return checks.Finish();
}

}  // namespace wintest
