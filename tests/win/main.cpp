// The end-to-end test program: one scenario per run, chosen by its name.
#include <cstdio>
#include <cstring>

#include "tests/win/harness.h"

int main(int argc, char** argv) {
  static const struct {
    const char* name;
    int (*run)(wintest::Checks&);
  } kScenarios[] = {
      {"register", &wintest::Registration},      {"number-texts", &wintest::NumberTexts},
      {"sheet", &wintest::SheetTabsAndRelease},  {"pages", &wintest::PagesByWindowMessages},
      {"import-export", &wintest::ImportExport}, {"installed", &wintest::InstalledControl},
  };
  if (argc == 2 && std::strcmp(argv[1], "--probe") == 0) {
    std::puts("hd73-probe-ok");  // the Wine runner's sign that this build's programs run at all
    return 0;
  }
  for (const auto& e : kScenarios) {
    if (argc == 2 && std::strcmp(argv[1], e.name) == 0) {
      std::printf("%s\n", e.name);
      wintest::Checks checks;
      return e.run(checks);
    }
  }
  std::fputs("usage: hd73_win_tests SCENARIO\n", stderr);
  return 2;
}
