#include "control/current_control.h"

namespace {
IControlSite* g_current = nullptr;
}

void SetCurrentControl(IControlSite* control) {
  g_current = control;
}

IControlSite* CurrentControl() {
  return g_current;
}

void ForgetCurrentControl(const IControlSite* control) {
  if (g_current == control) g_current = nullptr;
}
