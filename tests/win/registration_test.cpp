// regsvr32 on the control: every key and value a container and the network tool look for, the
// type library as the module carries it, and nothing left behind by regsvr32 /u. It leaves the
// control registered for the other scenarios.
#include <windows.h>
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

bool KeyExists(const std::wstring& path) {
  HKEY key = nullptr;
  const bool there = RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) == 0;
  if (there) RegCloseKey(key);
  return there;
}

// The string value (lower case for a path), or "<missing>".
std::string Value(const std::wstring& path, const wchar_t* name = nullptr, bool lower = false) {
  wchar_t buffer[2048] = {};
  DWORD bytes = sizeof(buffer);
  if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &bytes)) {
    return "<missing>";
  }
  return Narrow(lower ? CharLowerW(buffer) : buffer);
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

void CheckKeys(Checks& checks) {
  const std::wstring clsid = GuidText(hd73::kClsidControl);
  const std::wstring cls = L"CLSID\\" + clsid;
  const std::string module = Narrow(CharLowerW(ControlPath().data()));
  checks.Equal(Value(hd73::kProgId), "HD7_3 Control", "HKCR\\HD7_3.HD7_3Ctrl.1");
  checks.Equal(Value(std::wstring(hd73::kProgId) + L"\\CLSID"), Narrow(clsid),
               "HKCR\\HD7_3.HD7_3Ctrl.1\\CLSID");
  checks.Equal(Value(cls), "HD7_3 Control", "the class key's type name");
  checks.Equal(Value(cls + L"\\ProgID"), "HD7_3.HD7_3Ctrl.1", "ProgID");
  checks.Equal(Value(cls + L"\\InprocServer32", nullptr, true), module, "InprocServer32");
  checks.Equal(Value(cls + L"\\InprocServer32", L"ThreadingModel"), "Apartment", "ThreadingModel");
  checks.That(KeyExists(cls + L"\\Control"), "the Control key is there");
  checks.Equal(Value(cls + L"\\ToolboxBitmap32", nullptr, true), module + ", 1", "ToolboxBitmap32");
  checks.Equal(Value(cls + L"\\MiscStatus"), "0", "MiscStatus");
  checks.Equal(Value(cls + L"\\MiscStatus\\1"), "131473", "MiscStatus\\1");
  checks.Equal(Value(cls + L"\\TypeLib"), Narrow(GuidText(hd73::kLibid)), "TypeLib");
  checks.Equal(Value(cls + L"\\Version"), "1.0", "Version");
  checks.Equal(Value(cls + L"\\Node\\ProgramID"), "90 48 44 37 5F 33 42 2A", "Node\\ProgramID");
  checks.Equal(Value(cls + L"\\Node\\TestID"), "%1", "Node\\TestID");
  const std::wstring lib = L"TypeLib\\" + GuidText(hd73::kLibid) + L"\\1.0";
  checks.Equal(Value(lib), "HD7_3 ActiveX Control module", "the registered type library");
  // The module of this build's platform; Wine registers it in its long-path form (\\?\...).
  std::string registered =
      Value(lib + (sizeof(void*) == 8 ? L"\\0\\win64" : L"\\0\\win32"), nullptr, true);
  if (registered.rfind("\\\\?\\", 0) == 0) registered.erase(0, 4);
  checks.Equal(registered, module, "the type library's module");
}

std::string Take(BSTR text) {
  const std::string out = text != nullptr ? Narrow(text) : "";
  SysFreeString(text);
  return out;
}

// The module's type library as "name guid version \"help string\" help file:", then each type
// as "name kind functions/variables/implemented" with "name(dispatch id, arguments)" of its first.
std::string Describe(const std::wstring& module) {
  ComPtr<ITypeLib> lib;
  if (FAILED(LoadTypeLibEx(module.c_str(), REGKIND_NONE, &lib))) return "<not loaded>";
  BSTR name = nullptr, doc = nullptr, helpFile = nullptr;
  TLIBATTR* attr = nullptr;
  lib->GetDocumentation(-1, &name, &doc, nullptr, &helpFile);
  const std::string help = Take(helpFile);
  std::string out = Take(name);
  if (SUCCEEDED(lib->GetLibAttr(&attr))) {
    out += " " + Narrow(GuidText(attr->guid)) + " " + std::to_string(attr->wMajorVerNum) + "." +
           std::to_string(attr->wMinorVerNum);
    lib->ReleaseTLibAttr(attr);
  }
  out += " \"" + Take(doc) + "\" " + help.substr(help.find_last_of('\\') + 1) + ":";
  for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
    ComPtr<ITypeInfo> info;
    TYPEATTR* ta = nullptr;
    FUNCDESC* fd = nullptr;
    if (FAILED(lib->GetTypeInfo(i, &info))) continue;
    info->GetTypeAttr(&ta);
    info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
    const TYPEKIND kind = ta->typekind;
    out += " " + Take(name) +
           (kind == TKIND_DISPATCH  ? " dispatch "
            : kind == TKIND_COCLASS ? " coclass "
                                    : " other ") +
           std::to_string(ta->cFuncs) + "/" + std::to_string(ta->cVars) + "/" +
           std::to_string(ta->cImplTypes);
    if (ta->cFuncs > 0 && SUCCEEDED(info->GetFuncDesc(0, &fd))) {
      info->GetDocumentation(fd->memid, &name, nullptr, nullptr, nullptr);
      out += " " + Take(name) + "(" + std::to_string(fd->memid) + ", " +
             std::to_string(fd->cParams) + ")";
      info->ReleaseFuncDesc(fd);
    }
    info->ReleaseTypeAttr(ta);
  }
  return out;
}

bool TypeLibraryRegistered() {
  ComPtr<ITypeLib> registered;
  return SUCCEEDED(LoadRegTypeLib(hd73::kLibid, 1, 0, LOCALE_NEUTRAL, &registered));
}

}  // namespace

int Registration(Checks& checks) {
  checks.That(RunRegsvr32(false) == 0, "regsvr32 HD7_3.ocx succeeds");
  CheckKeys(checks);
  CoInitialize(nullptr);
  checks.Equal(Describe(ControlPath()),
               "HD7_3Lib {DD43B166-32C0-435C-8119-207F2C2C07DD} 1.0 \"HD7_3 ActiveX Control "
               "module\" HD7_3.hlp: _DHD7_3 dispatch 1/0/1 AboutBox(-552, 0) _DHD7_3Events "
               "dispatch 0/0/1 HD7_3 coclass 0/0/2",
               "the library loaded from the module: the dispatch interface with AboutBox alone, "
               "the empty event interface, and the coclass implementing both");
  checks.That(TypeLibraryRegistered(), "the type library loads through the registry");

  checks.That(RunRegsvr32(true) == 0, "regsvr32 /u HD7_3.ocx succeeds");
  const std::wstring cls = L"CLSID\\" + GuidText(hd73::kClsidControl);
  checks.That(!KeyExists(hd73::kProgId), "no HKCR\\HD7_3.HD7_3Ctrl.1 after /u");
  checks.That(!KeyExists(cls), "no class key (nor its Node key) after /u");
  checks.That(!KeyExists(L"TypeLib\\" + GuidText(hd73::kLibid)), "no TypeLib key after /u");
  checks.That(!TypeLibraryRegistered(), "the type library is no longer found through the registry");
  CoUninitialize();

  // The other tests need the control registered again.
  checks.That(RunRegsvr32(false) == 0, "regsvr32 HD7_3.ocx registers it again");
  checks.That(KeyExists(cls + L"\\Node"), "the Node key is back");
  return checks.Finish();
}

}  // namespace wintest
