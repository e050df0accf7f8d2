// hd7_3settings report --site-folder DIR: the handover document of a whole building. Every
// NodeSettings file in the folder gets its node report page, and one index page lists every
// node with its findings and its differences from the planned file, the nodes that need a look
// first. The pages link only to each other.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tools/report_site.h"
#include "tools/settings_report.h"

// Whether the report's arguments name a site folder.
bool IsSiteReport(const std::vector<std::string>& args);

// report --site-folder DIR [--against PLANNED] [--output-dir OUT] [--date TEXT] [--site TEXT]
// [--engineer TEXT] [--commissioned DATE] [--site-file FILE]. OUT is DIR/report by default and
// is made when missing. Exit code 0 when every node was read and has neither findings nor
// differences, 1 when one has or cannot be read, 2 for wrong arguments (then `usage` follows),
// a folder, planned file or site file it cannot read, an output that is one of the inputs
// (nothing written) or a page it could not write.
int RunSiteReport(const std::vector<std::string>& args, const char* usage, std::ostream& out,
                  std::ostream& err);

// The node files of a folder's file names: every one but hidden files (a leading dot) and
// pages (.html, .htm), sorted by name.
std::vector<std::string> NodeFileNames(std::vector<std::string> names);

// A page's file name for each node file name, in the same order: the name without its
// extension, every character but letters, digits, '-', '_' and UTF-8 characters as '_', a
// Windows device name or "index" with '_' after it, and a clash with an earlier page (case not
// counted, as on Windows) numbered "-2", "-3"... Then ".html".
std::vector<std::string> PageFileNames(const std::vector<std::string>& fileNames);

// One node of the building: its file and page names, and what its page's head says, or why it
// has no page.
struct SiteNode {
  std::string file;
  std::string page;
  ReportSummary summary;
  std::string unreadable;  // the reason; empty when the page was made
};

// The building's index: the site's head, the totals (nodes, with findings, with differences,
// unreadable), and a row per node linking to its page, unreadable nodes first, then those with
// findings or differences, each group in the order given. `planned` is the planned file's name,
// empty without one (then there is no differences column).
std::string SiteIndex(const std::vector<SiteNode>& nodes, const std::string& folder,
                      const std::string& planned, const std::string& date, const SiteInfo& site);
