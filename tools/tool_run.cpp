// hd7_3settings's arguments: the command they name, run on the files they name, and its
// output checked to have arrived.
#include <optional>
#include <string>
#include <vector>

#include "framework/platform.h"
#include "tools/settings_report.h"
#include "tools/settings_tool.h"
#include "tools/site_report.h"
#include "tools/tool_output.h"
#include "tools/trace_summary.h"

namespace {

constexpr const char* kUsage =
    "Usage: hd7_3settings [--json] COMMAND FILE...\n"
    "\n"
    "Reads HD7_3 NodeSettings files and shows them the way the plug-in's pages show the node.\n"
    "\n"
    "Commands:\n"
    "  show FILE        the node name, the time stamp and every setting by tab and circuit,\n"
    "                   with value and unit; --raw adds the bytes of each\n"
    "  diff OLD NEW     the settings that differ, old -> new\n"
    "                   (exit code 0 equal, 1 different, 2 unreadable file)\n"
    "  check FILE       what a download would make of the file, and values the pages do not\n"
    "                   accept, each with its line number\n"
    "                   (exit code 0 clean, 1 with findings, 2 unreadable file)\n"
    "  report FILE [--against OTHER] [--output OUT.html] [--date TEXT]\n"
    "         [--site TEXT] [--engineer TEXT] [--commissioned DATE] [--site-file FILE]\n"
    "                   one printable page of the node's whole configuration, to sign at\n"
    "                   handover; --against marks the settings that differ from OTHER (the\n"
    "                   planned ones), with diff's exit codes; --date the date it names\n"
    "                   (default today); --site-file gives site, engineer and commissioned\n"
    "                   as key = value lines, the options take their place\n"
    "  report --site-folder DIR [--against PLANNED] [--output-dir OUT] and the options above\n"
    "                   the report of every node file in DIR (all but hidden files and .html\n"
    "                   pages; PLANNED and the site file are no nodes) and index.html for\n"
    "                   the building, written into OUT (default DIR/report); exit code 0\n"
    "                   all good, 1 findings, differences or unreadable files, 2 not written\n"
    "  trace FILE       a trace of the plug-in's node traffic summed up: each sheet with its\n"
    "                   date and how long it was open, failed calls, every write with the\n"
    "                   settings it carried, message boxes, calls per NV, the longest waits\n"
    "                   and the lines not understood (text only; exit code 0 no failed\n"
    "                   call, 1 failed calls, 2 unreadable file)\n"
    "\n"
    "Options:\n"
    "  --json           output for scripts\n"
    "  --raw            show: the bytes of each setting as well\n"
    "  --help           this text\n";

int RunCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  // The reports name files by their identity and today's date through the platform.
  fw::RuntimePlatform platform;
  std::optional<fw::ScopedPlatform> installed;
  if (!fw::Platform::Installed()) installed.emplace(platform);
  if (IsReportCommand(args)) {
    return IsSiteReport(args) ? RunSiteReport(args, kUsage, out, err)
                              : RunReport(args, kUsage, out, err);
  }
  bool json = false;
  bool raw = false;
  std::vector<std::string> words;
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      out << kUsage;
      return 0;
    }
    if (a == "--json") {
      json = true;
    } else if (a == "--raw") {
      raw = true;
    } else if (a.size() > 1 && a[0] == '-') {
      err << "hd7_3settings: unknown option " << a << "\n\n" << kUsage;
      return kExitUnreadable;
    } else {
      words.push_back(a);
    }
  }
  const std::string command = words.empty() ? std::string() : words[0];
  const size_t files = command == "diff" ? 2 : 1;
  if ((command != "show" && command != "diff" && command != "check" && command != "trace") ||
      words.size() != files + 1) {
    err << (command.empty() ? "hd7_3settings: no command\n\n"
                            : "hd7_3settings: wrong command or number of files\n\n")
        << kUsage;
    return kExitUnreadable;
  }
  std::vector<std::string> texts;
  for (size_t i = 1; i <= files; ++i) {
    std::optional<std::string> text = LoadFile(words[i], err);
    if (!text) return kExitUnreadable;
    texts.push_back(std::move(*text));
  }
  if (command == "trace") return TraceSummary(words[1], texts[0], out, err);
  if (command == "diff") return DiffTexts(words[1], texts[0], words[2], texts[1], json, out, err);
  const SettingsFileContent content = ReadSettingsText(texts[0]);
  if (command == "show") return ShowContent(words[1], content, raw, json, out, err);
  return CheckContent(words[1], content, json, out);
}

}  // namespace

int RunSettingsTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const int code = RunCommand(args, out, err);
  return StandardOutputWritten(out, err) ? code : kExitUnreadable;
}
