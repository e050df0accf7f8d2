// The end-to-end test program: one scenario per run, chosen by its name.
#include <cstdio>
#include <map>
#include <string>

#include "tests/win/harness.h"

int main(int argc, char** argv) {
  const std::map<std::string, int (*)(wintest::Checks&)> scenarios = {
      {"register", &wintest::Registration},
      {"number-texts", &wintest::NumberTexts},
      {"sheet", &wintest::SheetTabsAndRelease},
      {"pages", &wintest::PagesByWindowMessages},
      {"import-export", &wintest::ImportExport},
      {"installed", &wintest::InstalledControl},
      {"offline", &wintest::Offline},
      {"smoke", &wintest::Smoke},
  };
  const std::string name = argc == 2 ? argv[1] : "";
  if (name == "--probe") {
    std::puts("hd73-probe-ok");  // the Wine runner's sign that this build's programs run at all
    return 0;
  }
  const auto scenario = scenarios.find(name);
  if (scenario == scenarios.end()) {
    std::fputs("usage: hd73_win_tests SCENARIO\n", stderr);
    return 2;
  }
  std::printf("%s\n", name.c_str());
  wintest::Checks checks;
  return scenario->second(checks);
}
