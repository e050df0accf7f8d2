#include "pages/circuit/pid_page.h"

#include "nvdata/service_password.h"
#include "resources/dialog_pid.h"
#include "resources/strings.h"

using namespace pid_dialog;

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
  const SettingField* f = valve_.fields;
  ShowPart(parts, {f[0], f[1], f[2]}, kRecordSize);
}

void CPidPage::WriteSettings() {
  PartExchange parts(Node());
  const SettingField* f = valve_.fields;
  WritePart(parts, {f[0], f[1], f[2]}, kReadCapacity);
}
