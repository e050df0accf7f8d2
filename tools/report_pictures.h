// The commissioning report's pictures, as inline SVG, and the escaping of its text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/text_escape.h"
#include "settingsfile/settings_dictionary.h"

// A circuit's (1 or 2) week or presence calendar from its part's 31 bytes, its heating curve
// from its curve record's 31 bytes.
std::string CalendarPicture(const uint8_t* part, int circuit, bool presence);
std::string HeatingCurvePicture(const uint8_t* record, int circuit);

// Text for the page: the framework's escaping for XML.
using fw::XmlText;

// The page's style sheet: A4 print layout, the tables and the pictures' classes.
const char* ReportStyle();

// The dictionary's entry of a key the report names (it names only keys the dictionary has).
const SettingEntry& EntryByKey(const std::string& key);
// A circuit's key prefix: "bl1" or "bl2".
std::string CircuitKey(int circuit);
