// Steps of the end-to-end scenarios that more than one of them takes: the module's unload
// answer, every tab of both page sets, a valve write with its exact bytes, and the Import /
// Export page's save and download with their boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/harness.h"

namespace wintest {

constexpr int kIdBl1 = 234;
constexpr int kIdBl2 = 235;
constexpr int kIdPassword = 226;
constexpr int kIdSaveToFile = 427;
constexpr int kIdFileName = 428;
constexpr int kIdReadFromFile = 430;
constexpr int kIdProgress = 431;

// The module's DllCanUnloadNow, called directly; E_FAIL when the module is not loaded.
HRESULT ModuleCanUnloadNow();

// Brings each tab of set 2 and then of set 1 into view with the set buttons of the first tab;
// returns the captions of the tabs that did not come into view.
std::string TabsNotInView(Checks& checks, host::SheetRemote& sheet);

// A sheet of its own on the Analog Valve page of BL1: Mv1 set to Manual at 100 %, 2-10 volt and
// inverted; exactly those node bytes change.
void AnalogValveWrite(Checks& checks, Session& session);

// Answers the box or dialog that comes up next with `answer`, once it is seen to be owned by
// the sheet, which takes no clicks meanwhile; returns its caption and text.
std::string Answer(Checks& checks, host::SheetRemote& sheet, int answer, const std::string& what);

// "Save to file" with `path` typed into the file name field, a file not there yet: the save
// dialog takes the path and the file is written.
void SaveToFile(Checks& checks, host::SheetRemote& sheet, const std::string& path);

// The node's reads and writes since its log was last cleared, as "R45" and "W46".
std::vector<std::string> NodeCalls(Session& session);

// Six single NVs, then for each part the selector read and the selection and the part; a
// download puts the selector back to 0 after each part, factory settings once at the end.
std::vector<std::string> OperationCalls(bool download);

// After a download or factory settings: its closing `message`, the sheet as it was, and the
// node calls since the log was cleared.
void FinishOperation(Checks& checks, Session& session, host::SheetRemote& sheet,
                     const char* message, const std::vector<std::string>& calls);

}  // namespace wintest
