// PID, one page per valve controller (Mv1 in page set 1, Mv2 in page set 2): the P (tenths),
// I and D parameters in configuration part 8. Anyone may read them; each write needs the
// service password typed again. No live values and no timer.
#pragma once

#include "nvdata/nv_page.h"
#include "resources/dialog_pid.h"

// What differs between the valves.
struct PidValve {
  int templateId;
  int captionId;
  const char* rowLabel;
  SettingField fields[3];  // P, I and D of the valve (part 8)
};

inline constexpr PidValve kPidMv1{
    234,
    226,
    "Valve (Mv1)",
    {field::Value("bl1.pid.p", "BL1 valve Mv1 PID, P", RecordOfPart(8), 1, 2, SettingCodec::kTenths,
                  {}, pid_dialog::kIdP),
     field::Value("bl1.pid.i", "BL1 valve Mv1 PID, I", RecordOfPart(8), 3, 2, SettingCodec::kWord,
                  {}, pid_dialog::kIdI),
     field::Value("bl1.pid.d", "BL1 valve Mv1 PID, D", RecordOfPart(8), 5, 2, SettingCodec::kWord,
                  {}, pid_dialog::kIdD)}};
inline constexpr PidValve kPidMv2{
    235,
    227,
    "Valve (Mv2)",
    {field::Value("bl2.pid.p", "BL2 valve Mv2 PID, P", RecordOfPart(8), 13, 2,
                  SettingCodec::kTenths, {}, pid_dialog::kIdP),
     field::Value("bl2.pid.i", "BL2 valve Mv2 PID, I", RecordOfPart(8), 15, 2, SettingCodec::kWord,
                  {}, pid_dialog::kIdI),
     field::Value("bl2.pid.d", "BL2 valve Mv2 PID, D", RecordOfPart(8), 17, 2, SettingCodec::kWord,
                  {}, pid_dialog::kIdD)}};

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
