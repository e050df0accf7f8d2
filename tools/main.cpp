// hd7_3settings: shows, compares and checks NodeSettings files by setting name.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "tools/settings_tool.h"
#include "tools/tool_output.h"

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
  // Standard output through the C runtime, so that a failed write is told with its reason.
  StdioOutput output(stdout);
  std::ostream out(&output);
  // The Wine runner asks a program whether it runs at all before it runs it.
  if (args.size() == 1 && args[0] == "--probe") {
    out << "hd73-probe-ok\n";
    return FinishStandardOutput(output, 0, std::cerr);
  }
  const int code = RunSettingsTool(args, out, std::cerr);
  return FinishStandardOutput(output, code, std::cerr);
}
