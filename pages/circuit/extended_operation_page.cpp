#include "pages/circuit/extended_operation_page.h"

#include "framework/platform.h"
#include "nvdata/nv_codec.h"
#include "nvdata/nv_indices.h"
#include "nvdata/number_text.h"
#include "resources/dialog_extended_operation.h"
#include "resources/strings.h"

using namespace extended_operation_dialog;

namespace {

// Between the zero delay and the real one, so that the node sees the delay restart.
constexpr uint32_t kRestartPauseMs = 2000;

constexpr int kRowCount = 3;
constexpr int kDelayIds[kRowCount] = {kIdBoostDelay, kIdDayDelay, kIdNightDelay};
constexpr int kStartIds[kRowCount] = {kIdStartBoost, kIdStartDay, kIdStartNight};

uint16_t ClampedWord(std::string_view text) {
  return static_cast<uint16_t>(TruncScaled(ClampTyped(Atof(text), kWordRange)));
}

}  // namespace

std::string DelayToText(Delay delay) {
  return FormatFixed0(delay.hours) + ":" + TwoDigits(delay.minutes);
}

Delay TextToDelay(std::string_view text) {
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos) return {0, ClampedWord(text)};
  return {ClampedWord(text.substr(0, colon)), ClampedWord(text.substr(colon + 1))};
}

CExtendedOperationPage::CExtendedOperationPage(const ExtendedOperationCircuit& circuit)
    : CNvPage(ExtendedOperationDialog(circuit.templateId), circuit.templateId,
              ResString(circuit.templateId), false),
      circuit_(circuit) {
  for (int row = 0; row < kRowCount; ++row) {
    OnClicked(kStartIds[row], [this, row] { OnStart(row); });
  }
}

int CExtendedOperationPage::RowPosition(int row) const {
  const int value = circuit_.firstValue + 2 * row;
  return 2 * value - 1;
}

void CExtendedOperationPage::PutDelay(uint8_t* record, int row, Delay delay) const {
  const int at = RowPosition(row);
  record[at] = CNvCodec::HighByte(delay.hours);
  record[at + 1] = CNvCodec::LowByte(delay.hours);
  record[at + 2] = CNvCodec::HighByte(delay.minutes);
  record[at + 3] = CNvCodec::LowByte(delay.minutes);
}

void CExtendedOperationPage::ReadSettings() {
  uint8_t record[kReadCapacity] = {};
  if (ReadNv(kIndexDelays, record, kReadCapacity) != 0) return;
  for (int row = 0; row < kRowCount; ++row) {
    const int at = RowPosition(row);
    const Delay delay{static_cast<uint16_t>(CNvCodec::MakeWord(record[at], record[at + 1])),
                      static_cast<uint16_t>(CNvCodec::MakeWord(record[at + 2], record[at + 3]))};
    SetItemText(kDelayIds[row], DelayToText(delay));
  }
}

void CExtendedOperationPage::WriteSettings() {
  Delay delays[kRowCount];
  for (int row = 0; row < kRowCount; ++row) delays[row] = TextToDelay(GetItemText(kDelayIds[row]));
  ModifyNv(kIndexDelays, kRecordSize, [&](uint8_t* record) {
    for (int row = 0; row < kRowCount; ++row) PutDelay(record, row, delays[row]);
  });
}

void CExtendedOperationPage::OnStart(int row) {
  if (row < 0 || row >= kRowCount) return;
  uint8_t record[kReadCapacity] = {};
  const NodeIo node = Node();
  if (node.Read(kIndexDelays, record, kReadCapacity) != 0) return;
  PutDelay(record, row, Delay{0, 0});
  node.Write(kIndexDelays, record, kRecordSize);
  fw::Platform::Sleep(kRestartPauseMs);
  PutDelay(record, row, TextToDelay(GetItemText(kDelayIds[row])));
  node.Write(kIndexDelays, record, kRecordSize);
}
