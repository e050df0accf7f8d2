// Every setting that the pages write and that a NodeSettings file holds, by name: where its
// bytes are in the file's records, how they are coded, its unit, the tab and circuit whose page
// writes it, and the values that page accepts. It is made from the pages' own field tables; the
// settings tool reads files through it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "nvdata/setting_field.h"

// "nciTemp1PlugIn", "nviPluginCnf part 9".
std::string RecordName(int record);
int RecordSize(int record);  // 31, 2 or 4 bytes

struct SettingEntry {
  std::string key;  // short and stable, for scripts: "bl1.curve.point1.outdoor"
  std::string name;
  std::string_view tab;      // the caption of the tab whose page writes it
  std::string_view circuit;  // "BL1", "BL2", or empty on the pages both circuits share
  int pageClass;             // n of the CPage<n>PropPage that writes it
  int record;                // kRecord... or RecordOfPart(n)
  int byte;                  // first byte in the record
  int size;                  // 1 or 2 bytes, big-endian
  uint8_t mask;              // flags: the bits; otherwise 0xFF
  SettingCodec codec;
  std::string_view unit;     // "°C", "s", "min", "h", "%", "Pa" or empty
  std::string_view setText;  // flags: the text for set bits; override and clear: see offText
  std::string_view offText;  // flags: the text for clear bits
  // Values the page accepts, in the codec's number; lo > hi: every value the bytes can hold.
  double lo = 1;
  double hi = 0;
  int controlId = 0;  // the page's control that shows it (flags: checked when set)
};

// The whole dictionary, tab by tab in the order of the sheet, circuit 1 before circuit 2.
const std::vector<SettingEntry>& SettingsDictionary();

// The entry's bytes in a record (masked for flags) as one number: for a word high * 256 + low.
uint32_t RawValue(const SettingEntry& entry, const uint8_t* record);

// The value as the engineer reads it, without the unit: "-12.00", "8:15", "Night", "on". Exact:
// temperatures with two decimals, tenths with one, half steps with one.
std::string ValueText(const SettingEntry& entry, const uint8_t* record);

// The value as a number in the codec's scale (flags 1 or 0; texts of times as quarter hours or
// minutes); the accepted range is in these numbers.
double ValueNumber(const SettingEntry& entry, const uint8_t* record);

// Whether the page accepts the value; when not, `accepted` says what it does accept.
bool IsAccepted(const SettingEntry& entry, const uint8_t* record, std::string* accepted);
