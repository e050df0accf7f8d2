// Reading a setting of the dictionary out of a record's bytes: its raw value, its number and
// its text with the unit, as the tool prints them.
#include <cstdlib>

#include "nvdata/number_text.h"
#include "nvdata/nv_codec.h"
#include "pages/clock/time_text.h"
#include "settingsfile/nv_set.h"
#include "settingsfile/settings_dictionary.h"

namespace {

using C = SettingCodec;

constexpr const char* kOverrideTexts[] = {"Boost", "Night", "Day", "Off", "Auto", "Occupied"};
constexpr std::string_view kNoOverride = "Use manual rotary switch";

// Hundredths or tenths as an exact decimal text: -1234 with 2 decimals is "-12.34".
std::string Decimal(long value, int decimals) {
  const long scale = decimals == 2 ? 100 : 10;
  const long magnitude = std::labs(value);
  std::string fraction = std::to_string(magnitude % scale);
  while (static_cast<int>(fraction.size()) < decimals) fraction.insert(0, "0");
  return (value < 0 ? "-" : "") + std::to_string(magnitude / scale) + "." + fraction;
}

// The signed number of a temperature word: above 10000 it counts down from 65536.
long TempHundredths(uint32_t word) {
  return word > 10000 ? static_cast<long>(word) - 65536 : static_cast<long>(word);
}

}  // namespace

std::string RecordName(int record) {
  if (record >= 0 && record < 6) return std::string(SingleNvs()[static_cast<size_t>(record)].name);
  return std::string(kPluginCnfName) + " part " + std::to_string(record - 5);
}

int RecordSize(int record) {
  if (record == kRecordSwitch1 || record == kRecordSwitch2) return 2;
  if (record == kRecordCalcValve1 || record == kRecordCalcValve2) return 4;
  return 31;
}

uint32_t RawValue(const SettingField& f, const uint8_t* record) {
  return DecodeRaw(f.size, f.mask, record + f.byte);
}

std::string ValueText(const SettingField& f, const uint8_t* record) {
  const uint8_t* b = record + f.byte;
  const uint32_t raw = RawValue(f, record);
  switch (f.codec) {
    case C::kTemp:
      return Decimal(TempHundredths(raw), 2);
    case C::kTenthsWhole:
    case C::kTenths:
      return Decimal(static_cast<long>(raw), 1);
    case C::kHalfByte:
      return Decimal(static_cast<long>(raw) * 5, 1);
    case C::kWord:
      return std::to_string(raw);
    case C::kSignedByte:
      return std::to_string(CNvCodec::SignedByte(b[0]));
    case C::kFlag:
      return std::string(raw != 0 ? f.setText : f.offText);
    case C::kQuarterHours:
      return QuarterHoursToText(b[0]);
    case C::kHoursMinutes: {
      // As the page shows it: minutes 0 to 9 get a "0" in front; negative ones do not ("6:-5").
      const int minutes = CNvCodec::SignedByte(b[1]);
      return FormatFixed0(CNvCodec::SignedByte(b[0])) + ":" +
             (minutes >= 0 && minutes < 10 ? "0" : "") + FormatFixed0(minutes);
    }
    case C::kOverride:
      if (raw >= 1 && raw <= 6) return kOverrideTexts[raw - 1];
      // The page shows any other word as no override; a word other than 255 is told.
      return std::string(kNoOverride) + (raw == 255 ? "" : " (" + std::to_string(raw) + ")");
  }
  return std::string();
}

std::string ValueWithUnit(const SettingField& f, const uint8_t* record) {
  const std::string value = ValueText(f, record);
  return f.unit.empty() ? value : value + " " + std::string(f.unit);
}

bool IsAccepted(const SettingField& f, const uint8_t* record, std::string* accepted) {
  if (f.codec == C::kOverride) {
    // The page offers positions 1 to 6 and 255 for none; any other word reads as none and is
    // written back as 255.
    const uint32_t raw = RawValue(f, record);
    if ((raw >= 1 && raw <= 6) || raw == 255) return true;
    if (accepted != nullptr) *accepted = "1 to 6, or 255 for \"Use manual rotary switch\"";
    return false;
  }
  if (f.lo > f.hi) return true;
  const double v = FieldNumber(f, record);
  if (v >= f.lo && v <= f.hi) return true;
  if (accepted != nullptr) {
    if (f.codec == C::kQuarterHours) {
      *accepted = "0:00 to 24:00";
    } else {
      *accepted = FormatFixed0(f.lo) + " to " + FormatFixed0(f.hi);
      if (!f.unit.empty()) *accepted += " " + std::string(f.unit);
    }
  }
  return false;
}
