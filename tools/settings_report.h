// hd7_3settings report: one self-contained page of a node's whole configuration, for the
// handover file. Well-formed XHTML that browsers read as HTML, with inline CSS and SVG, no
// script and nothing outside it, fit to print on A4: the file's head and check findings, then
// every tab in the sheet's order under its own caption, both circuits side by side, the week
// and presence calendars as bars and the heating curves as curves.
#pragma once

#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "tools/report_pictures.h"
#include "tools/report_site.h"

// Whether the arguments ask for the report (its first word that is not an option).
bool IsReportCommand(const std::vector<std::string>& args);

// What both report commands take: each option with the argument after it as its value.
struct ReportOptions {
  std::optional<std::string> against, date, siteFile, site, engineer, commissioned;
  std::vector<std::string> words;  // the arguments that are no options

  // The site texts: the site file's, when one is given, with each option given as well taking
  // its text's place. Empty when the site file cannot be read (said on `err`).
  std::optional<SiteInfo> Site(std::ostream& err) const;
  // The date the report names: the one given, else today's.
  std::string Date() const;
};
// Reads `args` into `options` and into `more`, the options only one command takes. False,
// with the reason and `usage` on `err`, for another option or one without its value.
using ReportOption = std::pair<const char*, std::optional<std::string>*>;
bool ReadReportOptions(const std::vector<std::string>& args,
                       std::initializer_list<ReportOption> more, ReportOptions& options,
                       const char* usage, std::ostream& err);

// report FILE [--against OTHER] [--output OUT] [--date TEXT] [--site TEXT] [--engineer TEXT]
// [--commissioned DATE] [--site-file FILE] (the options override the site file). Exit code as
// diff's with --against (0 equal, 1 different), else 0; 2 for a file it cannot read or a page
// it cannot write, and for wrong arguments (then `usage` follows the message).
int RunReport(const std::vector<std::string>& args, const char* usage, std::ostream& out,
              std::ostream& err);

// The page for file text in memory (the fuzzer and the tests); `name` stands for the file.
// Nothing is written to `out` for a file that show would refuse.
struct ReportInput {
  std::string name;
  std::string text;
};
// What a page's head says of its node, for a building's index of its pages.
struct ReportSummary {
  std::string nodeName, programId, timestamp;
  size_t findings = 0;
  size_t differences = 0;  // the marked settings, with `against`
};
// `site` fills the head's site, engineer and commissioning date and the sign-off's name;
// `summary`, when given, takes what the head says of the node.
int ReportText(const ReportInput& file, const ReportInput* against, const std::string& date,
               std::ostream& out, std::ostream& err, const SiteInfo& site = SiteInfo(),
               ReportSummary* summary = nullptr);
