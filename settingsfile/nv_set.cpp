#include "settingsfile/nv_set.h"

#include "settingsfile/value_lines.h"

namespace {

// The header lines pad with spaces as the files in the field have them; the widths differ from
// line to line and are kept exactly.
const std::array<SingleNv, 6> kSingleNvs = {{
    {"nciTemp1PlugIn", 39, RecordKind::kStrInt,
     "* nciTemp1PlugIn    (38) - SNVT_str_int            \n"},
    {"nciTemp2PlugIn", 40, RecordKind::kStrInt,
     "* nciTemp2PlugIn    (39) - SNVT_str_int            \n"},
    {"nciSwitchExt1", 41, RecordKind::kCount,
     "* nciSwitchExt1     (40) - SNVT_count             \n"},
    {"nciSwitchExt2", 42, RecordKind::kCount,
     "* nciSwitchExt2    (41) - SNVT_count             \n"},
    {"nciCalcValve1", 43, RecordKind::kTimePassed,
     "* nciCalcValve1    (42) - SNVT_time_passed              \n"},
    {"nciCalcValve2", 44, RecordKind::kTimePassed,
     "* nciCalcValve2    (43) - SNVT_time_passed        \n"},
}};

}  // namespace

std::string PartHeaderLine(int part) {
  const std::string number = std::to_string(part);
  // The part number and its padding take three characters.
  return "* nviPluginCnf     (45) - SNVT_str_int     ** Part " + number +
         std::string(number.size() < 3 ? 3 - number.size() : 0, ' ') + "\n";
}

const std::array<SingleNv, 6>& SingleNvs() {
  return kSingleNvs;
}

const SingleNv* FindSingleNv(std::string_view name) {
  for (const SingleNv& nv : kSingleNvs) {
    if (nv.name == name) return &nv;
  }
  return nullptr;
}

std::string FormatValueLine(RecordKind kind, const uint8_t* record) {
  switch (kind) {
    case RecordKind::kStrInt:
      return FormatStrIntLine(record);
    case RecordKind::kCount:
      return FormatCountLine(record);
    case RecordKind::kTimePassed:
      return FormatTimePassedLine(record);
  }
  return std::string();
}

std::vector<uint8_t> ParseValueLine(RecordKind kind, std::string_view valueLine) {
  switch (kind) {
    case RecordKind::kStrInt: {
      const StrIntRecord r = ParseStrIntRecord(valueLine);
      return {r.begin(), r.end()};
    }
    case RecordKind::kCount: {
      const CountRecord r = ParseCountRecord(valueLine);
      return {r.begin(), r.end()};
    }
    case RecordKind::kTimePassed: {
      const TimePassedRecord r = ParseTimePassedRecord(valueLine);
      return {r.begin(), r.end()};
    }
  }
  return {};
}

WriteResult WriteSingleNv(const NodeIo& node, const SingleNv& nv, std::string_view valueLine) {
  const std::vector<uint8_t> record = ParseValueLine(nv.kind, valueLine);
  return node.Write(nv.hostIndex, record.data(), static_cast<int32_t>(record.size()));
}
