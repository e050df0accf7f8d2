#include "pages/circuit/pid_page.h"

#include "nvdata/nv_codec.h"
#include "nvdata/service_password.h"
#include "resources/dialog_pid.h"
#include "resources/strings.h"

using namespace pid_dialog;

namespace {

constexpr int kPidPart = 8;
constexpr int32_t kWriteReadCapacity = 32;

}  // namespace

CPidPage::CPidPage(const PidValve& valve)
    : CNvPage(PidDialog(valve.templateId, valve.rowLabel), valve.captionId,
              ResString(valve.captionId), false),
      valve_(valve) {
  OnClicked(kIdWrite, [this] { OnWriteWithPassword(); });
}

void CPidPage::OnWriteWithPassword() {
  if (IsServicePassword(GetItemText(kIdPassword))) {
    OnWrite();
  } else {
    // The parameters keep what the engineer typed.
    ShowMessage("Wrong Password");
  }
  SetItemText(kIdPassword, "");
}

void CPidPage::ReadSettings() {
  PartExchange parts(Node());
  uint8_t record[kRecordSize] = {};
  if (parts.Read(kPidPart, record, kRecordSize) != 0) return;
  const int b = valve_.firstByte;
  SetNumber(kIdP, CNvCodec::MakeWord(record[b], record[b + 1]) * 0.1, 1);
  SetNumber(kIdI, CNvCodec::MakeWord(record[b + 2], record[b + 3]), 0);
  SetNumber(kIdD, CNvCodec::MakeWord(record[b + 4], record[b + 5]), 0);
}

void CPidPage::WriteSettings() {
  PartExchange parts(Node());
  parts.ReadModifyWrite(
      kPidPart,
      [this](uint8_t* record) {
        const int b = valve_.firstByte;
        const double p = GetTyped(kIdP, kTenthsWordRange);
        const double i = GetTyped(kIdI, kWordRange);
        const double d = GetTyped(kIdD, kWordRange);
        record[b] = CNvCodec::TenthsHigh(p);
        record[b + 1] = CNvCodec::TenthsLow(p);
        record[b + 2] = CNvCodec::WholeHigh(i);
        record[b + 3] = CNvCodec::WholeLow(i);
        record[b + 4] = CNvCodec::WholeHigh(d);
        record[b + 5] = CNvCodec::WholeLow(d);
      },
      kWriteReadCapacity);
}
