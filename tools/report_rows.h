// The rows of the commissioning report's tables: settings as an owner reads them, a start and
// its stop as one time span, and which settings a circuit does not use.
#pragma once

#include <string>
#include <vector>

#include "settingsfile/settings_dictionary.h"
#include "settingsfile/settings_reader.h"

// One row of a circuit: a setting, or a start and a stop as one time span.
struct Item {
  std::string label;
  std::vector<const SettingEntry*> entries;
};

// The entries as rows, without their circuit's name; a start and the stop after it as one.
std::vector<Item> Items(const std::vector<const SettingEntry*>& entries);

// One label for the two circuits' rows: "valve Mv1/Mv2 signal".
std::string Label(const std::string& a, const std::string& b);

// The value as the page shows it, with its unit; a time span whose start equals its stop is
// "not used".
std::string ItemValue(const Item& item, const SettingsFileContent& c);

// Whether the circuit follows its heating curve (else its constant temperatures), as part 1
// of the file says; a file without part 1's values counts as following the curve.
bool CurveMode(const SettingsFileContent& c, int circuit);

// Whether the file's settings use the row: a curve's points past the count in use, the curve
// of a circuit in constant mode and the constant temperatures of one on its curve are not used.
bool InUse(const Item& item, const SettingsFileContent& c);
