// The Import / Export page with real files under a folder and file name outside ASCII: export,
// the overwrite question and download go through the wide-character file API, and the node
// name goes into the file as the node's own bytes.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/win/harness.h"
#include "tests/win/scenarios.h"

namespace wintest {
namespace {

constexpr int kIdFileName = 428;
constexpr int kIdSaveToFile = 427;
constexpr int kIdReadFromFile = 430;
constexpr int kIdPassword = 226;
constexpr int kIdPageNodeName = 202;
constexpr int kIndexSwitch1 = 41;

std::string ReadWide(const std::wstring& path) {
  std::string text;
  if (FILE* f = _wfopen(path.c_str(), L"rb")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
  }
  return text;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return names;
}

// Answers the box or dialog that comes up next with `answer`; returns its text.
std::string Answer(Checks& checks, host::SheetRemote& sheet, int answer, const char* what) {
  const host::MessageBoxSeen box = sheet.WaitForMessageBox(kWaitMs);
  checks.That(box.window != nullptr && sheet.AnswerMessageBox(box, answer), what);
  return box.text;
}

}  // namespace

int FilesInAnyLanguage(Checks& checks) {
  Session session;
  sim::SimulatedNode& node = session.Node();
  // "Gebäude Süd Wärme 12" in the PC's single-byte code page: 20 bytes.
  const std::string name =
      "Geb\xE4"
      "ude S\xFC"
      "d W\xE4"
      "rme 12";
  std::vector<uint8_t> nameBytes(name.begin(), name.end());
  nameBytes.push_back(0);
  node.SetNodeNameBytes(nameBytes);
  node.SetBytes(kIndexSwitch1, {0x01, 0x2C});

  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring outer = std::wstring(temp) + L"hd73 J\u00F6rg";
  const std::wstring folder = outer + L"\\Heizung S\u00FCd";
  const std::wstring file = folder + L"\\Kessel 2.txt";
  CreateDirectoryW(outer.c_str(), nullptr);
  CreateDirectoryW(folder.c_str(), nullptr);
  DeleteFileW(file.c_str());
  const std::string path = Narrow(file);
  if (!checks.That(GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES,
                   "the folder can be made", path)) {
    return checks.Finish();
  }

  if (!checks.That(SUCCEEDED(session.CreateControl()), "the control is created")) {
    return checks.Finish();
  }
  session.RunProperties(checks, [&](host::SheetRemote& sheet) {
    if (!checks.That(sheet.Attach("HD7_3", kWaitMs), "the sheet opens")) return;
    checks.That(sheet.SelectTab("Import / Export"), "the Import / Export tab comes into view");
    checks.Equal(sheet.Text(kIdPageNodeName), "Geb\u00E4ude S\u00FCd W\u00E4rme 12",
                 "the node name as the engineer reads it");

    checks.That(sheet.Type(kIdFileName, path) && sheet.Click(kIdSaveToFile), "Save to file");
    Answer(checks, sheet, IDOK, "the save dialog takes the path");
    checks.Equal(Answer(checks, sheet, IDOK, "the outcome"), "File written", "the outcome");
    checks.Equal(sheet.Text(kIdFileName), path, "the field shows the path as chosen");
    const std::string written = ReadWide(file);
    checks.That(written.find("\r\n- " + name + "\r\n/ Export") != std::string::npos,
                "the file is there, with the node's own 20 bytes as its name line");
    checks.That(FilesIn(folder) == std::vector<std::wstring>{L"Kessel 2.txt"},
                "and nothing under another name");

    checks.That(sheet.Click(kIdSaveToFile), "Save to file again");
    Answer(checks, sheet, IDOK, "the save dialog takes the path");
    checks.Equal(Answer(checks, sheet, IDYES, "the question"), "Overwrite existing file?",
                 "the existing file is seen");
    checks.Equal(Answer(checks, sheet, IDOK, "the outcome"), "File written", "and replaced");

    session.OnUi([&] { node.SetBytes(kIndexSwitch1, {0x00, 0x00}); });
    checks.That(sheet.Type(kIdPassword, "Kobalt") && sheet.Click(kIdReadFromFile),
                "Read from file");
    Answer(checks, sheet, IDOK, "the open dialog takes the path");
    checks.Equal(Answer(checks, sheet, IDYES, "the question"), "Download from file to node?",
                 "the file is found");
    checks.Equal(Answer(checks, sheet, IDOK, "the outcome"), "Download completed",
                 "no program ID question: the name line is not taken for one");
    checks.That(sheet.ClickSheetButton(1) && sheet.WaitClosed(kWaitMs), "Exit closes the sheet");
  });
  std::vector<uint8_t> switch1;
  session.OnUi([&] { switch1 = node.Bytes(kIndexSwitch1); });
  checks.That(switch1 == std::vector<uint8_t>{0x01, 0x2C}, "the download wrote the saved value");
  DeleteFileW(file.c_str());
  RemoveDirectoryW(folder.c_str());
  RemoveDirectoryW(outer.c_str());
  return checks.Finish();
}

}  // namespace wintest
