#include "tools/settings_report.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <sstream>
#include <utility>
#include <vector>

#include "control/sheet.h"
#include "framework/platform.h"
#include "nvdata/number_text.h"
#include "resources/strings.h"
#include "settingsfile/safe_file.h"
#include "settingsfile/settings_compare.h"
#include "settingsfile/settings_dictionary.h"
#include "tools/tool_output.h"

namespace {

constexpr int kExitUnreadable = 2;

// ------------------------------------------------------------------ the tabs

// The tabs of both page sets in the sheet's order, by caption string; a second caption where
// circuit 2's tab has its own. The notes stand for what a NodeSettings file does not hold.
struct ReportTab {
  int caption;
  int caption2;
  const char* note;
};

// The notes by the template id of the tab's page (circuit 1's where both circuits have one).
const std::pair<int, const char*> kNotes[] = {
    {200, "The node's name stands at the top; this tab's buttons choose the page set."},
    {201, "This file's program ID and time stamp stand at the top."},
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

// The sheet's tabs, made once from its pages.
const std::vector<ReportTab>& ReportTabs() {
  static const std::vector<ReportTab> tabs = [] {
    std::vector<ReportTab> made;
    SheetPages pages;
    for (const SheetTab& tab : pages.Tabs()) {
      const fw::CPropertyPage& page = tab.set1 != nullptr ? *tab.set1 : *tab.set2;
      const int caption2 =
          tab.set1 != nullptr && tab.set2 != nullptr && tab.set2->CaptionId() != page.CaptionId()
              ? tab.set2->CaptionId()
              : 0;
      const char* note = nullptr;
      for (const auto& [templateId, text] : kNotes) {
        if (templateId == page.TemplateId()) note = text;
      }
      made.push_back({page.CaptionId(), caption2, note});
    }
    return made;
  }();
  return tabs;
}

// One row of a circuit: a setting, or a start and a stop as one time span.
struct Item {
  std::string label;
  std::vector<const SettingEntry*> entries;
};

bool EndsWith(const std::string& s, std::string_view end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

std::string WithoutCircuit(const SettingEntry& e) {
  const std::string prefix = std::string(e.circuit) + " ";
  return !e.circuit.empty() && e.name.compare(0, prefix.size(), prefix) == 0
             ? e.name.substr(prefix.size())
             : e.name;
}

std::vector<Item> Items(const std::vector<const SettingEntry*>& entries) {
  std::vector<Item> items;
  for (size_t i = 0; i < entries.size(); ++i) {
    const std::string name = WithoutCircuit(*entries[i]);
    if (EndsWith(name, ", start") && i + 1 < entries.size()) {
      const std::string span = name.substr(0, name.size() - 7);
      if (WithoutCircuit(*entries[i + 1]) == span + ", stop") {
        items.push_back({span, {entries[i], entries[i + 1]}});
        ++i;
        continue;
      }
    }
    items.push_back({name, {entries[i]}});
  }
  return items;
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// One label for the two circuits' rows: "valve Mv1/Mv2 signal".
std::string Label(const std::string& a, const std::string& b) {
  if (a.empty() || a == b) return b.empty() ? a : b;
  if (b.empty()) return a;
  const std::vector<std::string> wa = Words(a), wb = Words(b);
  if (wa.size() != wb.size()) return a + " / " + b;
  std::string out;
  for (size_t i = 0; i < wa.size(); ++i) {
    out += (i > 0 ? " " : "") + (wa[i] == wb[i] ? wa[i] : wa[i] + "/" + wb[i]);
  }
  return out;
}

std::string ItemValue(const Item& item, const SettingsFileContent& c) {
  std::string text;
  for (const SettingEntry* e : item.entries) {
    const FileRecord& r = c.records[static_cast<size_t>(e->record)];
    if (!text.empty()) text += "–";
    text += r.hasValues ? ValueText(*e, r.bytes.data()) : "(no value line)";
  }
  const std::string_view unit = item.entries.front()->unit;
  return unit.empty() ? text : text + " " + std::string(unit);
}

class Page {
 public:
  Page(const SettingsFileContent& file, const SettingsFileContent* planned)
      : file_(file), planned_(planned) {}

  std::string Cell(const Item* item) const {
    if (item == nullptr) return "<td></td>";
    const std::string found = XmlText(ItemValue(*item, file_));
    const bool changed =
        planned_ != nullptr &&
        std::any_of(item->entries.begin(), item->entries.end(),
                    [&](const SettingEntry* e) { return !SameSetting(*e, *planned_, file_); });
    if (!changed) return "<td>" + found + "</td>";
    return "<td class=\"changed\">" + XmlText(ItemValue(*item, *planned_)) + " → " + found +
           "</td>";
  }

  std::string Tab(const ReportTab& tab) const {
    const std::string caption = ResString(tab.caption);
    const std::string caption2 = tab.caption2 != 0 ? ResString(tab.caption2) : caption;
    std::vector<const SettingEntry*> bl1, bl2, shared;
    for (const SettingEntry& e : SettingsDictionary()) {
      if (e.circuit == "BL1" && e.tab == caption) bl1.push_back(&e);
      if (e.circuit == "BL2" && e.tab == caption2) bl2.push_back(&e);
      if (e.circuit.empty() && e.tab == caption) shared.push_back(&e);
    }
    std::string out = "<section>\n<h2>" + XmlText(caption) +
                      (caption2 != caption ? " (BL1), " + XmlText(caption2) + " (BL2)" : "") +
                      "</h2>\n";
    if (tab.note != nullptr) out += "<p class=\"note\">" + XmlText(tab.note) + "</p>\n";
    out += Pictures(tab.caption);
    if (!shared.empty()) {
      out += "<table class=\"settings\">\n";
      for (const Item& item : Items(shared)) {
        out += "<tr><td>" + XmlText(item.label) + "</td>" + Cell(&item) + "</tr>\n";
      }
      out += "</table>\n";
    } else if (!bl1.empty() || !bl2.empty()) {
      const std::vector<Item> a = Items(bl1), b = Items(bl2);
      out += "<table class=\"settings\">\n<tr><th></th>";
      if (!a.empty()) out += "<th>BL1</th>";
      if (!b.empty()) out += "<th>BL2</th>";
      out += "</tr>\n";
      for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const Item* ia = i < a.size() ? &a[i] : nullptr;
        const Item* ib = i < b.size() ? &b[i] : nullptr;
        out += "<tr><td>" + XmlText(Label(ia ? ia->label : "", ib ? ib->label : "")) + "</td>";
        if (!a.empty()) out += Cell(ia);
        if (!b.empty()) out += Cell(ib);
        out += "</tr>\n";
      }
      out += "</table>\n";
    }
    return out + "</section>\n";
  }

 private:
  // The calendars and the heating curves, circuit 1 beside circuit 2.
  std::string Pictures(int caption) const {
    if (caption != 204 && caption != 206 && caption != 220) return std::string();
    std::string out = "<div class=\"pictures\">\n";
    for (int circuit = 1; circuit <= 2; ++circuit) {
      const std::string c = CircuitKey(circuit);
      const int record = caption == 220   ? (circuit == 1 ? kRecordTemp1 : kRecordTemp2)
                         : caption == 204 ? RecordOfPart(circuit == 1 ? 9 : 11)
                                          : RecordOfPart(circuit == 1 ? 10 : 12);
      const FileRecord& r = file_.records[static_cast<size_t>(record)];
      out += "<figure>\n<figcaption>BL" + std::to_string(circuit) + "</figcaption>\n";
      if (!r.hasValues) {
        out += "<p>No value line in the file.</p>\n</figure>\n";
        continue;
      }
      const Item holiday{"", {&EntryByKey(c + ".holiday.start"), &EntryByKey(c + ".holiday.stop")}};
      const Item day{"", {&EntryByKey(c + ".constant.day")}};
      const Item night{"", {&EntryByKey(c + ".constant.night")}};
      if (caption == 220) {
        out += HeatingCurvePicture(r.bytes.data(), circuit) + "<p>Constant day temperature " +
               XmlText(ItemValue(day, file_)) + ", constant night temperature " +
               XmlText(ItemValue(night, file_)) + "</p>\n";
      } else {
        out += CalendarPicture(r.bytes.data(), circuit, caption == 206);
        if (caption == 204)
          out += "<p>Holiday period: " + XmlText(ItemValue(holiday, file_)) + "</p>\n";
      }
      out += "</figure>\n";
    }
    return out + "</div>\n";
  }

  const SettingsFileContent& file_;
  const SettingsFileContent* planned_;
};

std::string Row(const std::string& head, const std::string& value) {
  return "<tr><th>" + XmlText(head) + "</th><td>" + value + "</td></tr>\n";
}

}  // namespace

int ReportText(const ReportInput& file, const ReportInput* against, const std::string& date,
               std::ostream& out, std::ostream& err) {
  SettingsFileContent c, planned;
  const bool usable = ReadUsable(file.name, file.text, c, err);
  if (against != nullptr && !ReadUsable(against->name, against->text, planned, err)) {
    return kExitUnreadable;
  }
  if (!usable) return kExitUnreadable;

  size_t differences = 0;
  std::vector<ByteChange> bytes;
  if (against != nullptr) {
    for (const SettingEntry& e : SettingsDictionary())
      differences += SameSetting(e, planned, c) ? 0 : 1;
    bytes = UnnamedByteChanges(planned, c);
    differences += bytes.size();
  }

  std::string page =
      "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n"
      "<head>\n<meta charset=\"utf-8\"/>\n<title>Commissioning report: " +
      XmlText(c.nodeName) + "</title>\n<style>\n" + ReportStyle() +
      "</style>\n</head>\n<body>\n<h1>Commissioning report: " + XmlText(c.nodeName) +
      "</h1>\n<table class=\"head\">\n";
  page += Row("Node name", XmlText(c.nodeName));
  page += Row("Time stamp", XmlText(c.timestamp));
  page += Row("Program ID", XmlText(c.programId));
  page += Row("File", XmlText(file.name));
  if (against != nullptr) {
    page += Row("Planned settings", XmlText(against->name) + ": " + XmlText(planned.nodeName) +
                                        ", " + XmlText(planned.timestamp));
    page += Row("Differences", differences == 0
                                   ? std::string("The two files hold the same settings.")
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
  const Page tabs(c, against != nullptr ? &planned : nullptr);
  for (const ReportTab& tab : ReportTabs()) page += tabs.Tab(tab);
  if (!bytes.empty()) {
    page += "<section>\n<h2>Bytes no page writes</h2>\n<table class=\"settings\">\n";
    for (const ByteChange& b : bytes) {
      page += "<tr><td>" + XmlText(b.where) + "</td><td class=\"changed\">" + b.from + " → " +
              b.to + "</td></tr>\n";
    }
    page += "</table>\n</section>\n";
  }
  out << page << "</body>\n</html>\n";
  return differences == 0 ? 0 : 1;
}

bool IsReportCommand(const std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") return false;
  }
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i].empty() || args[i][0] != '-') return args[i] == "report";
  }
  return false;
}

int RunReport(const std::vector<std::string>& args, const char* usage, std::ostream& out,
              std::ostream& err) {
  std::vector<std::string> words;
  std::optional<std::string> against, output, date;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::optional<std::string>* value = a == "--against"  ? &against
                                        : a == "--output" ? &output
                                        : a == "--date"   ? &date
                                                          : nullptr;
    if (value != nullptr && i + 1 < args.size()) {
      *value = args[++i];
    } else if (value != nullptr || (a.size() > 1 && a[0] == '-')) {
      err << "hd7_3settings: " << (value != nullptr ? "no value for " : "unknown option ") << a
          << "\n\n"
          << usage;
      return kExitUnreadable;
    } else {
      words.push_back(a);
    }
  }
  if (words.size() != 2) {
    err << "hd7_3settings: wrong command or number of files\n\n" << usage;
    return kExitUnreadable;
  }
  fw::RuntimePlatform files;
  std::optional<fw::ScopedPlatform> installed;
  if (!fw::Platform::Installed()) installed.emplace(files);

  // The page never takes the place of a file it is made from.
  std::vector<std::string> names{words[1]};
  if (against) names.push_back(*against);
  if (output && OutputIsAnInput(*output, names, err)) return kExitUnreadable;

  std::vector<ReportInput> inputs;
  for (const std::string* name : {&words[1], against ? &*against : nullptr}) {
    if (name == nullptr) continue;
    std::optional<std::string> text = LoadFile(*name, err);
    if (!text) return kExitUnreadable;
    inputs.push_back({*name, std::move(*text)});
  }
  if (!date) {
    date = FormatExportDate(fw::Platform::Now());
    date->pop_back();  // the date text's closing space
  }
  std::ostringstream page;
  const int code =
      ReportText(inputs[0], inputs.size() > 1 ? &inputs[1] : nullptr, *date, page, err);
  if (code == kExitUnreadable) return code;
  if (!output) {
    out << page.str();
  } else {
    errno = 0;
    const FileWriteOutcome written = WriteFileSafely(*output, page.str());
    const int error = errno;
    if (written == FileWriteOutcome::kWritten) return code;
    err << "hd7_3settings: "
        << (written == FileWriteOutcome::kWriteFailed ? "write error: " : "cannot write ")
        << *output << (error != 0 ? ": " + std::string(std::strerror(error)) : std::string())
        << ": a file there is left as it was\n";
    return kExitUnreadable;
  }
  return code;
}
