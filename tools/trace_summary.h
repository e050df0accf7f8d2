// `hd7_3settings trace FILE`: a trace of the node traffic summed up for a support engineer. Each
// sheet that opened, with its date, process and how long it stayed open; the failed host calls
// by call and status, with how often and when first; every write with the settings it carried;
// every message box with its answer; the calls per NV; the longest waits; and how many lines
// were not understood. NVs are named as the settings file names them.
#pragma once

#include <ostream>
#include <string>

// Exit code: 0 no failed call, 1 failed calls, 2 no trace line in the text.
int TraceSummary(const std::string& name, const std::string& text, std::ostream& out,
                 std::ostream& err);
