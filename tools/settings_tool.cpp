#include "tools/settings_tool.h"

#include "settingsfile/settings_compare.h"
#include "settingsfile/settings_dictionary.h"

namespace {

// ------------------------------------------------------------------ formatting

std::string RawBytes(const SettingField& f, const FileRecord& r) {
  std::string where = RecordName(f.record) + " byte " + std::to_string(f.byte);
  if (f.size == 2) where += "-" + std::to_string(f.byte + 1);
  if (f.codec == SettingCodec::kFlag) where += " mask " + Hex(f.mask);
  std::string bytes;
  for (int i = 0; i < f.size; ++i) {
    bytes += (i > 0 ? " " : "") + Hex(r.bytes[static_cast<size_t>(f.byte + i)]);
  }
  return "[" + where + ": " + bytes + "]";
}

std::string JsonBytes(const SettingField& f, const FileRecord& r) {
  std::string out = "[";
  for (int i = 0; i < f.size; ++i) {
    out += (i > 0 ? ", " : "") + std::to_string(r.bytes[static_cast<size_t>(f.byte + i)]);
  }
  return out + "]";
}

}  // namespace

// ------------------------------------------------------------------ show

int ShowContent(const std::string& name, const SettingsFileContent& c, bool raw, bool json,
                std::ostream& out, std::ostream& err) {
  if (!IsUsable(name, c, err)) return kExitUnreadable;
  const auto& dictionary = SettingsDictionary();

  if (json) {
    out << "{\"file\": " << JsonString(name) << ",\n \"nodeName\": " << JsonString(c.nodeName)
        << ",\n \"timestamp\": " << JsonString(c.timestamp) << ",\n \"settings\": [\n";
    for (size_t i = 0; i < dictionary.size(); ++i) {
      const SettingEntry& e = dictionary[i];
      const SettingField& f = e.field;
      const FileRecord& r = c.records[static_cast<size_t>(f.record)];
      out << "  " << JsonSetting(e, r, "value") << ", \"unit\": " << JsonString(f.unit)
          << ", \"nv\": " << JsonString(RecordName(f.record)) << ", \"byte\": " << f.byte
          << ", \"bytes\": " << JsonBytes(f, r) << "}" << (i + 1 < dictionary.size() ? "," : "")
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
    const FileRecord& r = c.records[static_cast<size_t>(e.field.record)];
    std::string line = "  " + Padded(e.field.text, width) + "  " + EntryValue(e, r);
    if (raw) line = Padded(line, width + 16) + "  " + RawBytes(e.field, r);
    out << line << "\n";
  }
  return 0;
}

// ------------------------------------------------------------------ check

int CheckContent(const std::string& name, const SettingsFileContent& content, bool json,
                 std::ostream& out) {
  const std::vector<FileFinding> findings = CheckFindings(content);

  if (json) {
    out << "{\"file\": " << JsonString(name) << ",\n \"findings\": [\n";
    for (size_t i = 0; i < findings.size(); ++i) {
      out << "  {\"line\": " << findings[i].line << ", \"text\": " << JsonString(findings[i].text)
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
