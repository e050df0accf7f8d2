#include "settingsfile/settings_export.h"

#include <algorithm>

#include "framework/platform.h"
#include "nvdata/config_part.h"
#include "nvdata/number_text.h"
#include "settingsfile/nv_set.h"
#include "settingsfile/progress.h"
#include "settingsfile/value_lines.h"

namespace {

// The header block pads each title line to 43 characters.
std::string TitleLine(const std::string& title) {
  return title + std::string(43 - title.size(), ' ') + "\n";
}

// The node name as its header line carries it: the node's bytes, one per character, at most
// 20, with a carriage return or line feed in them turned into a space.
std::string NodeNameLineText(const std::string& nodeName) {
  std::string text = nodeName.substr(0, kNodeNameLength);
  // A line end inside the name would split the line: the download could take its tail for a
  // program ID or value line.
  std::replace(text.begin(), text.end(), '\r', ' ');
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

// The file's text before the NV sections, with "\n" line ends.
std::string ExportHeaderText(const std::string& nodeName, const fw::LocalTime& now) {
  std::string text;
  text += std::string(41, '/') + "  \n";
  text += TitleLine("/ Exported from");
  text += TitleLine("/ Program ID");
  text += "- " + std::string(kProgramIdText) + "\n";
  text += TitleLine("/ Nodename");
  text += "- " + NodeNameLineText(nodeName) + "\n";
  text += TitleLine("/ Export timestamp");
  // Date and time from one reading of the clock: never one day's date with the next day's time.
  text += "- " + FormatExportDate(now) + " " + FormatExportTime(now);
  text += "\n\n/ Network variable data \n\n";
  return text;
}

}  // namespace

std::optional<std::string> FetchNodeName(const NodeIo& node, int32_t capacity) {
  uint8_t buffer[64] = {};
  capacity = std::clamp<int32_t>(capacity, 0, sizeof buffer);
  if (node.GetNodeName(buffer, capacity) != 0) return std::nullopt;
  const size_t limit = std::min<size_t>(kNodeNameLength, static_cast<size_t>(capacity));
  const uint8_t* end = std::find(buffer, buffer + limit, uint8_t{0});
  return std::string(reinterpret_cast<const char*>(buffer), static_cast<size_t>(end - buffer));
}

std::string ExportText(const NodeIo& node, int& readErrors,
                       const std::function<void(const std::string&)>& showNodeName) {
  readErrors = 0;
  // A name that cannot be fetched is empty; it does not count as a read error. The file takes
  // the node's own bytes, never the name as a field gives it back (in another encoding).
  const std::string name = FetchNodeName(node, kExportNameCapacity).value_or(std::string());
  if (showNodeName) showNodeName(name);
  std::string text = ExportHeaderText(name, fw::Platform::Now());

  // Every read offers 31 bytes, whatever the NV's size. The record is zeroed before each read,
  // so that a host that reports success without filling it adds no stale or random bytes.
  const auto readValues = [&](int32_t index, RecordKind kind, bool readable) {
    uint8_t record[kRecordSize] = {};
    if (readable && node.Read(index, record, kRecordSize) == 0) {
      text += FormatValueLine(kind, record);
    } else {
      ++readErrors;
    }
  };
  for (const SingleNv& nv : SingleNvs()) {
    text += nv.header;
    ReportProgress(nv.name, "reading");
    readValues(nv.hostIndex, nv.kind, true);
  }

  for (int part = 1; part <= kPartCount; ++part) {
    text += PartHeaderLine(part);
    // A part that could not be selected is not read: the node would show another part.
    bool selected = true;
    ReportPartProgress(part, "selecting");
    if (GetConfigPart(node) != part) selected = SelectConfigPart(node, part).Ok();
    fw::Platform::Sleep(kFilePartPauseMs);
    ReportPartProgress(part, "reading");
    readValues(kIndexPluginCnf, RecordKind::kStrInt, selected);
  }
  return text;
}

std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

ExportResult ExportSettings(const NodeIo& node, const std::string& path,
                            const std::function<void(const std::string&)>& showNodeName) {
  ExportResult result;
  const std::string text = ExportText(node, result.readErrors, showNodeName);
  result.outcome = WriteFileSafely(path, WithCrLf(text));
  return result;
}
