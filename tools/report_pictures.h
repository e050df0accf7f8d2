// The commissioning report's pictures, as inline SVG, and the escaping of its text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settingsfile/settings_dictionary.h"

// A circuit's (1 or 2) week or presence calendar from its part's 31 bytes, its heating curve
// from its curve record's 31 bytes.
std::string CalendarPicture(const uint8_t* part, int circuit, bool presence);
std::string HeatingCurvePicture(const uint8_t* record, int circuit);

// Text for the page: the markup characters as references; UTF-8 as it is; other bytes as the
// characters of the same number (a node name's bytes); control characters as their pictures.
std::string XmlText(std::string_view text);

// The page's style sheet: A4 print layout, the tables and the pictures' classes.
const char* ReportStyle();

// The dictionary's entry of a key the report names (it names only keys the dictionary has).
const SettingEntry& EntryByKey(const std::string& key);
// A circuit's key prefix: "bl1" or "bl2".
std::string CircuitKey(int circuit);
