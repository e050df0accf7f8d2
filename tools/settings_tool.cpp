#include "tools/settings_tool.h"

#include <cstdio>

#include "settingsfile/settings_compare.h"
#include "settingsfile/settings_dictionary.h"

namespace {

constexpr int kExitUnreadable = 2;

// ------------------------------------------------------------------ formatting

std::string RawBytes(const SettingEntry& e, const FileRecord& r) {
  std::string where = RecordName(e.record) + " byte " + std::to_string(e.byte);
  if (e.size == 2) where += "-" + std::to_string(e.byte + 1);
  if (e.codec == SettingCodec::kFlag) where += " mask " + Hex(e.mask);
  std::string bytes;
  for (int i = 0; i < e.size; ++i) {
    bytes += (i > 0 ? " " : "") + Hex(r.bytes[static_cast<size_t>(e.byte + i)]);
  }
  return "[" + where + ": " + bytes + "]";
}

std::string JsonBytes(const SettingEntry& e, const FileRecord& r) {
  std::string out = "[";
  for (int i = 0; i < e.size; ++i) {
    out += (i > 0 ? ", " : "") + std::to_string(r.bytes[static_cast<size_t>(e.byte + i)]);
  }
  return out + "]";
}

}  // namespace

// ------------------------------------------------------------------ show

int ShowText(const std::string& name, const std::string& text, bool raw, bool json,
             std::ostream& out, std::ostream& err) {
  return ShowContent(name, ReadSettingsText(text), raw, json, out, err);
}

int ShowContent(const std::string& name, const SettingsFileContent& c, bool raw, bool json,
                std::ostream& out, std::ostream& err) {
  if (!IsUsable(name, c, err)) return kExitUnreadable;
  const auto& dictionary = SettingsDictionary();

  if (json) {
    out << "{\"file\": " << JsonText(name) << ",\n \"nodeName\": " << JsonText(c.nodeName)
        << ",\n \"timestamp\": " << JsonText(c.timestamp) << ",\n \"settings\": [\n";
    for (size_t i = 0; i < dictionary.size(); ++i) {
      const SettingEntry& e = dictionary[i];
      const FileRecord& r = c.records[static_cast<size_t>(e.record)];
      out << "  " << JsonSetting(e, &r, "value") << ", \"unit\": " << JsonText(e.unit)
          << ", \"nv\": " << JsonText(RecordName(e.record)) << ", \"byte\": " << e.byte
          << ", \"bytes\": " << JsonBytes(e, r) << "}" << (i + 1 < dictionary.size() ? "," : "")
          << "\n";
    }
    out << " ]}\n";
    return 0;
  }

  out << "Node name:  " << c.nodeName << "\n";
  out << "Time stamp: " << c.timestamp << "\n";
  const size_t width = NameWidth();
  std::string heading;
  for (const SettingEntry& e : dictionary) {
    if (Heading(e) != heading) {
      heading = Heading(e);
      out << "\n" << heading << "\n";
    }
    const FileRecord& r = c.records[static_cast<size_t>(e.record)];
    std::string line = "  " + Padded(e.name, width) + "  " + EntryValue(e, r);
    if (raw) line = Padded(line, width + 16) + "  " + RawBytes(e, r);
    out << line << "\n";
  }
  return 0;
}

// ------------------------------------------------------------------ diff
// ------------------------------------------------------------------ check

int CheckText(const std::string& name, const std::string& text, bool json, std::ostream& out) {
  return CheckContent(name, ReadSettingsText(text), json, out);
}

int CheckContent(const std::string& name, const SettingsFileContent& content, bool json,
                 std::ostream& out) {
  const std::vector<FileFinding> findings = CheckFindings(content);

  if (json) {
    out << "{\"file\": " << JsonText(name) << ",\n \"findings\": [\n";
    for (size_t i = 0; i < findings.size(); ++i) {
      out << "  {\"line\": " << findings[i].line << ", \"text\": " << JsonText(findings[i].text)
          << "}" << (i + 1 < findings.size() ? "," : "") << "\n";
    }
    out << " ]}\n";
  } else {
    for (const FileFinding& f : findings) out << name << ":" << f.line << ": " << f.text << "\n";
    if (findings.empty()) {
      out << name << ": no findings\n";
    } else {
      out << name << ": " << findings.size()
          << (findings.size() == 1 ? " finding\n" : " findings\n");
    }
  }
  return findings.empty() ? 0 : 1;
}
