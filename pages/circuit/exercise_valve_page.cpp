#include "pages/circuit/exercise_valve_page.h"

#include "nvdata/number_text.h"
#include "nvdata/nv_codec.h"
#include "resources/dialog_exercise_valve.h"
#include "resources/strings.h"

using namespace exercise_valve_dialog;

namespace {

constexpr int32_t kCalibrationSize = 4;

uint8_t SignedByteOf(std::string_view text) {
  return CNvCodec::WholeLow(ClampTyped(Atof(text), kSignedByteRange));
}

}  // namespace

std::string CalibrationTimeText(uint8_t hours, uint8_t minutes) {
  const int m = CNvCodec::SignedByte(minutes);
  // Only 0 to 9 get the leading zero: a negative byte shows as "-5", which reads back as
  // itself, where "0-5" would be taken as 0 by the next write.
  return FormatFixed0(CNvCodec::SignedByte(hours)) + ":" + (m >= 0 && m < 10 ? "0" : "") +
         FormatFixed0(m);
}

CalibrationTime TextToCalibrationTime(std::string_view text) {
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos) return {0, SignedByteOf(text)};
  return {SignedByteOf(text.substr(0, colon)), SignedByteOf(text.substr(colon + 1))};
}

CExerciseValvePage::CExerciseValvePage(const ExerciseValveCircuit& circuit)
    : CNvPage(ExerciseValveDialog(circuit.templateId), circuit.captionId,
              ResString(circuit.captionId), false),
      circuit_(circuit) {}

void CExerciseValvePage::ReadSettings() {
  PartExchange parts(Node());
  const SettingField* f = circuit_.fields;
  // Two settings of part 7, two of part 5, then the calibration time.
  ShowPart(parts, {f[0], f[1]});
  ShowPart(parts, {f[2], f[3]});
  const SettingField& calibration = f[4];
  uint8_t record[kReadCapacity] = {};
  if (ReadNv(IndexOfRecord(calibration.record), record, kReadCapacity) == 0) {
    const uint8_t* b = record + calibration.byte;
    SetItemText(calibration.controlId, CalibrationTimeText(b[0], b[1]));
  }
}

void CExerciseValvePage::WriteSettings() {
  PartExchange parts(Node());
  const SettingField* f = circuit_.fields;
  WritePart(parts, {f[0], f[1]}, kReadCapacity);
  WritePart(parts, {f[2], f[3]}, kReadCapacity);
  // Hours and minutes replace bytes 0 and 1; bytes 2 and 3 go back as read.
  const SettingField& calibration = f[4];
  const CalibrationTime typed = TextToCalibrationTime(GetItemText(calibration.controlId));
  ModifyNv(
      IndexOfRecord(calibration.record), kCalibrationSize,
      [&](uint8_t* bytes) {
        bytes[calibration.byte] = typed.hours;
        bytes[calibration.byte + 1] = typed.minutes;
      },
      kReadCapacity);
}
