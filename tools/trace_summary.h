// `hd7_3settings trace FILE`: a trace of the node traffic summed up for a support engineer. The
// failed host calls come first, by call and status, with how often and when first; then the
// calls per host index and the longest pause. Lines that are not trace lines are passed over.
#pragma once

#include <ostream>
#include <string>

// Exit code: 0 no failed call, 1 failed calls, 2 no trace line in the text.
int TraceSummary(const std::string& name, const std::string& text, std::ostream& out,
                 std::ostream& err);
