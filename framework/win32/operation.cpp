#include "framework/win32/operation.h"

#include <windows.h>

namespace fw::win32 {
namespace {

int g_depth = 0;  // operations running on the user-interface thread (nested ones count)

// Queued keyboard and mouse input is thrown away: a click or key pressed while the plug-in
// talks to the node must not run as soon as it is done.
void DropInput() {
  const UINT ranges[][2] = {{WM_KEYFIRST, WM_KEYLAST},
                            {WM_MOUSEFIRST, WM_MOUSELAST},
                            {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK}};
  for (const auto& range : ranges) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, range[0], range[1], PM_REMOVE | PM_NOYIELD)) {
    }
  }
}

// Lets every window paint what is due and answers the messages other threads send (those are
// handled inside PeekMessage). Posted messages, the host's own among them, and timers stay
// queued and run after the operation, in their order, just as they would without pumping; only
// keyboard and mouse input is thrown away.
void DispatchPending() {
  DropInput();
  MSG msg;
  // A window that does not validate its update region would be offered WM_PAINT forever.
  for (int i = 0; i < 256 && PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i) {
    DispatchMessageW(&msg);
  }
}

uint64_t NowMicroseconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  // Whole seconds and the rest apart, so that a long uptime cannot overflow the product.
  const uint64_t ticks = static_cast<uint64_t>(now.QuadPart);
  const uint64_t perSecond = static_cast<uint64_t>(frequency.QuadPart);
  return ticks / perSecond * 1000000u + ticks % perSecond * 1000000u / perSecond;
}

}  // namespace

Operation::Operation() {
  ++g_depth;
}

Operation::~Operation() {
  if (--g_depth != 0) return;
  DropInput();
}

bool Operation::Running() {
  return g_depth > 0;
}

void PumpingPause(uint32_t ms) {
  const uint64_t end = NowMicroseconds() + static_cast<uint64_t>(ms) * 1000u;
  for (;;) {
    DispatchPending();
    const uint64_t now = NowMicroseconds();
    if (now >= end) break;
    const DWORD waitMs = static_cast<DWORD>((end - now + 999) / 1000);
    // Woken by painting, posted and sent messages and input; not by a timer coming due (it is
    // left for later, and would wake the wait at once again and again).
    MsgWaitForMultipleObjectsEx(0, nullptr, waitMs,
                                QS_PAINT | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_INPUT, 0);
  }
}

void PumpPending() {
  DispatchPending();
}

}  // namespace fw::win32
