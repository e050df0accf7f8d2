// hd7_3settings: shows, compares and checks NodeSettings files by setting name.
#include <iostream>
#include <string>
#include <vector>

#include "tools/settings_tool.h"

#ifdef _WIN32
#include "framework/win32/console.h"
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  // Units and arrows are UTF-8 text.
  UseUtf8Console();
#endif
  std::ios::sync_with_stdio(true);
  const std::vector<std::string> args(argv + 1, argv + argc);
  const int code = RunSettingsTool(args, std::cout, std::cerr);
  std::cout.flush();
  return code;
}
