#include "settingsfile/settings_compare.h"

#include <algorithm>
#include <cstdio>

#include "framework/file_layer.h"
#include "settingsfile/line_reader.h"
#include "settingsfile/settings_dictionary.h"

namespace {

// The bits of each byte that no dictionary entry names.
std::vector<std::vector<uint8_t>> UnnamedBits() {
  std::vector<std::vector<uint8_t>> bits(kFileRecords);
  for (int r = 0; r < kFileRecords; ++r) bits[static_cast<size_t>(r)].assign(RecordSize(r), 0xFF);
  for (const SettingEntry& e : SettingsDictionary()) {
    const SettingField& f = e.field;
    for (int i = 0; i < f.size; ++i) {
      bits[static_cast<size_t>(f.record)][static_cast<size_t>(f.byte + i)] &=
          static_cast<uint8_t>(~f.mask);
    }
  }
  return bits;
}

std::string JsonValue(const SettingField& f, const FileRecord& r) {
  return r.hasValues ? JsonString(ValueText(f, r.bytes.data())) : "null";
}

}  // namespace

SettingsFileContent ReadSettingsText(const std::string& text) {
  TextLineReader lines(text);
  return ReadSettingsFile(lines);
}

bool IsUsable(const std::string& name, const SettingsFileContent& c, std::ostream& err) {
  if (!c.hasProgramId) {
    err << name << ": no program ID line: not a NodeSettings file\n";
    return false;
  }
  if (!c.programIdMatches) {
    err << name << ":" << c.programIdLine << ": program ID \"" << c.programId
        << "\" is not this node type's (90 48 44 37 5F 33 42 2A)\n";
    return false;
  }
  int count = 0;
  const std::string missing = MissingSections(c, count);
  if (count > 0) {
    err << name << ": truncated: the file ends at line " << c.lines << " without a section for "
        << missing << "\n";
    return false;
  }
  return true;
}

// ------------------------------------------------------------------ texts

std::string Hex(uint8_t b) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", b);
  return text;
}

std::string Heading(const SettingEntry& e) {
  return e.circuit.empty() ? std::string(e.tab)
                           : std::string(e.tab) + " (" + std::string(e.circuit) + ")";
}

size_t NameWidth() {
  size_t width = 0;
  for (const SettingEntry& e : SettingsDictionary()) width = std::max(width, e.field.text.size());
  return width;
}

std::string Padded(std::string_view text, size_t width) {
  return std::string(text) + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

std::string EntryValue(const SettingEntry& e, const FileRecord& r) {
  return r.hasValues ? ValueWithUnit(e.field, r.bytes.data()) : "(no value line)";
}

std::string JsonSetting(const SettingEntry& e, const FileRecord& r, const char* valueField) {
  return "{\"key\": " + JsonString(e.field.key) + ", \"name\": " + JsonString(e.field.text) +
         ", \"tab\": " + JsonString(e.tab) + ", \"circuit\": " + JsonString(e.circuit) + ", \"" +
         valueField + "\": " + JsonValue(e.field, r);
}

// ------------------------------------------------------------------ comparing

std::optional<std::string> LoadFile(const std::string& path, std::ostream& err) {
  fw::FileRead read = fw::ReadWholeFile(path);
  if (!read.Ok()) {
    err << "hd7_3settings: " << read.error << "\n";
    return std::nullopt;
  }
  return std::move(read.text);
}

bool ReadUsable(const std::string& name, const std::string& text, SettingsFileContent& content,
                std::ostream& err) {
  content = ReadSettingsText(text);
  return IsUsable(name, content, err);
}

bool SameSetting(const SettingEntry& e, const SettingsFileContent& a,
                 const SettingsFileContent& b) {
  const FileRecord& ra = a.records[static_cast<size_t>(e.field.record)];
  const FileRecord& rb = b.records[static_cast<size_t>(e.field.record)];
  return ra.hasValues == rb.hasValues && (!ra.hasValues || RawValue(e.field, ra.bytes.data()) ==
                                                               RawValue(e.field, rb.bytes.data()));
}

std::vector<ByteChange> UnnamedByteChanges(const SettingsFileContent& a,
                                           const SettingsFileContent& b) {
  std::vector<ByteChange> bytes;
  const auto unnamed = UnnamedBits();
  for (int r = 0; r < kFileRecords; ++r) {
    const FileRecord& ra = a.records[static_cast<size_t>(r)];
    const FileRecord& rb = b.records[static_cast<size_t>(r)];
    if (!ra.hasValues || !rb.hasValues) continue;  // told with the settings
    for (size_t i = 0; i < ra.bytes.size(); ++i) {
      const uint8_t mask = unnamed[static_cast<size_t>(r)][i];
      if (((ra.bytes[i] ^ rb.bytes[i]) & mask) == 0) continue;
      std::string where = RecordName(r) + " byte " + std::to_string(i);
      if (mask != 0xFF) where += " mask " + Hex(mask);
      bytes.push_back({where, Hex(ra.bytes[i] & mask), Hex(rb.bytes[i] & mask)});
    }
  }
  return bytes;
}

// ------------------------------------------------------------------ diff

int DiffTexts(const std::string& oldName, const std::string& oldText, const std::string& newName,
              const std::string& newText, bool json, std::ostream& out, std::ostream& err) {
  return DiffContents(oldName, ReadSettingsText(oldText), newName, ReadSettingsText(newText), json,
                      out, err);
}

int DiffContents(const std::string& oldName, const SettingsFileContent& a,
                 const std::string& newName, const SettingsFileContent& b, bool json,
                 std::ostream& out, std::ostream& err) {
  const bool usable = IsUsable(oldName, a, err);
  if (!IsUsable(newName, b, err) || !usable) return kExitUnreadable;

  struct Change {
    const SettingEntry* entry;
    std::string from, to;
  };
  std::vector<Change> changes;
  for (const SettingEntry& e : SettingsDictionary()) {
    if (SameSetting(e, a, b)) continue;
    const auto record = static_cast<size_t>(e.field.record);
    changes.push_back({&e, EntryValue(e, a.records[record]), EntryValue(e, b.records[record])});
  }
  const std::vector<ByteChange> bytes = UnnamedByteChanges(a, b);
  const bool differ = !changes.empty() || !bytes.empty();

  if (json) {
    out << "{\"old\": " << JsonString(oldName) << ", \"new\": " << JsonString(newName)
        << ",\n \"settings\": [\n";
    for (size_t i = 0; i < changes.size(); ++i) {
      const Change& ch = changes[i];
      const SettingEntry& e = *ch.entry;
      const FileRecord& ra = a.records[static_cast<size_t>(e.field.record)];
      const FileRecord& rb = b.records[static_cast<size_t>(e.field.record)];
      out << "  " << JsonSetting(e, ra, "old") << ", \"new\": " << JsonValue(e.field, rb)
          << ", \"unit\": " << JsonString(e.field.unit) << "}"
          << (i + 1 < changes.size() ? "," : "") << "\n";
    }
    out << " ],\n \"bytes\": [\n";
    for (size_t i = 0; i < bytes.size(); ++i) {
      out << "  {\"where\": " << JsonString(bytes[i].where) << ", \"old\": \"" << bytes[i].from
          << "\", \"new\": \"" << bytes[i].to << "\"}" << (i + 1 < bytes.size() ? "," : "") << "\n";
    }
    out << " ]}\n";
    return differ ? 1 : 0;
  }

  out << "--- " << oldName << "  " << a.nodeName << ", " << a.timestamp << "\n";
  out << "+++ " << newName << "  " << b.nodeName << ", " << b.timestamp << "\n";
  const size_t width = NameWidth();
  std::string heading;
  for (const Change& ch : changes) {
    if (Heading(*ch.entry) != heading) {
      heading = Heading(*ch.entry);
      out << "\n" << heading << "\n";
    }
    out << "  " << Padded(ch.entry->field.text, width) << "  " << ch.from << " → " << ch.to << "\n";
  }
  if (!bytes.empty()) {
    out << "\nBytes no page writes\n";
    for (const ByteChange& bc : bytes) {
      out << "  " << Padded(bc.where, width) << "  " << bc.from << " → " << bc.to << "\n";
    }
  }
  out << "\n";
  if (!differ) {
    out << "The two files hold the same settings.\n";
  } else {
    const size_t n = changes.size() + bytes.size();
    out << n << (n == 1 ? " difference.\n" : " differences.\n");
  }
  return differ ? 1 : 0;
}
