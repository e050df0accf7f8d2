// regsvr32 on the control: every key and value a container and the network tool look for, the
// type library as the module carries it, and nothing left behind by regsvr32 /u. It leaves the
// control registered for the other scenarios.
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <cctype>
#include <string>
#include <vector>

#include "control/com/guids.h"
#include "tests/win/harness.h"

namespace wintest {
namespace {

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

bool KeyExists(const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

// The string value, or "<missing>".
std::string Value(const std::wstring& path, const wchar_t* name = nullptr) {
  wchar_t buffer[2048] = {};
  DWORD bytes = sizeof(buffer);
  if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &bytes) !=
      ERROR_SUCCESS) {
    return "<missing>";
  }
  return Narrow(buffer);
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

void CheckKeys(Checks& checks) {
  const std::wstring clsid = GuidText(hd73::kClsidControl);
  const std::wstring cls = L"CLSID\\" + clsid;
  const std::string module = Lower(Narrow(ControlPath()));
  const std::string clsidText = Narrow(clsid);
  checks.Equal(Value(hd73::kProgId), "HD7_3 Control", "HKCR\\HD7_3.HD7_3Ctrl.1");
  checks.Equal(Value(std::wstring(hd73::kProgId) + L"\\CLSID"), clsidText,
               "HKCR\\HD7_3.HD7_3Ctrl.1\\CLSID");
  checks.Equal(Value(cls), "HD7_3 Control", "the class key's type name");
  checks.Equal(Value(cls + L"\\ProgID"), "HD7_3.HD7_3Ctrl.1", "ProgID");
  checks.Equal(Lower(Value(cls + L"\\InprocServer32")), module, "InprocServer32 (module path)");
  checks.Equal(Value(cls + L"\\InprocServer32", L"ThreadingModel"), "Apartment", "ThreadingModel");
  checks.That(KeyExists(cls + L"\\Control"), "the Control key is there");
  checks.Equal(Lower(Value(cls + L"\\ToolboxBitmap32")), module + ", 1", "ToolboxBitmap32");
  checks.Equal(Value(cls + L"\\MiscStatus"), "0", "MiscStatus");
  checks.Equal(Value(cls + L"\\MiscStatus\\1"), "131473", "MiscStatus\\1");
  checks.Equal(Value(cls + L"\\TypeLib"), Narrow(GuidText(hd73::kLibid)), "TypeLib");
  checks.Equal(Value(cls + L"\\Version"), "1.0", "Version");
  checks.Equal(Value(cls + L"\\Node\\ProgramID"), "90 48 44 37 5F 33 42 2A", "Node\\ProgramID");
  checks.Equal(Value(cls + L"\\Node\\TestID"), "%1", "Node\\TestID");
  const std::wstring lib = L"TypeLib\\" + GuidText(hd73::kLibid) + L"\\1.0";
  checks.Equal(Value(lib), "HD7_3 ActiveX Control module", "the registered type library");
  const wchar_t* platform = sizeof(void*) == 8 ? L"\\0\\win64" : L"\\0\\win32";
  // Wine registers the module in its long-path form (\\?\...); it is the same file.
  std::string registered = Lower(Value(lib + platform));
  if (registered.rfind("\\\\?\\", 0) == 0) registered.erase(0, 4);
  checks.Equal(registered, module, "the type library's module");
}

std::string Take(BSTR text) {
  const std::string out = text != nullptr ? Narrow(text) : "";
  SysFreeString(text);
  return out;
}

// A type of the library as "kind name funcs/vars/implemented" ("dispatch _DHD7_3 1/0/1"),
// and the name of its first function and its dispatch id with its number of arguments.
std::string TypeText(ITypeLib* lib, REFGUID guid) {
  ITypeInfo* info = nullptr;
  if (FAILED(lib->GetTypeInfoOfGuid(guid, &info))) return "<missing>";
  TYPEATTR* ta = nullptr;
  info->GetTypeAttr(&ta);
  BSTR name = nullptr;
  info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
  std::string text = std::string(ta->typekind == TKIND_DISPATCH  ? "dispatch "
                                 : ta->typekind == TKIND_COCLASS ? "coclass "
                                                                 : "other ") +
                     Take(name) + " " + std::to_string(ta->cFuncs) + "/" +
                     std::to_string(ta->cVars) + "/" + std::to_string(ta->cImplTypes);
  FUNCDESC* fd = nullptr;
  if (ta->cFuncs > 0 && SUCCEEDED(info->GetFuncDesc(0, &fd))) {
    BSTR fn = nullptr;
    info->GetDocumentation(fd->memid, &fn, nullptr, nullptr, nullptr);
    text +=
        ", " + Take(fn) + " " + std::to_string(fd->memid) + "(" + std::to_string(fd->cParams) + ")";
    info->ReleaseFuncDesc(fd);
  }
  info->ReleaseTypeAttr(ta);
  info->Release();
  return text;
}

void CheckTypeLibrary(Checks& checks) {
  ITypeLib* lib = nullptr;
  const std::wstring path = ControlPath();
  if (!checks.That(SUCCEEDED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib)),
                   "the type library loads from the module")) {
    return;
  }
  BSTR name = nullptr, doc = nullptr, helpFile = nullptr;
  lib->GetDocumentation(-1, &name, &doc, nullptr, &helpFile);
  checks.Equal(Take(name), "HD7_3Lib", "library name");
  checks.Equal(Take(doc), "HD7_3 ActiveX Control module", "help string");
  const std::string help = Take(helpFile);
  checks.That(help.size() >= 9 && help.substr(help.size() - 9) == "HD7_3.hlp",
              "help file HD7_3.hlp", help);
  TLIBATTR* attr = nullptr;
  if (SUCCEEDED(lib->GetLibAttr(&attr))) {
    checks.That(attr->guid == hd73::kLibid && attr->wMajorVerNum == 1 && attr->wMinorVerNum == 0,
                "library identifier and version 1.0");
    lib->ReleaseTLibAttr(attr);
  }
  checks.Equal(TypeText(lib, hd73::kDiidDispatch), "dispatch _DHD7_3 1/0/1, AboutBox -552(0)",
               "the dispatch interface: AboutBox alone, no arguments");
  checks.Equal(TypeText(lib, hd73::kDiidEvents), "dispatch _DHD7_3Events 0/0/1",
               "the event interface is empty");
  checks.Equal(TypeText(lib, hd73::kClsidControl), "coclass HD7_3 0/0/2",
               "the coclass with its dispatch and event interfaces");
  lib->Release();
}

}  // namespace

int Registration(Checks& checks) {
  checks.That(RunRegsvr32(false) == 0, "regsvr32 HD7_3.ocx succeeds");
  CheckKeys(checks);
  CoInitialize(nullptr);
  CheckTypeLibrary(checks);
  ITypeLib* registered = nullptr;
  checks.That(SUCCEEDED(LoadRegTypeLib(hd73::kLibid, 1, 0, LOCALE_NEUTRAL, &registered)),
              "the type library loads through the registry");
  if (registered != nullptr) registered->Release();

  checks.That(RunRegsvr32(true) == 0, "regsvr32 /u HD7_3.ocx succeeds");
  const std::wstring clsid = GuidText(hd73::kClsidControl);
  checks.That(!KeyExists(hd73::kProgId), "no HKCR\\HD7_3.HD7_3Ctrl.1 after /u");
  checks.That(!KeyExists(L"CLSID\\" + clsid), "no class key (nor its Node key) after /u");
  checks.That(!KeyExists(L"TypeLib\\" + GuidText(hd73::kLibid)), "no TypeLib key after /u");
  registered = nullptr;
  checks.That(FAILED(LoadRegTypeLib(hd73::kLibid, 1, 0, LOCALE_NEUTRAL, &registered)),
              "the type library is no longer found through the registry");
  if (registered != nullptr) registered->Release();
  CoUninitialize();

  // The other tests need the control registered again.
  checks.That(RunRegsvr32(false) == 0, "regsvr32 HD7_3.ocx registers it again");
  checks.That(KeyExists(L"CLSID\\" + clsid + L"\\Node"), "the Node key is back");
  return checks.Finish();
}

}  // namespace wintest
