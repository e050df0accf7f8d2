// The control whose Properties verb runs: the sheet finds the host's client site through it.
// The reference is module-wide and holds no reference count; the control clears it when it is
// destroyed, so it never dangles.
#pragma once

#include "hostaccess/com_base.h"

class IControlSite {
 public:
  // The host's client site, borrowed (no reference is added), or null.
  virtual IUnknown* ClientSite() const = 0;

 protected:
  ~IControlSite() = default;
};

// Where no real control stands behind the sheet (tests, benchmarks, tools): hands out a given
// client site.
class FixedControlSite : public IControlSite {
 public:
  explicit FixedControlSite(IUnknown* site) : site_(site) {}
  IUnknown* ClientSite() const override { return site_; }

 private:
  IUnknown* site_;
};

void SetCurrentControl(IControlSite* control);
IControlSite* CurrentControl();
// Clears the reference if it is `control` (called as the control is destroyed).
void ForgetCurrentControl(const IControlSite* control);
