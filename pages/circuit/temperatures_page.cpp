#include "pages/circuit/temperatures_page.h"

#include <vector>

#include "nvdata/nv_codec.h"
#include "nvdata/nv_indices.h"
#include "resources/strings.h"

using namespace temperatures_dialog;

namespace {

constexpr int32_t kReadCapacity = 32;
constexpr uint8_t kLowTempMask = 0x08;
constexpr int kLowOffsetByte = 13;  // part 3
constexpr int kLowTimeByte = 15;
constexpr int kMaxReturnByte = 23;  // values 12 and 13 of the heating-curve record
constexpr int kReturnDdbByte = 25;
// Below -200.00 degrees a sensor counts as absent (hundredths, as the node stores them).
constexpr int kAbsentBelow = -20000;

double TempAt(const uint8_t* record, int byte) {
  return CNvCodec::WordToTemp(record[byte], record[byte + 1]);
}

void PutTemp(uint8_t* record, int byte, double celsius) {
  record[byte] = CNvCodec::HundredthsHigh(celsius);
  record[byte + 1] = CNvCodec::HundredthsLow(celsius);
}

// Compared in whole hundredths, -200.00 is exactly the last value still present.
bool Present(const uint8_t* buffer) {
  return CNvCodec::WordToHundredths(buffer[0], buffer[1]) >= kAbsentBelow;
}

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
  uint8_t buffer[kReadCapacity] = {};
  if (ReadNv(circuit_.forwardIndex, buffer, kReadCapacity) == 0) {
    SetNumber(circuit_.forward.actualId, TempAt(buffer, 0), 1);
  }
  if (ReadNv(circuit_.returnIndex, buffer, kReadCapacity) == 0) {
    SetNumber(circuit_.ret.actualId, TempAt(buffer, 0), 1);
  }
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
    for (int id : forward) EnableItem(id, Present(buffer));
  }
  if (ReadNv(circuit_.returnIndex, buffer, kRecordSize) == 0) {
    for (int id : ret) EnableItem(id, Present(buffer));
  }
}

void CTemperaturesPage::ReadSettings() {
  PartExchange parts(Node());
  uint8_t record[kReadCapacity] = {};
  if (parts.Read(2, record, kReadCapacity) == 0) {
    SetNumber(circuit_.forward.offsetId, TempAt(record, circuit_.forwardOffsetByte), 1);
    SetNumber(circuit_.ret.offsetId, TempAt(record, circuit_.returnOffsetByte), 1);
  }
  if (!circuit_.supervision) return;
  const bool part3 = parts.Select(3);
  if (ReadNv(kIndexCurve1, record, kReadCapacity) == 0) {
    SetNumber(kIdMaxReturn, TempAt(record, kMaxReturnByte), 1);
    SetNumber(kIdReturnDdb, TempAt(record, kReturnDdbByte), 1);
  }
  if (part3 && ReadNv(kIndexPluginCnf, record, kReadCapacity) == 0) {
    SetNumber(kIdLowOffset, TempAt(record, kLowOffsetByte), 1);
    SetNumber(kIdLowTime, CNvCodec::MakeWord(record[kLowTimeByte], record[kLowTimeByte + 1]), 0);
  }
}

void CTemperaturesPage::WriteSettings() {
  PartExchange parts(Node());
  const double forwardOffset = GetTyped(circuit_.forward.offsetId, kTempRange);
  const double returnOffset = GetTyped(circuit_.ret.offsetId, kTempRange);
  parts.ReadModifyWrite(2, [&](uint8_t* record) {
    PutTemp(record, circuit_.forwardOffsetByte, forwardOffset);
    PutTemp(record, circuit_.returnOffsetByte, returnOffset);
  });
  if (!circuit_.supervision) return;
  const double lowOffset = GetTyped(kIdLowOffset, kTempRange);
  // Whole minutes in an unsigned word: a negative time is 0, not 65535.
  const double lowTime = GetTyped(kIdLowTime, kWordRange);
  if (parts.Select(3)) {
    ModifyNv(kIndexPluginCnf, kRecordSize, [&](uint8_t* record) {
      PutTemp(record, kLowOffsetByte, lowOffset);
      record[kLowTimeByte] = CNvCodec::WholeHigh(lowTime);
      record[kLowTimeByte + 1] = CNvCodec::WholeLow(lowTime);
    });
  }
  const double maxReturn = GetTyped(kIdMaxReturn, kTempRange);
  const double returnDdb = GetTyped(kIdReturnDdb, kTempRange);
  ModifyNv(kIndexCurve1, kRecordSize, [&](uint8_t* record) {
    PutTemp(record, kMaxReturnByte, maxReturn);
    PutTemp(record, kReturnDdbByte, returnDdb);
  });
}
