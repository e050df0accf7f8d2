#include "pages/circuit/pid_page.h"

#include "nvdata/service_password.h"
#include "resources/dialog_pid.h"
#include "resources/strings.h"

using namespace pid_dialog;

namespace {

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
  if (parts.Read(PartOfRecord(valve_.fields[0].record), record, kRecordSize) != 0) return;
  for (const SettingField& f : valve_.fields) ShowField(f, record);
}

void CPidPage::WriteSettings() {
  PartExchange parts(Node());
  parts.ReadModifyWrite(
      PartOfRecord(valve_.fields[0].record),
      [this](uint8_t* record) {
        for (const SettingField& f : valve_.fields) PutFieldNumber(f, record, TypedField(f));
      },
      kWriteReadCapacity);
}
