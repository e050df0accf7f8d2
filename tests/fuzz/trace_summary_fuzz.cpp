// libFuzzer target for hd7_3settings trace: any text as a trace. Exit code 2 goes with a word
// why on standard error and no summary, 1 with a list of failed calls, 0 with neither; every
// summary ends with the count of lines not understood.
#include <sstream>

#include "tests/fuzz/fuzz_platform.h"
#include "tools/trace_summary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::ostringstream out, err;
  const int code = TraceSummary("t", text, out, err);
  const bool listed = out.str().find("\nFailed calls:\n") != std::string::npos;
  const bool counted = out.str().find(" not understood\n") != std::string::npos;
  if (code < 0 || code > 2 || (code == 2) != out.str().empty() || (code == 2) == counted ||
      (code == 2) == err.str().empty() || (code == 1) != listed) {
    Fail("the summary and the exit code disagree", std::to_string(code) + out.str() + err.str());
  }
  return 0;
}
