// Text conversions at the Win32 boundary. The portable code keeps its texts as UTF-8 (labels
// such as "°C" are written so in the sources); the controls take UTF-16. Bytes that are not
// UTF-8 (a node name in the PC's code page) are read in the ANSI code page instead, so that
// they are shown, not dropped.
#pragma once

#include <string>

namespace fw::win32 {

std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);  // to UTF-8
bool IsUtf8(const std::string& text);

}  // namespace fw::win32
