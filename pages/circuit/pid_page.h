// PID, one page per valve controller (Mv1 in page set 1, Mv2 in page set 2): the P (tenths),
// I and D parameters in configuration part 8. Anyone may read them; each write needs the
// service password typed again. No live values and no timer.
#pragma once

#include "nvdata/nv_page.h"

// What differs between the valves.
struct PidValve {
  int templateId;
  int captionId;
  const char* rowLabel;
  int firstByte;  // P at this byte, I at +2, D at +4, each a big-endian word
};

inline constexpr PidValve kPidMv1{234, 226, "Valve (Mv1)", 1};
inline constexpr PidValve kPidMv2{235, 227, "Valve (Mv2)", 13};

class CPidPage : public CNvPage {
 public:
  explicit CPidPage(const PidValve& valve);

  // "Write": with the service password, the read-modify-write of part 8 and a closing read;
  // without it, "Wrong Password" and nothing written. The password field is emptied after
  // every attempt.
  void OnWriteWithPassword();

 protected:
  void ReadSettings() override;
  void WriteSettings() override;

 private:
  PidValve valve_;
};

class CPage27PropPage : public CPidPage {
 public:
  CPage27PropPage() : CPidPage(kPidMv1) {}
};

class CPage28PropPage : public CPidPage {
 public:
  CPage28PropPage() : CPidPage(kPidMv2) {}
};
