#include "settingsfile/settings_reader.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "nvdata/config_part.h"
#include "nvdata/number_text.h"
#include "pages/clock/time_text.h"
#include "settingsfile/nv_set.h"
#include "settingsfile/settings_sections.h"
#include "settingsfile/value_lines.h"

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// A field as the writer writes it: an optional minus and digits, nothing else.
bool IsWholeNumber(std::string_view text) {
  size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
  if (i == text.size()) return false;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return false;
  }
  return true;
}

// The "** Part n" number of a part header, or 0.
int HeaderPartNumber(std::string_view header) {
  const size_t at = header.find("** Part ");
  if (at == std::string_view::npos) return 0;
  const std::string_view rest = header.substr(at + 8);
  int n = 0;
  for (size_t i = 0; i < rest.size() && i < 3 && IsDigit(rest[i]); ++i) n = n * 10 + rest[i] - '0';
  return n;
}

class Reader : public SettingsFileVisitor {
 public:
  explicit Reader(SettingsFileContent& content) : c_(content) {
    for (int r = 0; r < kFileRecords; ++r) {
      c_.records[static_cast<size_t>(r)].bytes.assign(static_cast<size_t>(RecordSize(r)), 0);
    }
  }

  bool ProgramId(int line, std::string_view id) override {
    if (lastComment_ == "/ Nodename") {
      c_.nodeName = std::string(id);
      Find(line, "the node name has 23 characters: a download takes the line for a program ID");
    }
    // The first program ID line, or the first that is not this node type's.
    if (!c_.hasProgramId || (id != kProgramIdText && c_.programIdMatches)) {
      c_.programIdLine = line;
      c_.programId = std::string(id);
    }
    c_.hasProgramId = true;
    if (id != kProgramIdText) {
      c_.programIdMatches = false;
      Find(line, "program ID " + Quoted(id) + " is not this node type's " + Quoted(kProgramIdText) +
                     ": a download asks before it writes on");
    }
    // Read on as if the engineer had answered Yes, so that the rest is checked as well.
    return true;
  }

  void Section(const FileSection& s) override {
    int record = -1;
    if (s.part > 0) {
      const int said = HeaderPartNumber(HeaderAt(s.headerLine));
      if (s.part > kPartCount) {
        Find(s.headerLine, "a thirteenth or later nviPluginCnf section: a download skips it");
      } else {
        record = RecordOfPart(s.part);
        if (said != s.part) {
          Find(s.headerLine, "the header says part " + std::to_string(said) +
                                 ", but a download writes this section to part " +
                                 std::to_string(s.part) + " (the part sections in file order)");
        }
      }
    } else if (const SingleNv* nv = FindSingleNv(s.name)) {
      record = static_cast<int>(nv - SingleNvs().data());
    } else {
      Find(s.headerLine, "unknown NV name " + Quoted(s.name) + ": a download skips this section");
    }
    if (record < 0) return;

    FileRecord& r = c_.records[static_cast<size_t>(record)];
    if (r.hasSection) {
      Find(s.headerLine, RecordName(record) + " again (first at line " +
                             std::to_string(r.headerLine) + "): a download writes it twice");
    }
    r.hasSection = true;
    r.headerLine = s.headerLine;
    if (s.values == nullptr) {
      Find(s.headerLine,
           RecordName(record) + " has no value line: a download leaves it as the node holds it");
      return;
    }
    r.hasValues = true;
    r.valueLine = s.valueLine;
    const RecordKind kind =
        record < 6 ? SingleNvs()[static_cast<size_t>(record)].kind : RecordKind::kStrInt;
    r.bytes = ParseValueLine(kind, *s.values);
    CheckValueLine(s.valueLine, kind, *s.values);
  }

  void OtherLine(int line, const std::string& text) override {
    if (!text.empty() && text[0] == '/') {
      lastComment_ = text.substr(0, text.find_last_not_of(' ') + 1);
    } else if (!text.empty() && text[0] == '-') {
      const std::string value = text.substr(std::min<size_t>(2, text.size()));
      if (lastComment_ == "/ Nodename") c_.nodeName = value;
      if (lastComment_ == "/ Export timestamp") c_.timestamp = value;
    } else if (!text.empty() && text[0] == '*' && !c_.hasProgramId) {
      if (!reportedNoId_) {
        Find(line, "a section before any program ID line: a download writes nothing until one");
      }
      reportedNoId_ = true;
    }
  }

  // Header lines as they are read: the walk has read one line past a section's header when it
  // hands the section over, and that line may be the next header.
  void Remember(int number, const std::string& line) {
    if (line.empty() || line[0] != '*') return;
    previous_ = std::move(last_);
    last_ = {number, line};
  }

  void Find(int line, std::string text) { c_.findings.push_back({line, std::move(text)}); }

 private:
  void CheckValueLine(int line, RecordKind kind, const std::string& values) {
    const int expected = kind == RecordKind::kStrInt ? 16 : kind == RecordKind::kCount ? 1 : 4;
    const int fields = static_cast<int>(std::count(values.begin(), values.end(), ',')) + 1;
    if (fields != expected) {
      Find(line, std::to_string(fields) + (fields == 1 ? " value" : " values") + " where " +
                     std::to_string(expected) + (expected == 1 ? " belongs" : " belong") +
                     ": a download takes the missing ones as 0");
    }
    // A download skips one character after each comma, whatever it is.
    for (size_t at = values.find(','); at != std::string::npos; at = values.find(',', at + 1)) {
      if (at + 1 < values.size() && !IsBlank(values[at + 1])) {
        Find(line, "a comma without a space after it: a download drops the character after it");
        break;
      }
    }
    const ValueLineFieldTexts texts = ValueLineFields(values, expected);
    for (int k = 0; k < expected; ++k) {
      const std::string_view field =
          Trimmed(expected == 1 ? std::string_view(values) : texts[static_cast<size_t>(k)]);
      // Made only for a finding: most fields have none.
      const auto label = [&] { return expected == 1 ? "the value" : "value " + std::to_string(k); };
      if (field.empty()) {
        if (fields == expected) Find(line, label() + " is empty: a download writes 0");
        continue;
      }
      const int32_t n = TruncToInt32(Atof(field));
      if (!IsWholeNumber(field)) {
        Find(line, label() + " " + Quoted(field) + " is not a whole number: a download writes " +
                       std::to_string(n));
        continue;
      }
      const bool isByte =
          kind == RecordKind::kTimePassed || (kind == RecordKind::kStrInt && k == 0);
      const int32_t lo = isByte ? -128 : -32768;
      const int32_t hi = isByte ? 255 : 65535;
      if (n < lo || n > hi) {
        Find(line, label() + " " + std::string(field) + " does not fit in " +
                       (isByte ? "a byte" : "a word") + ": a download keeps only its low " +
                       (isByte ? "8" : "16") + " bits");
      }
    }
  }

  const std::string& HeaderAt(int number) const {
    return number == last_.first ? last_.second : previous_.second;
  }

  SettingsFileContent& c_;
  std::string lastComment_;
  std::pair<int, std::string> last_;
  std::pair<int, std::string> previous_;
  bool reportedNoId_ = false;
};

// Hands the reader each header line before the walk looks at it, and counts the lines.
class HeaderWatch : public LineReader {
 public:
  HeaderWatch(LineReader& inner, Reader& reader, int& count)
      : inner_(inner), reader_(reader), count_(count) {}
  bool Next(std::string& line) override {
    if (!inner_.Next(line)) return false;
    ++count_;
    reader_.Remember(count_, line);
    return true;
  }

 protected:
  int Get() override { return EOF; }

 private:
  LineReader& inner_;
  Reader& reader_;
  int& count_;
};

constexpr const char* kWeekDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

std::string Times(int n, const char* what) {
  return std::to_string(n) + " " + what + (n == 1 ? " time" : " times");
}

// What the calendar pages check before they write a part: no word they show with a stop before
// its start (a stop of 0:00 ends the day), and as many starts as stops over a calendar's week (and
// over the holiday period). A calendar that fails either is refused as a whole on Write.
void CalendarFindings(const SettingsFileContent& content, std::vector<FileFinding>& findings) {
  struct Calendar {
    int part;
    const char* name;
    bool pir;
  };
  const Calendar calendars[] = {{9, "BL1 week calendar", false},
                                {10, "BL1 presence calendar", true},
                                {11, "BL2 week calendar", false},
                                {12, "BL2 presence calendar", true}};
  for (const Calendar& cal : calendars) {
    const FileRecord& r = content.records[static_cast<size_t>(RecordOfPart(cal.part))];
    if (!r.hasValues) continue;
    const auto stop = [&](int word) { return r.bytes[static_cast<size_t>(2 * word - 1)]; };
    const auto start = [&](int word) { return r.bytes[static_cast<size_t>(2 * word)]; };
    const std::string refused = ": the page refuses to write this calendar";
    // The presence page neither shows nor checks its even words and word 15: it writes them
    // back as the node holds them, so such a word never blocks a write.
    const std::string hidden =
        ": a download writes it as it is; the page does not show it and "
        "writes it back unchanged";
    // A week calendar's odd words are its calendar 1, its even words its calendar 2.
    const auto named = [&](int number) {
      return std::string(cal.name) + (cal.pir ? "" : " " + std::to_string(number));
    };
    const std::string holiday = std::string(cal.name).substr(0, 4) + "holiday";
    for (int word = 1; word <= 15; ++word) {
      if (stop(word) == 0 || stop(word) >= start(word)) continue;
      std::string what;
      const bool onPage = !cal.pir || (word % 2 == 1 && word != 15);
      if (!onPage) {
        what = std::string(cal.name) + ", word " + std::to_string(word) + " (not on the page)";
      } else if (word == 15) {
        what = holiday;
      } else {
        what = named(2 - word % 2) + ", " + kWeekDays[(word - 1) / 2];
      }
      findings.push_back({r.valueLine, what + ": stop " + QuarterHoursToText(stop(word)) +
                                           " before start " + QuarterHoursToText(start(word)) +
                                           (onPage ? refused : hidden)});
    }
    for (int first = 1; first <= (cal.pir ? 1 : 2); ++first) {
      int starts = 0, stops = 0;
      for (int word = first; word <= 14; word += 2) {
        starts += start(word) != 0 ? 1 : 0;
        stops += stop(word) != 0 ? 1 : 0;
      }
      if (starts != stops) {
        findings.push_back({r.valueLine, named(first) + ": " + Times(starts, "start") + " but " +
                                             Times(stops, "stop") + refused});
      }
    }
    if (!cal.pir && (start(15) != 0) != (stop(15) != 0)) {
      findings.push_back(
          {r.valueLine, holiday + ": a start without a stop or a stop without a start" + refused});
    }
  }
}

}  // namespace

std::string MissingSections(const SettingsFileContent& content, int& count) {
  std::string missing;
  count = 0;
  for (int r = 0; r < kFileRecords; ++r) {
    if (!content.records[static_cast<size_t>(r)].hasSection) {
      missing += (count++ > 0 ? ", " : "") + RecordName(r);
    }
  }
  return missing;
}

SettingsFileContent ReadSettingsFile(LineReader& lines) {
  SettingsFileContent content;
  Reader reader(content);
  HeaderWatch watched(lines, reader, content.lines);
  WalkSettingsFile(watched, reader);

  if (!content.hasProgramId) {
    reader.Find(std::max(1, content.lines),
                "no program ID line: a download writes nothing from this file");
  } else {
    int count = 0;
    const std::string missing = MissingSections(content, count);
    if (count > 0) {
      reader.Find(std::max(1, content.lines),
                  "the file ends without a section for " + missing + ": a download leaves " +
                      (count == 1 ? "it as the node holds it" : "them as the node holds them"));
    }
  }
  std::stable_sort(content.findings.begin(), content.findings.end(),
                   [](const FileFinding& a, const FileFinding& b) { return a.line < b.line; });
  return content;
}

std::vector<FileFinding> CheckFindings(const SettingsFileContent& content) {
  std::vector<FileFinding> findings = content.findings;
  CalendarFindings(content, findings);
  for (const SettingEntry& e : SettingsDictionary()) {
    const SettingField& f = e.field;
    const FileRecord& r = content.records[static_cast<size_t>(f.record)];
    if (!r.hasValues) continue;
    std::string accepted;
    if (!IsAccepted(f, r.bytes.data(), &accepted)) {
      findings.push_back({r.valueLine, std::string(f.text) + ": " + ValueText(f, r.bytes.data()) +
                                           " is outside what the page accepts (" + accepted + ")"});
    }
  }
  std::stable_sort(findings.begin(), findings.end(),
                   [](const FileFinding& a, const FileFinding& b) { return a.line < b.line; });
  return findings;
}
