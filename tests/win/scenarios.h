// The scenarios of the end-to-end test program, one per ctest test; each returns the exit code
// (0 passed, 1 failed, 77 skipped).
#pragma once

#include "tests/win/win_check.h"

namespace wintest {

int RegisterOnly(Checks& checks);
int Registration(Checks& checks);
int SheetTabsAndRelease(Checks& checks);
int NoNodeAccess(Checks& checks);
int ReaderOnly(Checks& checks);
int WriteChangesOnlyItsBytes(Checks& checks);
int ControlObject(Checks& checks);
int Win32Backend(Checks& checks);
int NumberTexts(Checks& checks);
int TabOrder(Checks& checks);
int ValveWrite(Checks& checks);
int WholeSheetWalk(Checks& checks);
int InstalledControl(Checks& checks);
int FactorySettingsKeepTheSheetAlive(Checks& checks);
int DownloadKeepsTheSheetAlive(Checks& checks);
int FilesInAnyLanguage(Checks& checks);

}  // namespace wintest
