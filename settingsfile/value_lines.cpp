#include "settingsfile/value_lines.h"

#include <algorithm>

#include "nvdata/number_text.h"
#include "nvdata/nv_codec.h"

namespace {

constexpr int kStrIntFields = 16;
constexpr int kTimePassedFields = 4;

int32_t FieldValue(std::string_view field) {
  return TruncToInt32(Atof(field));
}

// Where the field after the one at `offset` starts: past the next comma and the character after
// it.
size_t NextFieldOffset(std::string_view text, size_t offset) {
  if (offset >= text.size()) return offset;
  const size_t comma = text.find(',', offset);
  const size_t advance = comma == std::string_view::npos ? 1 : comma - offset + 2;
  return std::min(text.size(), offset + advance);
}

std::string Join(const int* values, int count) {
  std::string line;
  for (int k = 0; k < count; ++k) {
    if (k > 0) line += ", ";
    line += FormatFixed0(values[k]);
  }
  return line + "\n\n";
}

}  // namespace

std::string FormatStrIntLine(const uint8_t* record) {
  int values[kStrIntFields];
  values[0] = CNvCodec::SignedByte(record[0]);
  for (int k = 1; k < kStrIntFields; ++k) {
    values[k] = CNvCodec::MakeWord(record[2 * k - 1], record[2 * k]);
  }
  return Join(values, kStrIntFields);
}

std::string FormatCountLine(const uint8_t* record) {
  const int value = CNvCodec::MakeWord(record[0], record[1]);
  return Join(&value, 1);
}

std::string FormatTimePassedLine(const uint8_t* record) {
  int values[kTimePassedFields];
  for (int k = 0; k < kTimePassedFields; ++k) values[k] = CNvCodec::SignedByte(record[k]);
  return Join(values, kTimePassedFields);
}

ValueLineFieldTexts ValueLineFields(std::string_view line, int count) {
  ValueLineFieldTexts fields{};
  count = std::min(count, kMaxValueLineFields);
  size_t start = 0;
  for (int k = 0; k < count; ++k) {
    if (k > 0) start = NextFieldOffset(line, start);
    const size_t comma = line.find(',', start);
    if (k > 0 && k == count - 1) {
      fields[static_cast<size_t>(k)] = line.substr(start);
    } else if (comma != std::string_view::npos) {
      fields[static_cast<size_t>(k)] = line.substr(start, comma - start);
    }
  }
  return fields;
}

StrIntRecord ParseStrIntRecord(std::string_view line) {
  StrIntRecord record{};
  const ValueLineFieldTexts fields = ValueLineFields(line, kStrIntFields);
  record[0] = CNvCodec::LowByte(FieldValue(fields[0]));
  for (int k = 1; k < kStrIntFields; ++k) {
    const int32_t value = FieldValue(fields[static_cast<size_t>(k)]);
    record[static_cast<size_t>(2 * k - 1)] = CNvCodec::HighByte(value);
    record[static_cast<size_t>(2 * k)] = CNvCodec::LowByte(value);
  }
  return record;
}

CountRecord ParseCountRecord(std::string_view line) {
  const int32_t value = FieldValue(line);
  return {CNvCodec::HighByte(value), CNvCodec::LowByte(value)};
}

TimePassedRecord ParseTimePassedRecord(std::string_view line) {
  TimePassedRecord record{};
  const ValueLineFieldTexts fields = ValueLineFields(line, kTimePassedFields);
  for (int k = 0; k < kTimePassedBytes; ++k) {
    record[static_cast<size_t>(k)] = CNvCodec::LowByte(FieldValue(fields[static_cast<size_t>(k)]));
  }
  return record;
}
