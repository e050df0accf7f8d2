// While the plug-in talks to the node, the sheet stays alive but takes no input. An operation
// is one handler of a page (a button, showing the page, a timer tick) from its start to its
// end. Its pauses, and the moments after each host call, let every window paint and answer the
// messages other threads send, so Windows never takes the sheet for hung; meanwhile keyboard and
// mouse input is thrown away (not kept for later), posted messages and page timers wait for the
// end of the operation (a live read in the middle of a part exchange would read the wrong
// part), and the sheet ignores clicks, tab changes and "Exit" sent to it as messages.
#pragma once

#include <cstdint>

namespace fw::win32 {

class Operation {
 public:
  Operation();
  ~Operation();
  Operation(const Operation&) = delete;
  Operation& operator=(const Operation&) = delete;

  // Whether an operation is running on this thread.
  static bool Running();
};

// A pause of `ms` milliseconds that pumps window messages as above: at least `ms`, at most about
// one scheduler tick more.
void PumpingPause(uint32_t ms);
// Handles what is due (painting, messages the system sends) without waiting.
void PumpPending();

}  // namespace fw::win32
