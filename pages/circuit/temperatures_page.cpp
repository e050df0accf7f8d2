#include "pages/circuit/temperatures_page.h"

#include <vector>

#include "nvdata/nv_indices.h"
#include "resources/strings.h"

using namespace temperatures_dialog;

namespace {

constexpr uint8_t kLowTempMask = 0x08;
const SettingField& kLowOffset = kSupervisionFields[0];
const SettingField& kLowTime = kSupervisionFields[1];
const SettingField& kMaxReturn = kSupervisionFields[2];
const SettingField& kReturnDdb = kSupervisionFields[3];

}  // namespace

CTemperaturesPage::CTemperaturesPage(const TemperaturesCircuit& circuit)
    : CNvPage(
          TemperaturesDialog(circuit.templateId, circuit.forward, circuit.ret, circuit.supervision),
          circuit.captionId, ResString(circuit.captionId), true),
      circuit_(circuit) {}

void CTemperaturesPage::OnShowWindow(bool show) {
  CNvPage::OnShowWindow(show);
  if (show) CheckSensors();
}

void CTemperaturesPage::RefreshLive() {
  ShowLiveTemp(circuit_.forwardIndex, circuit_.forward.actualId);
  ShowLiveTemp(circuit_.returnIndex, circuit_.ret.actualId);
  uint8_t buffer[kReadCapacity] = {};
  if (circuit_.supervision && ReadNv(kIndexStatusFlags, buffer, kReadCapacity) == 0) {
    SetItemText(kIdLowStatus, (buffer[0] & kLowTempMask) != 0 ? "Low temp" : "High temp");
  }
}

void CTemperaturesPage::CheckSensors() {
  std::vector<int> forward = {circuit_.forward.actualId, circuit_.forward.offsetId};
  std::vector<int> ret = {circuit_.ret.actualId, circuit_.ret.offsetId};
  if (circuit_.supervision) {
    forward.insert(forward.end(), {kIdLowOffset, kIdLowTime, kIdLowStatus});
    ret.insert(ret.end(), {kIdMaxReturn, kIdReturnDdb});
  }
  uint8_t buffer[kRecordSize] = {};
  if (ReadNv(circuit_.forwardIndex, buffer, kRecordSize) == 0) {
    for (int id : forward) EnableItem(id, SensorPresent(buffer));
  }
  if (ReadNv(circuit_.returnIndex, buffer, kRecordSize) == 0) {
    for (int id : ret) EnableItem(id, SensorPresent(buffer));
  }
}

void CTemperaturesPage::ReadSettings() {
  PartExchange parts(Node());
  ShowPart(parts, {circuit_.offsets[0], circuit_.offsets[1]});
  if (!circuit_.supervision) return;
  uint8_t record[kReadCapacity] = {};
  const bool part3 = parts.Select(PartOfRecord(kLowOffset.record));
  if (ReadNv(kIndexCurve1, record, kReadCapacity) == 0) {
    ShowField(kMaxReturn, record);
    ShowField(kReturnDdb, record);
  }
  if (part3 && ReadNv(kIndexPluginCnf, record, kReadCapacity) == 0) {
    ShowField(kLowOffset, record);
    ShowField(kLowTime, record);
  }
}

void CTemperaturesPage::WriteSettings() {
  PartExchange parts(Node());
  WritePart(parts, {circuit_.offsets[0], circuit_.offsets[1]});
  if (!circuit_.supervision) return;
  // The low time is whole minutes in an unsigned word: a negative time is 0, not 65535.
  const TakenFields low = Take({kLowOffset, kLowTime});
  if (parts.Select(PartOfRecord(kLowOffset.record))) {
    ModifyNv(kIndexPluginCnf, kRecordSize, [&](uint8_t* record) { PutTaken(low, record); });
  }
  const TakenFields ret = Take({kMaxReturn, kReturnDdb});
  ModifyNv(kIndexCurve1, kRecordSize, [&](uint8_t* record) { PutTaken(ret, record); });
}
