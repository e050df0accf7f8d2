#include "tools/site_report.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <set>
#include <sstream>

#include "framework/platform.h"
#include "tools/report_pictures.h"
#include "tools/settings_tool.h"
#include "tools/tool_output.h"

namespace {

constexpr int kExitFailed = 2;

std::string LowerAscii(std::string text) {
  for (char& c : text) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Names Windows keeps for its devices, whatever the extension: a page called NUL.html would
// go nowhere. "index" is the building's own page.
bool Reserved(const std::string& stem) {
  const std::string s = LowerAscii(stem);
  if (s == "con" || s == "prn" || s == "aux" || s == "nul" || s == "index") return true;
  return s.size() == 4 && (s.compare(0, 3, "com") == 0 || s.compare(0, 3, "lpt") == 0) &&
         s[3] >= '1' && s[3] <= '9';
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const char last = folder.back();
  return last == '/' || last == '\\' ? folder + name : folder + "/" + name;
}

// What the tool said on `err` of a file it could not take, as one line without its own name.
std::string Reason(const std::string& told) {
  std::string reason;
  std::istringstream lines(told);
  for (std::string line; std::getline(lines, line);) {
    const std::string prefix = "hd7_3settings: ";
    if (line.compare(0, prefix.size(), prefix) == 0) line.erase(0, prefix.size());
    if (!line.empty()) reason += (reason.empty() ? "" : "; ") + line;
  }
  return reason;
}

bool NeedsALook(const SiteNode& n) {
  return n.summary.findings > 0 || n.summary.differences > 0;
}

int Rank(const SiteNode& n) {
  return !n.unreadable.empty() ? 0 : NeedsALook(n) ? 1 : 2;
}

std::string Cell(size_t count) {
  return count > 0 ? "<td class=\"changed\">" + std::to_string(count) + "</td>" : "<td>0</td>";
}

std::string HeadRow(const std::string& head, const std::string& value) {
  return "<tr><th>" + head + "</th><td>" + XmlText(value) + "</td></tr>\n";
}

// The node pages point back to the building's index, the one link they get.
std::string WithIndexLink(std::string page) {
  const size_t body = page.find("<body>\n");
  if (body != std::string::npos) {
    page.insert(body + 7,
                "<p class=\"site\"><a href=\"index.html\">All nodes of the site</a></p>\n");
  }
  return page;
}

}  // namespace

bool IsSiteReport(const std::vector<std::string>& args) {
  return std::find(args.begin(), args.end(), "--site-folder") != args.end();
}

std::vector<std::string> NodeFileNames(std::vector<std::string> names) {
  names.erase(std::remove_if(names.begin(), names.end(),
                             [](const std::string& n) {
                               const std::string l = LowerAscii(n);
                               return n.empty() || n[0] == '.' || EndsWith(l, ".html") ||
                                      EndsWith(l, ".htm");
                             }),
              names.end());
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> PageFileNames(const std::vector<std::string>& fileNames) {
  std::vector<std::string> pages;
  std::set<std::string> taken;
  for (const std::string& file : fileNames) {
    const size_t dot = file.rfind('.');
    const std::string stem = dot == std::string::npos || dot == 0 ? file : file.substr(0, dot);
    std::string safe;
    for (size_t i = 0; i < stem.size();) {
      const char c = stem[i];
      const size_t length = fw::Utf8CharLength(stem, i);
      if (length > 1 ||
          (length == 1 && (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_'))) {
        safe.append(stem, i, length);
        i += length;
      } else {
        safe += '_';
        ++i;
      }
    }
    if (safe.empty()) safe = "node";
    if (Reserved(safe)) safe += '_';
    std::string page = safe;
    for (int n = 2; !taken.insert(LowerAscii(page)).second; ++n) {
      page = safe + "-" + std::to_string(n);
    }
    pages.push_back(page + ".html");
  }
  return pages;
}

std::string SiteIndex(const std::vector<SiteNode>& nodes, const std::string& folder,
                      const std::string& planned, const std::string& date, const SiteInfo& site) {
  const bool against = !planned.empty();
  std::vector<const SiteNode*> order;
  size_t withFindings = 0, withDifferences = 0, unreadable = 0;
  for (const SiteNode& n : nodes) {
    order.push_back(&n);
    if (!n.unreadable.empty()) ++unreadable;
    if (n.summary.findings > 0) ++withFindings;
    if (n.summary.differences > 0) ++withDifferences;
  }
  std::stable_sort(order.begin(), order.end(),
                   [](const SiteNode* a, const SiteNode* b) { return Rank(*a) < Rank(*b); });

  const std::string title = site.site.empty() ? "Site report" : "Site report: " + site.site;
  std::string page =
      "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n"
      "<head>\n<meta charset=\"utf-8\"/>\n<title>" +
      XmlText(title) + "</title>\n<style>\n" + ReportStyle() +
      "tr.look td, tr.unreadable td { font-weight: bold; }\n</style>\n</head>\n<body>\n<h1>" +
      XmlText(title) + "</h1>\n<table class=\"head\">\n" + SiteRows(site);
  page += HeadRow("Site folder", folder);
  if (against) page += HeadRow("Planned settings", planned);
  page += HeadRow("Report made", date);
  page += "</table>\n<table class=\"head totals\">\n";
  page += HeadRow("Nodes", std::to_string(nodes.size()));
  page += HeadRow("With findings", std::to_string(withFindings));
  if (against) page += HeadRow("With differences", std::to_string(withDifferences));
  page += HeadRow("Unreadable", std::to_string(unreadable));
  page +=
      "</table>\n<h2>Nodes</h2>\n<table class=\"settings\">\n<tr><th>Node</th><th>File</th>"
      "<th>Program ID</th><th>Time stamp</th><th>Findings</th>";
  page += against ? "<th>Differences</th></tr>\n" : "</tr>\n";
  for (const SiteNode* n : order) {
    if (!n->unreadable.empty()) {
      page += "<tr class=\"unreadable\"><td></td><td>" + XmlText(n->file) +
              "</td><td class=\"changed\" colspan=\"" + (against ? "4" : "3") +
              "\">Unreadable: " + XmlText(n->unreadable) + "</td></tr>\n";
      continue;
    }
    const ReportSummary& s = n->summary;
    page += std::string("<tr") + (NeedsALook(*n) ? " class=\"look\"" : "") + "><td><a href=\"" +
            XmlText(n->page) + "\">" + XmlText(s.nodeName.empty() ? n->file : s.nodeName) +
            "</a></td><td>" + XmlText(n->file) + "</td><td>" + XmlText(s.programId) + "</td><td>" +
            XmlText(s.timestamp) + "</td>" + Cell(s.findings) +
            (against ? Cell(s.differences) : std::string()) + "</tr>\n";
  }
  return page + "</table>\n</body>\n</html>\n";
}

int RunSiteReport(const std::vector<std::string>& args, const char* usage, std::ostream& out,
                  std::ostream& err) {
  ReportOptions o;
  std::optional<std::string> folder, outputDir;
  if (!ReadReportOptions(args, {{"--site-folder", &folder}, {"--output-dir", &outputDir}}, o, usage,
                         err)) {
    return kExitFailed;
  }
  if (o.words.size() != 1) {
    err << "hd7_3settings: report --site-folder takes no other file\n\n" << usage;
    return kExitFailed;
  }
  fw::PlatformImpl& os = fw::Platform::Get();

  const std::optional<std::vector<std::string>> listed = os.FilesIn(*folder);
  if (!listed) {
    err << "hd7_3settings: cannot read the folder " << *folder << "\n";
    return kExitFailed;
  }
  // The planned file and the site file may be kept in the folder: they are no nodes.
  std::vector<std::string> inputs;
  if (o.against) inputs.push_back(*o.against);
  if (o.siteFile) inputs.push_back(*o.siteFile);
  std::vector<SiteNode> nodes;
  for (const std::string& name : NodeFileNames(*listed)) {
    const std::string path = Join(*folder, name);
    if (std::none_of(inputs.begin(), inputs.end(),
                     [&](const std::string& in) { return fw::SameFile(path, in); })) {
      nodes.push_back({name, "", {}, ""});
    }
  }
  std::vector<std::string> names;
  for (const SiteNode& n : nodes) names.push_back(n.file);
  const std::vector<std::string> pages = PageFileNames(names);
  for (size_t i = 0; i < nodes.size(); ++i) {
    nodes[i].page = pages[i];
    inputs.push_back(Join(*folder, nodes[i].file));
  }

  // No page takes the place of a file the report is made from. Each file is identified once,
  // as a building has hundreds of nodes; a page that is an input is then named as one.
  const std::string outFolder = outputDir ? *outputDir : Join(*folder, "report");
  std::vector<fw::FileId> inputIds;
  for (const std::string& in : inputs) {
    if (const std::optional<fw::FileId> id = os.IdentifyFile(in)) inputIds.push_back(*id);
  }
  std::vector<std::string> outputs{Join(outFolder, "index.html")};
  for (const std::string& page : pages) outputs.push_back(Join(outFolder, page));
  for (const std::string& output : outputs) {
    const std::optional<fw::FileId> id = os.IdentifyFile(output);
    if (id && std::find(inputIds.begin(), inputIds.end(), *id) != inputIds.end() &&
        OutputIsAnInput(output, inputs, err)) {
      return kExitFailed;
    }
  }

  const std::optional<SiteInfo> site = o.Site(err);
  if (!site) return kExitFailed;

  // The planned file is read and checked once; a planned file show would refuse stops it all.
  std::optional<ReportInput> plan;
  if (o.against) {
    std::optional<std::string> text = LoadFile(*o.against, err);
    SettingsFileContent content;
    if (!text || !ReadUsable(*o.against, *text, content, err)) return kExitFailed;
    plan = ReportInput{*o.against, std::move(*text)};
  }
  const std::string date = o.Date();
  if (!os.MakeFolder(outFolder)) {
    err << "hd7_3settings: cannot make the folder " << outFolder << "\n";
    return kExitFailed;
  }

  bool allWritten = true;
  for (SiteNode& node : nodes) {
    const std::string path = Join(*folder, node.file);
    std::ostringstream page, told;
    std::optional<std::string> text = LoadFile(path, told);
    if (!text || ReportText({path, std::move(*text)}, plan ? &*plan : nullptr, date, page, told,
                            *site, &node.summary) == kExitFailed) {
      node.unreadable = Reason(told.str());
      continue;
    }
    allWritten &= WriteOutputFile(Join(outFolder, node.page), WithIndexLink(page.str()), err);
  }
  const std::string index = SiteIndex(nodes, *folder, o.against ? *o.against : "", date, *site);
  allWritten &= WriteOutputFile(Join(outFolder, "index.html"), index, err);
  if (!allWritten) return kExitFailed;
  size_t look = 0, unreadable = 0;
  for (const SiteNode& n : nodes) {
    unreadable += n.unreadable.empty() ? 0 : 1;
    look += NeedsALook(n) ? 1 : 0;
  }
  out << Join(outFolder, "index.html") << ": " << nodes.size()
      << (nodes.size() == 1 ? " node, " : " nodes, ") << look << " with findings or differences, "
      << unreadable << " unreadable\n";
  return look + unreadable == 0 ? 0 : 1;
}
