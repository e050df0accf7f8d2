#include "host/trace_setting.h"

#include "framework/win32/win32_platform.h"

namespace host {

using fw::win32::kTraceKey;
using fw::win32::kTraceValue;

ScopedTraceSetting::ScopedTraceSetting(const std::wstring& file) {
  // The value holds a full path: the control may run with another current folder.
  std::wstring path(MAX_PATH, L'\0');
  DWORD length =
      GetFullPathNameW(file.c_str(), static_cast<DWORD>(path.size()), path.data(), nullptr);
  if (length >= path.size()) {
    path.resize(length);
    length = GetFullPathNameW(file.c_str(), length, path.data(), nullptr);
  }
  path = length > 0 && length < path.size() ? path.substr(0, length) : file;
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kTraceKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                      nullptr, &key, &disposition) != ERROR_SUCCESS) {
    return;
  }
  keyMade_ = disposition == REG_CREATED_NEW_KEY;
  Value old{};
  DWORD size = 0;
  if (RegQueryValueExW(key, kTraceValue, nullptr, &old.type, nullptr, &size) == ERROR_SUCCESS) {
    old.bytes.resize(size);
    if (RegQueryValueExW(key, kTraceValue, nullptr, &old.type, old.bytes.data(), &size) ==
        ERROR_SUCCESS) {
      old.bytes.resize(size);
      previous_ = std::move(old);
    }
  }
  const auto bytes = static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t));
  set_ = RegSetValueExW(key, kTraceValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                        bytes) == ERROR_SUCCESS;
  RegCloseKey(key);
}

ScopedTraceSetting::~ScopedTraceSetting() {
  HKEY key = nullptr;
  if (!set_ || RegOpenKeyExW(HKEY_CURRENT_USER, kTraceKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                             &key) != ERROR_SUCCESS) {
    return;
  }
  if (previous_) {
    RegSetValueExW(key, kTraceValue, 0, previous_->type, previous_->bytes.data(),
                   static_cast<DWORD>(previous_->bytes.size()));
  } else {
    RegDeleteValueW(key, kTraceValue);
  }
  DWORD subkeys = 1, values = 1;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  // A key made only for the trace goes again; one that has gained anything else stays.
  if (keyMade_ && subkeys == 0 && values == 0) RegDeleteKeyW(HKEY_CURRENT_USER, kTraceKey);
}

}  // namespace host
