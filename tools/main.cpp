// hd7_3settings: shows, compares and checks NodeSettings files by setting name.
#include <iostream>
#include <string>
#include <vector>

#include "tools/settings_tool.h"

#ifdef _WIN32
#include "framework/win32/console.h"
#include "framework/win32/win32_platform.h"
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  PrepareConsoleOutput();
  fw::win32::Win32Platform platform;  // files by their wide-character names
  fw::ScopedPlatform installed(platform);
#endif
  const std::vector<std::string> args(argv + 1, argv + argc);
  // The Wine runner asks a program whether it runs at all before it runs it.
  if (args.size() == 1 && args[0] == "--probe") {
    std::cout << "hd73-probe-ok\n";
    return 0;
  }
  const int code = RunSettingsTool(args, std::cout, std::cerr);
  std::cout.flush();
  return code;
}
