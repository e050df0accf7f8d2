#include "framework/win32/text.h"

#include <windows.h>

namespace fw::win32 {
namespace {

std::wstring ToWide(UINT codePage, DWORD flags, const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), size, out.data(), n);
  return out;
}

std::string FromWide(UINT codePage, const std::wstring& text) {
  if (text.empty()) return std::string();
  const int size = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

bool IsUtf8(const std::string& text) {
  if (text.empty()) return true;
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                             static_cast<int>(text.size()), nullptr, 0) > 0;
}

std::wstring Widen(const std::string& text) {
  if (IsUtf8(text)) return ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, text);
  return ToWide(CP_ACP, 0, text);
}

std::string Narrow(const std::wstring& text) {
  return FromWide(CP_UTF8, text);
}

}  // namespace fw::win32
