// One description per setting the pages write: where its bytes are in the node's records, how
// they are coded, its unit, the values its page accepts and the control that shows it. A page
// twin keeps its settings' fields beside its other differences; the page's byte code, the
// settings dictionary and the tools all read the same table.
#pragma once

#include <cstdint>
#include <string_view>

#include "nvdata/typed_value.h"

// The 18 records of the node's settings, in NodeSettings file order: the six single NVs (host
// indices 39 to 44), then configuration parts 1 to 12.
constexpr int kFileRecords = 18;
constexpr int kRecordTemp1 = 0;  // nciTemp1PlugIn, host index 39
constexpr int kRecordTemp2 = 1;
constexpr int kRecordSwitch1 = 2;  // nciSwitchExt1, host index 41
constexpr int kRecordSwitch2 = 3;
constexpr int kRecordCalcValve1 = 4;  // nciCalcValve1, host index 43
constexpr int kRecordCalcValve2 = 5;
constexpr int32_t kFirstRecordIndex = 39;
constexpr int RecordOfPart(int part) {
  return 5 + part;
}
// The configuration part of a record, 0 for a single NV.
constexpr int PartOfRecord(int record) {
  return record > kRecordCalcValve2 ? record - 5 : 0;
}
// The host index of a single NV's record.
constexpr int32_t IndexOfRecord(int record) {
  return kFirstRecordIndex + record;
}

enum class SettingCodec {
  kTemp,          // word of hundredths of a degree (WordToTemp: above 10000 negative)
  kTenthsWhole,   // word of tenths, shown whole on the page (cut toward zero)
  kTenths,        // word of tenths, shown with one decimal (the P of a PID)
  kWord,          // unsigned word (MakeWord)
  kHalfByte,      // byte of half steps (ByteToHalf)
  kSignedByte,    // signed byte (SignedByte)
  kFlag,          // the bits of `mask`: set or clear
  kQuarterHours,  // byte of quarter hours since midnight, "H:MM"
  kHoursMinutes,  // two signed bytes, hours then minutes, "H:MM"
  kOverride,      // rotary switch override word: 1 to 6 a position, anything else none
};

struct SettingField {
  std::string_view key;   // short and stable, for scripts: "bl1.curve.point1.outdoor"
  std::string_view text;  // "BL1 heating curve, point 1, outdoor temperature"
  int record;             // kRecord... or RecordOfPart(n)
  int byte;               // first byte in the record
  int size;               // 1 or 2 bytes, big-endian
  uint8_t mask;           // flags: the bits; otherwise 0xFF
  SettingCodec codec;
  std::string_view unit;  // "°C", "s", "min", "h", "%", "Pa" or empty
  int controlId;          // the edit field, check box or radio button (flags: the one for set)
  // Values the page accepts, in the codec's number; lo > hi: every value the bytes can hold.
  double lo = 1;
  double hi = 0;
  std::string_view setText = "on";  // flags: the texts for set and clear bits
  std::string_view offText = "off";
};

// Builders for the page tables.
namespace field {

constexpr SettingField Value(std::string_view key, std::string_view text, int record, int byte,
                             int size, SettingCodec codec, std::string_view unit, int controlId) {
  return {key, text, record, byte, size, 0xFF, codec, unit, controlId};
}
constexpr SettingField Temp(std::string_view key, std::string_view text, int record, int byte,
                            int controlId) {
  return Value(key, text, record, byte, 2, SettingCodec::kTemp, "°C", controlId);
}
constexpr SettingField Flag(std::string_view key, std::string_view text, int record, int byte,
                            uint8_t mask, int controlId, std::string_view setText = "on",
                            std::string_view offText = "off") {
  return {key, text,      record, byte, 1,       mask,   SettingCodec::kFlag,
          {},  controlId, 1,      0,    setText, offText};
}
constexpr SettingField Ranged(SettingField f, double lo, double hi) {
  f.lo = lo;
  f.hi = hi;
  return f;
}

}  // namespace field

// The bytes of a setting at `bytes` (its first byte) as one number: for a word high * 256 +
// low, for flags the masked bits.
uint32_t DecodeRaw(int size, uint8_t mask, const uint8_t* bytes);
// The value in the codec's number: degrees, tenths, half steps, flags 1 or 0, quarter hours,
// minutes of an hours-and-minutes pair.
double DecodeNumber(SettingCodec codec, int size, uint8_t mask, const uint8_t* bytes);

// The field's value in its record.
inline double FieldNumber(const SettingField& f, const uint8_t* record) {
  return DecodeNumber(f.codec, f.size, f.mask, record + f.byte);
}
inline bool FieldFlag(const SettingField& f, const uint8_t* record) {
  return (record[f.byte] & f.mask) != 0;
}
// Stores a number (already clamped) into the field's bytes with its codec's encoder, truncating
// toward zero; a flag sets its bits for a number other than 0. Hours with minutes are stored
// from their text by their page.
void PutFieldNumber(const SettingField& f, uint8_t* record, double v);
inline void PutFieldFlag(const SettingField& f, uint8_t* record, bool on) {
  uint8_t& b = record[f.byte];
  b = static_cast<uint8_t>(on ? b | f.mask : b & ~f.mask);
}

// What a typed number is clamped to before it is stored: the accepted range where the field
// has one, else everything its bytes hold.
TypedRange FieldRange(const SettingField& f);
