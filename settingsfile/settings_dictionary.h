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

// A setting of a page's field table, with the page that writes it.
struct SettingEntry {
  SettingField field;
  std::string_view tab;      // the caption of the tab whose page writes it
  std::string_view circuit;  // "BL1", "BL2", or empty on the pages both circuits share
  int pageClass;             // n of the CPage<n>PropPage that writes it
};

// The whole dictionary, tab by tab in the order of the sheet, circuit 1 before circuit 2.
const std::vector<SettingEntry>& SettingsDictionary();

// The setting's bytes in a record (masked for flags) as one number: for a word high * 256 + low.
uint32_t RawValue(const SettingField& f, const uint8_t* record);

// The value as the engineer reads it, without the unit: "-12.00", "8:15", "Night", "on". Exact:
// temperatures with two decimals, tenths with one, half steps with one.
std::string ValueText(const SettingField& f, const uint8_t* record);
// The same with the unit after a space: "-12.00 °C".
std::string ValueWithUnit(const SettingField& f, const uint8_t* record);

// Whether the page accepts the value; when not, `accepted` says what it does accept.
bool IsAccepted(const SettingField& f, const uint8_t* record, std::string* accepted);
