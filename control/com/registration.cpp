#include "control/com/registration.h"

#include <olectl.h>
#include <oleauto.h>

#include <string>
#include <utility>
#include <vector>

#include "control/com/guids.h"
#include "control/com/module.h"

namespace hd73 {
namespace {

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  return StringFromGUID2(guid, text, 40) == 39 ? std::wstring(text) : std::wstring();
}

// A key under HKEY_CLASSES_ROOT, open for as long as the object lives.
class Key {
 public:
  explicit Key(const std::wstring& path) {
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key_, nullptr) != ERROR_SUCCESS) {
      key_ = nullptr;
    }
  }
  ~Key() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

bool SetString(HKEY key, const wchar_t* subkey, const wchar_t* name, const std::wstring& value) {
  const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return RegSetKeyValueW(key, subkey, name, REG_SZ, value.c_str(), bytes) == ERROR_SUCCESS;
}

bool KeyGone(LSTATUS status) {
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

// The "Node" key under the class key: the node program ID the host looks plug-ins up by. Its
// failures are not reported; registration of the class goes on regardless.
void RegisterNodeKey(bool reg, const std::wstring& clsid) {
  Key node(L"CLSID\\" + clsid + L"\\Node");
  if (node.Get() == nullptr) return;
  static const std::pair<const wchar_t*, const wchar_t*> kPairs[] = {{L"ProgramID", kNodeProgramId},
                                                                     {L"TestID", kNodeTestId}};
  if (reg) {
    for (const auto& [subkey, value] : kPairs) {
      if (!SetString(node.Get(), subkey, nullptr, value)) break;
    }
  } else {
    for (const auto& [subkey, value] : kPairs) RegDeleteKeyW(node.Get(), subkey);
    RegDeleteKeyW(HKEY_CLASSES_ROOT, (L"CLSID\\" + clsid + L"\\Node").c_str());
  }
}

// One key of the control class: its path and default value, and optionally one named value.
struct ClassEntry {
  ClassEntry(std::wstring p, std::wstring v, const wchar_t* n = nullptr, std::wstring nv = {})
      : path(std::move(p)), value(std::move(v)), name(n), namedValue(std::move(nv)) {}
  std::wstring path;
  std::wstring value;
  const wchar_t* name;
  std::wstring namedValue;
};

std::vector<ClassEntry> ControlClassEntries(const std::wstring& clsid) {
  const std::wstring typeName = L"HD7_3 Control";
  const std::wstring module = ModulePath();
  const std::wstring cls = L"CLSID\\" + clsid;
  return {
      {kProgId, typeName},
      {std::wstring(kProgId) + L"\\CLSID", clsid},
      {cls, typeName},
      {cls + L"\\ProgID", kProgId},
      {cls + L"\\InprocServer32", module, L"ThreadingModel", L"Apartment"},
      {cls + L"\\Control", L""},
      {cls + L"\\ToolboxBitmap32", module + L", 1"},
      {cls + L"\\MiscStatus", L"0"},
      {cls + L"\\MiscStatus\\1", std::to_wstring(kMiscStatus)},
      {cls + L"\\TypeLib", GuidText(kLibid)},
      {cls + L"\\Version", std::to_wstring(kTypeLibMajor) + L"." + std::to_wstring(kTypeLibMinor)},
  };
}

bool RegisterControlClass(bool reg, const std::wstring& clsid) {
  const std::vector<ClassEntry> entries = ControlClassEntries(clsid);
  if (reg) {
    for (const ClassEntry& e : entries) {
      Key key(e.path);
      if (key.Get() == nullptr || !SetString(key.Get(), nullptr, nullptr, e.value)) return false;
      if (e.name != nullptr && !SetString(key.Get(), nullptr, e.name, e.namedValue)) return false;
    }
    return true;
  }
  // Removal walks the same table backwards, children before their parents; then whatever
  // else was put under the two keys goes with them.
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    RegDeleteKeyW(HKEY_CLASSES_ROOT, it->path.c_str());
  }
  const bool classGone = KeyGone(RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + clsid).c_str()));
  const bool progIdGone = KeyGone(RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId));
  return classGone && progIdGone;
}

SYSKIND ThisSyskind() {
  return sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
}

}  // namespace

HRESULT RegisterServer(bool reg) {
  if (reg) {
    ITypeLib* typeLib = nullptr;
    const std::wstring path = ModulePath();
    if (path.empty() || FAILED(LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, &typeLib))) {
      return SELFREG_E_TYPELIB;
    }
    typeLib->Release();
  } else if (FAILED(UnRegisterTypeLib(kLibid, kTypeLibMajor, kTypeLibMinor, LOCALE_NEUTRAL,
                                      ThisSyskind()))) {
    return SELFREG_E_TYPELIB;
  }
  // The "Node" key, then the control class.
  const std::wstring clsid = GuidText(kClsidControl);
  if (clsid.empty()) return SELFREG_E_CLASS;
  RegisterNodeKey(reg, clsid);
  return RegisterControlClass(reg, clsid) ? S_OK : SELFREG_E_CLASS;
}

}  // namespace hd73
