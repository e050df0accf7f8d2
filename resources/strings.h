// The string table of the control: the module's two strings and the tab captions.
#pragma once

#include <string>

constexpr int kIdsTypeName = 1;      // "HD7_3 Control"
constexpr int kIdsPropPageName = 2;  // "HD7_3 Property Page"

// The text of a string resource; empty when the table has no such id.
std::string ResString(int id);
bool HasResString(int id);
