// The end-to-end test program: one scenario per run, chosen by its name.
#include <cstdio>
#include <cstring>

#include "tests/win/scenarios.h"

int main(int argc, char** argv) {
  using Scenario = int (*)(wintest::Checks&);
  struct Entry {
    const char* name;
    Scenario run;
  };
  static const Entry kScenarios[] = {
      {"register", &wintest::RegisterOnly},
      {"registration", &wintest::Registration},
      {"sheet", &wintest::SheetTabsAndRelease},
      {"no-node-access", &wintest::NoNodeAccess},
      {"reader-only", &wintest::ReaderOnly},
      {"write", &wintest::WriteChangesOnlyItsBytes},
      {"control", &wintest::ControlObject},
      {"win32-backend", &wintest::Win32Backend},
      {"number-texts", &wintest::NumberTexts},
      {"tab-order", &wintest::TabOrder},
      {"valve-write", &wintest::ValveWrite},
      {"walk", &wintest::WholeSheetWalk},
      {"installed", &wintest::InstalledControl},
      {"responsive", &wintest::FactorySettingsKeepTheSheetAlive},
      {"responsive-download", &wintest::DownloadKeepsTheSheetAlive},
      {"files", &wintest::FilesInAnyLanguage},
  };
  if (argc == 2 && std::strcmp(argv[1], "--probe") == 0) {
    std::puts("hd73-probe-ok");  // the Wine runner's sign that this build's programs run at all
    return 0;
  }
  for (const Entry& e : kScenarios) {
    if (argc == 2 && std::strcmp(argv[1], e.name) == 0) {
      std::printf("%s\n", e.name);
      wintest::Checks checks;
      return e.run(checks);
    }
  }
  std::fputs("usage: hd73_win_tests SCENARIO\n", stderr);
  return 2;
}
