#include "tools/report_rows.h"

#include <sstream>
#include <string_view>

#include "tools/report_pictures.h"

namespace {

constexpr uint32_t kEndOfDay = 96;  // 24:00 in quarter hours

bool EndsWith(std::string_view s, std::string_view end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

bool StartsWith(std::string_view s, std::string_view start) {
  return s.compare(0, start.size(), start) == 0;
}

std::string WithoutCircuit(const SettingEntry& e) {
  const std::string name(e.field.text);
  const std::string prefix = std::string(e.circuit) + " ";
  return !e.circuit.empty() && StartsWith(name, prefix) ? name.substr(prefix.size()) : name;
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

}  // namespace

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
  std::vector<uint32_t> raw;
  for (const SettingEntry* e : item.entries) {
    const SettingField& f = e->field;
    const FileRecord& r = c.records[static_cast<size_t>(f.record)];
    if (!text.empty()) text += "–";
    text += r.hasValues ? ValueText(f, r.bytes.data()) : "(no value line)";
    if (r.hasValues && f.codec == SettingCodec::kQuarterHours) {
      raw.push_back(RawValue(f, r.bytes.data()));
    }
  }
  // A calendar entry that starts where it stops switches nothing.
  if (raw.size() == 2 && raw[0] == raw[1] && raw[0] <= kEndOfDay) return "not used";
  const std::string_view unit = item.entries.front()->field.unit;
  return unit.empty() ? text : text + " " + std::string(unit);
}

bool CurveMode(const SettingsFileContent& c, int circuit) {
  static const SettingField* const kModes[] = {&EntryByKey("bl1.curve.mode").field,
                                               &EntryByKey("bl2.curve.mode").field};
  const SettingField& mode = *kModes[circuit == 1 ? 0 : 1];
  const FileRecord& r = c.records[static_cast<size_t>(mode.record)];
  return !r.hasValues || FieldNumber(mode, r.bytes.data()) != 0;
}

bool InUse(const Item& item, const SettingsFileContent& c) {
  const std::string_view key = item.entries.front()->field.key;
  const int circuit = StartsWith(key, "bl1.") ? 1 : StartsWith(key, "bl2.") ? 2 : 0;
  if (circuit == 0) return true;
  const std::string_view rest = key.substr(4);
  if (StartsWith(rest, "constant.")) return !CurveMode(c, circuit);
  if (!StartsWith(rest, "curve.") || rest == "curve.mode") return true;
  if (!CurveMode(c, circuit)) return false;
  const std::string_view point = "curve.point";
  if (!StartsWith(rest, point) || rest == "curve.points") return true;
  const FileRecord& r = c.records[static_cast<size_t>(item.entries.front()->field.record)];
  return rest[point.size()] - '0' <= CurvePointsInUse(r.bytes.data(), circuit);
}
