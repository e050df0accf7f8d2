// The commissioning report's pictures, as inline SVG, and the escaping of its text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/text_escape.h"
#include "settingsfile/settings_dictionary.h"

// A circuit's (1 or 2) week or presence calendar from its part's 31 bytes. With `planned`, the
// planned part's entries are drawn beside the found ones in a dashed style, with a legend. An
// entry whose start equals its stop is not used and draws nothing; one with a time past 24:00
// is marked and hatched over the whole day; a start after its stop is written out.
std::string CalendarPicture(const uint8_t* part, int circuit, bool presence,
                            const uint8_t* planned = nullptr);

// A circuit's setpoint settings: its heating-curve record's 31 bytes, and whether part 1 sets
// the circuit to follow the curve (else it keeps its constant day and night temperatures).
struct CurveSettings {
  const uint8_t* record;
  bool curveMode;
};

// The curve through the points in use as the Settings Temperatures page joins them, or, for a
// circuit in constant mode, its constant day and night temperatures. With `planned`, the
// planned settings are drawn beside the found ones in a dashed style, with a legend.
std::string HeatingCurvePicture(const CurveSettings& found, int circuit,
                                const CurveSettings* planned = nullptr);

// The curve points a circuit uses: the count its record holds, taken as the page stores it
// (below 2 as 2, above 5 as 5).
int CurvePointsInUse(const uint8_t* record, int circuit);

// The marks of a temperature axis that takes in [lo, hi]: every 1, 2, 5 or 10 °C, the first of
// these that gives 4 to 8 marks (a range too narrow for 4 whole degrees is widened; one too wide
// for 8 marks of 10 °C takes steps of 20, 50, 100 or 200 °C).
std::vector<double> AxisMarks(double lo, double hi);

// Text for the page: the framework's escaping for XML.
using fw::XmlText;

// The page's style sheet: A4 print layout, the tables and the pictures' classes.
const char* ReportStyle();

// The dictionary's entry of a key the report names (it names only keys the dictionary has).
const SettingEntry& EntryByKey(const std::string& key);
// A circuit's key prefix: "bl1" or "bl2".
std::string CircuitKey(int circuit);
