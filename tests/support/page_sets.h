// The tab captions an engineer sees, in order: the two fixed pages, then page set 1 ("BL1") or
// page set 2 ("BL2"). Shared by the native and the Windows tests.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

inline const std::vector<std::string> kFixedTabs = {"Node Information", "Import / Export"};
inline const std::vector<std::string> kSet1Tabs = {
    "Set Time",      "Calender Start / Stop",    "Calender Pir",
    "Status Switch", "Exercise / Digital Valve", "Analog Valve",
    "Pump",          "Externded operation",      "Antifrost",
    "Temperatures",  "Settings Temperatures",    "Night lowering / Sommer stop",
    "PID",           "Outdoor Temperatures",     "Pressure"};
inline const std::vector<std::string> kSet2Tabs = {"Set Time",
                                                   "Calender Start / Stop",
                                                   "Calender Pir",
                                                   "Status Switch",
                                                   "Exercise / Digital Valve",
                                                   "Analog Valve",
                                                   "Pump",
                                                   "Externded operation",
                                                   "Temperatures",
                                                   "Settings Temperatures",
                                                   "Dewpoint",
                                                   "Night lowering / Winter stop",
                                                   "PID",
                                                   "Outdoor Temperatures",
                                                   "Pressure"};

// The fixed tabs followed by a page set's.
inline std::vector<std::string> TabsWith(const std::vector<std::string>& set) {
  std::vector<std::string> tabs = kFixedTabs;
  tabs.insert(tabs.end(), set.begin(), set.end());
  return tabs;
}

}  // namespace testing_support
