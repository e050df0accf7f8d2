// The trace of the node traffic in a real sheet: the registry value turns it on for the control
// (a path outside ASCII), the host's setting leaves the registry as it found it, a file that
// cannot be written leaves the sheet working, and a full file rolls over to FILE.1.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "control/node_trace.h"
#include "host/trace_setting.h"
#include "tests/win/harness.h"

namespace wintest {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The registry value as the control reads it; "(absent)" when there is none.
std::string TraceValue() {
  wchar_t value[512] = {};
  DWORD bytes = sizeof value;
  return RegGetValueW(HKEY_CURRENT_USER, fw::win32::kTraceKey, fw::win32::kTraceValue,
                      RRF_RT_REG_SZ, nullptr, value, &bytes) == ERROR_SUCCESS
             ? Narrow(value)
             : "(absent)";
}

}  // namespace

void TracedSheets(Checks& checks, Session& session) {
  const fs::path folder = fs::temp_directory_path() / L"hd73 Spur J\u00F6rg";
  const fs::path file = folder / L"Kessel S\u00FCd.log";
  std::error_code error;
  fs::remove_all(folder, error);
  fs::create_directories(folder, error);
  const std::string before = TraceValue();
  {
    host::ScopedTraceSetting previous(L"C:\\previous.log");
    {
      host::ScopedTraceSetting trace(file.wstring());
      checks.Equal(TraceValue(), Narrow(file.wstring()), "the trace value, a full path");
      session.node.ClearLog();
      session.WithSheet(checks, [&](host::SheetRemote& sheet) { sheet.SelectTab("Pump"); });
      const std::vector<std::string> lines = Lines(file);
      // The header names the bitness, this process (the control runs in it) and the sheet; every
      // line carries the tag made of the last two.
      const std::string pid = std::to_string(GetCurrentProcessId());
      const std::string header = lines.empty() ? std::string(14, ' ') : lines.front();
      const std::string tag = header.substr(13, header.find(' ', 13) - 13);
      checks.That(
          tag.rfind("#" + pid + ".", 0) == 0 &&
              header.find(" (" + std::to_string(sizeof(void*) * 8) + "-bit), process " + pid +
                          ", sheet " + tag.substr(pid.size() + 2) + ", ") != std::string::npos,
          "the header names the control's bitness, this process and the sheet", header);
      std::string text;
      bool tagged = !lines.empty();
      for (const std::string& line : lines) {
        tagged =
            tagged && line.size() > 12 && line.compare(12, tag.size() + 2, " " + tag + " ") == 0;
        text += line.substr(std::min(line.size(), 13 + tag.size())) + "\n";
      }
      checks.That(tagged, "every line carries the sheet's tag", tag);
      checks.That(text.rfind(" [-] open ", 0) == 0 && text.size() > 11 &&
                      text.compare(text.size() - 11, 11, " [-] close\n") == 0,
                  "the trace opens and closes with the sheet", text);
      const auto calls = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find(" status ") != std::string::npos;
      });
      checks.That(calls == static_cast<long>(session.node.Log().size()),
                  "a line for each of the node's calls", std::to_string(calls));
      checks.That(text.find("\n [Node Information] read 45 size 31") != std::string::npos &&
                      text.find("\n [Pump, BL1] read 31 size 32 status 0") != std::string::npos,
                  "the tab in view: the first as the sheet is made, then Pump");
    }
    checks.Equal(TraceValue(), "C:\\previous.log", "a value found is put back");
  }
  checks.Equal(TraceValue(), before, "an absent value is absent again");

  // A path that cannot be written (a folder): no trace, the sheet as ever.
  {
    host::ScopedTraceSetting trace(folder.wstring());
    session.WithSheet(checks, [&](host::SheetRemote& sheet) {
      checks.Equal(sheet.Text(202), "Boiler room 2", "the sheet reads the node");
    });
  }

  // A file a little short of 8 MB fills up; the next sheet moves it aside and starts afresh.
  const fs::path full = folder / L"full.log";
  std::ofstream(full, std::ios::binary)
      << std::string(TraceFileWriter::kLimitBytes - TraceFileWriter::kRoomAtOpen - 1, 'x');
  {
    host::ScopedTraceSetting trace(full.wstring());
    session.WithSheet(checks, [&](host::SheetRemote& sheet) {
      for (int tab = 2; tab < static_cast<int>(sheet.TabCaptions().size()); ++tab) {
        sheet.SelectTab(tab);
      }
    });
    const auto size = fs::file_size(full, error);
    const std::string last = Lines(full).back();
    checks.That(size <= TraceFileWriter::kLimitBytes &&
                    size > TraceFileWriter::kLimitBytes - TraceFileWriter::kRoomAtOpen,
                "the file stops just short of 8 MB", std::to_string(size));
    checks.That(last.find(TraceFileWriter::kFullNote) != std::string::npos,
                "its last line says it is full", last);
    session.WithSheet(checks, [](host::SheetRemote&) {});
    checks.That(fs::file_size(folder / L"full.log.1", error) == size, "the full file is FILE.1");
    checks.That(Lines(full).size() > 3 && Lines(full)[0].find("] open ") != std::string::npos,
                "the next sheet starts a new file");
  }
  fs::remove_all(folder, error);
}

}  // namespace wintest
