// The trace of the node traffic in a real sheet: the registry value turns it on for the control
// (a path outside ASCII), and the host's setting leaves the registry as it found it. The lines,
// their tags, the header, files that cannot be written, the 8 MB limit and the roll-over to
// FILE.1 are checked natively.
#include <windows.h>

#include <filesystem>
#include <string>

#include "host/trace_setting.h"
#include "tests/win/harness.h"

namespace wintest {
namespace {

namespace fs = std::filesystem;

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
      session.WithSheet(checks, [&](host::SheetRemote& sheet) { sheet.SelectTab("Pump"); });
      const std::string text = FileText(file.wstring());
      checks.That(text.find(" [-] open ") < 100 &&
                      text.find(" [Node Information] read 45 size 31") != std::string::npos &&
                      text.find(" [Pump, BL1] read 31 size 32 status 0") != std::string::npos &&
                      text.size() > 11 && text.compare(text.size() - 11, 11, " [-] close\n") == 0,
                  "the trace of the sheet from its opening to its closing, Pump in view", text);
    }
    checks.Equal(TraceValue(), "C:\\previous.log", "a value found is put back");
  }
  checks.Equal(TraceValue(), before, "an absent value is absent again");

  fs::remove_all(folder, error);
}

}  // namespace wintest
