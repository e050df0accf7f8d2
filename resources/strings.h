// The string table of the control: the module's two strings and the tab captions.
#pragma once

#include <string>

// The text of a string resource; empty when the table has no such id.
std::string ResString(int id);
