#include "tools/settings_report.h"

#include <algorithm>
#include <sstream>
#include <utility>
#include <vector>

#include "control/sheet.h"
#include "framework/platform.h"
#include "nvdata/number_text.h"
#include "resources/strings.h"
#include "settingsfile/settings_compare.h"
#include "settingsfile/settings_dictionary.h"
#include "tools/report_rows.h"
#include "tools/tool_output.h"

namespace {

// ------------------------------------------------------------------ the tabs

// The dictionary's entries of a tab and circuit ("BL1", "BL2", or empty for the shared pages),
// in dictionary order.
std::vector<const SettingEntry*> EntriesOf(const std::string& tab, std::string_view circuit) {
  std::vector<const SettingEntry*> entries;
  for (const SettingEntry& e : SettingsDictionary()) {
    if (e.tab == tab && e.circuit == circuit) entries.push_back(&e);
  }
  return entries;
}

// The notes by the template id of the tab's page (circuit 1's where both circuits have one).
const std::pair<int, const char*> kNotes[] = {
    {203, "The node's clock is set from the PC: a NodeSettings file holds no time."},
    {210,
     "The valve modes (Off / Manual / Automatic) and manual positions stay in the node: a "
     "NodeSettings file does not hold them."},
    {212,
     "The pump mode (Off / Manual / Automatic) stays in the node: a NodeSettings file does not "
     "hold it."},
    {214,
     "The delays to boost, day and night temperature stay in the node: a NodeSettings file does "
     "not hold them."},
};

// A tab of both page sets, in the sheet's order, with its rows: the shared pages' settings, or
// circuit 1's beside circuit 2's under one label. Its caption is circuit 2's too unless circuit
// 2's tab has its own. The note stands for what a NodeSettings file does not hold. Its heading
// and its rows' labels are kept as they go onto the page, escaped once.
struct ReportTab {
  int captionId;
  std::string heading;
  const char* note = nullptr;
  std::vector<Item> shared, bl1, bl2;
  std::vector<std::string> labels;  // "<tr><td>label</td>" of each row
};

// The sheet's tabs and their rows, made once from its pages and the dictionary.
const std::vector<ReportTab>& ReportTabs() {
  static const std::vector<ReportTab> tabs = [] {
    std::vector<ReportTab> made;
    SheetPages pages;
    for (const SheetTab& sheetTab : pages.Tabs()) {
      const fw::CPropertyPage& page = sheetTab.set1 != nullptr ? *sheetTab.set1 : *sheetTab.set2;
      ReportTab tab;
      tab.captionId = page.CaptionId();
      const std::string caption = ResString(page.CaptionId());
      const std::string caption2 = sheetTab.set1 != nullptr && sheetTab.set2 != nullptr
                                       ? ResString(sheetTab.set2->CaptionId())
                                       : caption;
      tab.heading = "<section>\n<h2>" + XmlText(caption) +
                    (caption2 != caption ? " (BL1), " + XmlText(caption2) + " (BL2)" : "") +
                    "</h2>\n";
      for (const auto& [templateId, text] : kNotes) {
        if (templateId == page.TemplateId()) tab.note = text;
      }
      tab.shared = Items(EntriesOf(caption, ""));
      if (tab.shared.empty()) {
        tab.bl1 = Items(EntriesOf(caption, "BL1"));
        tab.bl2 = Items(EntriesOf(caption2, "BL2"));
      }
      for (const Item& item : tab.shared) tab.labels.push_back(item.label);
      for (size_t i = 0; i < std::max(tab.bl1.size(), tab.bl2.size()); ++i) {
        tab.labels.push_back(Label(i < tab.bl1.size() ? tab.bl1[i].label : "",
                                   i < tab.bl2.size() ? tab.bl2[i].label : ""));
      }
      for (std::string& label : tab.labels) label = "<tr><td>" + XmlText(label) + "</td>";
      made.push_back(std::move(tab));
    }
    return made;
  }();
  return tabs;
}

// The tabs' sections, each setting as the found file holds it and, against the planned file,
// marked where the two differ. Counts the marked cells: one difference each.
class Page {
 public:
  Page(const SettingsFileContent& file, const SettingsFileContent* planned)
      : file_(file), planned_(planned) {}

  size_t Marked() const { return marked_; }

  // Appends the tab's section; a tab with nothing to show is left out.
  void Tab(const ReportTab& tab, std::string& out) {
    const std::vector<Item>&a = tab.bl1, &b = tab.bl2;
    const size_t start = out.size();
    out += tab.heading;
    const size_t body = out.size();
    if (tab.note != nullptr) out += "<p class=\"note\">" + XmlText(tab.note) + "</p>\n";
    out += Pictures(tab.captionId);
    if (!tab.shared.empty()) {
      out += "<table class=\"settings\">\n";
      for (size_t i = 0; i < tab.shared.size(); ++i) {
        if (!Shown(&tab.shared[i])) continue;
        out += tab.labels[i];
        out += Cell(&tab.shared[i]);
        out += "</tr>\n";
      }
      out += "</table>\n";
    } else if (!a.empty() || !b.empty()) {
      out += "<table class=\"settings\">\n<tr><th></th>";
      if (!a.empty()) out += "<th>BL1</th>";
      if (!b.empty()) out += "<th>BL2</th>";
      out += "</tr>\n";
      for (size_t i = 0; i < tab.labels.size(); ++i) {
        const Item* ia = i < a.size() ? &a[i] : nullptr;
        const Item* ib = i < b.size() ? &b[i] : nullptr;
        if (!Shown(ia) && !Shown(ib)) continue;
        out += tab.labels[i];
        if (!a.empty()) out += Cell(ia);
        if (!b.empty()) out += Cell(ib);
        out += "</tr>\n";
      }
      out += "</table>\n";
    }
    if (out.size() == body) {
      out.resize(start);
    } else {
      out += "</section>\n";
    }
  }

 private:
  bool Changed(const Item& item) const {
    return planned_ != nullptr &&
           std::any_of(item.entries.begin(), item.entries.end(),
                       [&](const SettingEntry* e) { return !SameSetting(*e, *planned_, file_); });
  }

  // A row neither file uses is left out, unless the two files differ in it.
  bool Shown(const Item* item) const {
    return item != nullptr && (InUse(*item, file_) || Changed(*item) ||
                               (planned_ != nullptr && InUse(*item, *planned_)));
  }

  std::string Cell(const Item* item) {
    if (item == nullptr) return "<td></td>";
    const bool used = InUse(*item, file_);
    const std::string found = used ? ItemValue(*item, file_) : "not in use";
    if (!Changed(*item)) {
      return used ? "<td>" + XmlText(found) + "</td>" : "<td class=\"unused\">not in use</td>";
    }
    ++marked_;
    const bool plannedUsed = InUse(*item, *planned_);
    const std::string planned = plannedUsed ? ItemValue(*item, *planned_) : "not in use";
    // Neither file uses the setting, but what they hold for it differs.
    const std::string text = used || plannedUsed ? planned + " → " + found
                                                 : "not in use: " + ItemValue(*item, *planned_) +
                                                       " → " + ItemValue(*item, file_);
    return "<td class=\"changed\">" + XmlText(text) + "</td>";
  }

  // The calendars and the heating curves, circuit 1 beside circuit 2; the planned ones beside
  // the found ones.
  std::string Pictures(int caption) const {
    if (caption != 204 && caption != 206 && caption != 220) return std::string();
    std::string out = "<div class=\"pictures\">\n";
    for (int circuit = 1; circuit <= 2; ++circuit) {
      const std::string c = CircuitKey(circuit);
      const int record = caption == 220   ? (circuit == 1 ? kRecordTemp1 : kRecordTemp2)
                         : caption == 204 ? RecordOfPart(circuit == 1 ? 9 : 11)
                                          : RecordOfPart(circuit == 1 ? 10 : 12);
      const FileRecord& r = file_.records[static_cast<size_t>(record)];
      const FileRecord* p =
          planned_ != nullptr ? &planned_->records[static_cast<size_t>(record)] : nullptr;
      const uint8_t* planned = p != nullptr && p->hasValues ? p->bytes.data() : nullptr;
      out += "<figure>\n<figcaption>BL" + std::to_string(circuit) + "</figcaption>\n";
      if (!r.hasValues) {
        out += "<p>No value line in the file.</p>\n</figure>\n";
        continue;
      }
      if (caption == 220) {
        const CurveSettings found{r.bytes.data(), CurveMode(file_, circuit)};
        const CurveSettings plan{planned, planned != nullptr && CurveMode(*planned_, circuit)};
        out += HeatingCurvePicture(found, circuit, planned != nullptr ? &plan : nullptr);
        if (!found.curveMode) {
          const Item day{"", {&EntryByKey(c + ".constant.day")}};
          const Item night{"", {&EntryByKey(c + ".constant.night")}};
          out += "<p>Constant temperatures, no heating curve: day " +
                 XmlText(ItemValue(day, file_)) + ", night " + XmlText(ItemValue(night, file_)) +
                 "</p>\n";
        }
      } else {
        out += CalendarPicture(r.bytes.data(), circuit, caption == 206, planned);
        const Item holiday{"",
                           {&EntryByKey(c + ".holiday.start"), &EntryByKey(c + ".holiday.stop")}};
        if (caption == 204)
          out += "<p>Holiday period: " + XmlText(ItemValue(holiday, file_)) + "</p>\n";
      }
      out += "</figure>\n";
    }
    return out + "</div>\n";
  }

  const SettingsFileContent& file_;
  const SettingsFileContent* planned_;
  size_t marked_ = 0;
};

std::string Row(const std::string& head, const std::string& value) {
  return "<tr><th>" + XmlText(head) + "</th><td>" + value + "</td></tr>\n";
}

}  // namespace

int ReportText(const ReportInput& file, const ReportInput* against, const std::string& date,
               std::ostream& out, std::ostream& err, const SiteInfo& site, ReportSummary* summary) {
  SettingsFileContent c, planned;
  const bool usable = ReadUsable(file.name, file.text, c, err);
  if (against != nullptr && !ReadUsable(against->name, against->text, planned, err)) {
    return kExitUnreadable;
  }
  if (!usable) return kExitUnreadable;

  bool different = false;
  std::vector<ByteChange> bytes;
  if (against != nullptr) {
    for (const SettingEntry& e : SettingsDictionary()) different |= !SameSetting(e, planned, c);
    bytes = UnnamedByteChanges(planned, c);
    different |= !bytes.empty();
  }
  Page tabs(c, against != nullptr ? &planned : nullptr);
  std::string sections;
  for (const ReportTab& tab : ReportTabs()) tabs.Tab(tab, sections);
  if (!bytes.empty()) {
    sections += "<section>\n<h2>Bytes no page writes</h2>\n<table class=\"settings\">\n";
    for (const ByteChange& b : bytes) {
      sections += "<tr><td>" + XmlText(b.where) + "</td><td class=\"changed\">" + b.from + " → " +
                  b.to + "</td></tr>\n";
    }
    sections += "</table>\n</section>\n";
  }
  // One difference is one marked cell: a start and its stop are one setting.
  const size_t differences = tabs.Marked() + bytes.size();

  std::string page =
      "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n"
      "<head>\n<meta charset=\"utf-8\"/>\n<title>Commissioning report: " +
      XmlText(c.nodeName) + "</title>\n<style>\n" + ReportStyle() + PageFooterStyle(c.nodeName) +
      "</style>\n</head>\n<body>\n<h1>Commissioning report: " + XmlText(c.nodeName) +
      "</h1>\n<table class=\"head\">\n";
  page += SiteRows(site);
  page += Row("Node name", XmlText(c.nodeName));
  page += Row("Time stamp", XmlText(c.timestamp));
  page += Row("Program ID", XmlText(c.programId));
  page += Row("File", XmlText(file.name));
  if (against != nullptr) {
    page += Row("Planned settings", XmlText(against->name) + ": " + XmlText(planned.nodeName) +
                                        ", " + XmlText(planned.timestamp));
    page +=
        Row("Differences", !different ? std::string("The two files hold the same settings.")
                                      : std::to_string(differences) +
                                            (differences == 1 ? " difference" : " differences") +
                                            ", marked planned → found");
  }
  page += Row("Report made", XmlText(date));
  page += "</table>\n<h2>Findings</h2>\n";
  const std::vector<FileFinding> findings = CheckFindings(c);
  if (findings.empty()) {
    page += "<p>No findings</p>\n";
  } else {
    page += "<ul class=\"findings\">\n";
    for (const FileFinding& f : findings) {
      page += "<li>Line " + std::to_string(f.line) + ": " + XmlText(f.text) + "</li>\n";
    }
    page += "</ul>\n";
  }
  if (summary != nullptr) {
    *summary = {c.nodeName, c.programId, c.timestamp, findings.size(), differences};
  }
  out << page << sections << SignOff(site) << "</body>\n</html>\n";
  return different ? 1 : 0;
}

bool IsReportCommand(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") return false;
  }
  for (const std::string& a : args) {
    if (a.empty() || a[0] != '-') return a == "report";
  }
  return false;
}

std::optional<SiteInfo> ReportOptions::Site(std::ostream& err) const {
  SiteInfo texts;
  if (siteFile) {
    std::string error;
    const std::optional<SiteInfo> read = ReadSiteFile(*siteFile, error);
    if (!read) {
      err << "hd7_3settings: " << error << "\n";
      return std::nullopt;
    }
    texts = *read;
  }
  if (site) texts.site = *site;
  if (engineer) texts.engineer = *engineer;
  if (commissioned) texts.commissioned = *commissioned;
  return texts;
}

std::string ReportOptions::Date() const {
  if (date) return *date;
  std::string today = FormatExportDate(fw::Platform::Now());
  today.pop_back();  // the date text's closing space
  return today;
}

bool ReadReportOptions(const std::vector<std::string>& args,
                       std::initializer_list<ReportOption> more, ReportOptions& o,
                       const char* usage, std::ostream& err) {
  const ReportOption common[] = {{"--against", &o.against},    {"--date", &o.date},
                                 {"--site-file", &o.siteFile}, {"--site", &o.site},
                                 {"--engineer", &o.engineer},  {"--commissioned", &o.commissioned}};
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::optional<std::string>* value = nullptr;
    for (const auto& [name, option] : common) value = a == name ? option : value;
    for (const auto& [name, option] : more) value = a == name ? option : value;
    if (value != nullptr && i + 1 < args.size()) {
      *value = args[++i];
    } else if (value != nullptr || (a.size() > 1 && a[0] == '-')) {
      err << "hd7_3settings: " << (value != nullptr ? "no value for " : "unknown option ") << a
          << "\n\n"
          << usage;
      return false;
    } else {
      o.words.push_back(a);
    }
  }
  return true;
}

int RunReport(const std::vector<std::string>& args, const char* usage, std::ostream& out,
              std::ostream& err) {
  ReportOptions o;
  std::optional<std::string> output;
  if (!ReadReportOptions(args, {{"--output", &output}}, o, usage, err)) return kExitUnreadable;
  std::vector<std::string>& words = o.words;
  if (words.size() != 2) {
    err << "hd7_3settings: wrong command or number of files\n\n" << usage;
    return kExitUnreadable;
  }

  // The page never takes the place of a file it is made from.
  std::vector<std::string> names{words[1]};
  if (o.against) names.push_back(*o.against);
  if (o.siteFile) names.push_back(*o.siteFile);
  if (output && OutputIsAnInput(*output, names, err)) return kExitUnreadable;

  const std::optional<SiteInfo> site = o.Site(err);
  if (!site) return kExitUnreadable;

  std::vector<ReportInput> inputs;
  for (const std::string* name : {&words[1], o.against ? &*o.against : nullptr}) {
    if (name == nullptr) continue;
    std::optional<std::string> text = LoadFile(*name, err);
    if (!text) return kExitUnreadable;
    inputs.push_back({*name, std::move(*text)});
  }
  std::ostringstream page;
  const int code =
      ReportText(inputs[0], inputs.size() > 1 ? &inputs[1] : nullptr, o.Date(), page, err, *site);
  if (code == kExitUnreadable) return code;
  if (!output) {
    out << page.str();
  } else if (!WriteOutputFile(*output, page.str(), err)) {
    return kExitUnreadable;
  }
  return code;
}
