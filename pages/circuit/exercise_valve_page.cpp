#include "pages/circuit/exercise_valve_page.h"

#include "nvdata/number_text.h"
#include "nvdata/nv_codec.h"
#include "resources/dialog_exercise_valve.h"
#include "resources/strings.h"

using namespace exercise_valve_dialog;

namespace {

constexpr int32_t kReadCapacity = 32;
constexpr int32_t kCalibrationSize = 4;
constexpr int kStandstillPart = 7;
constexpr int kRunningPart = 5;

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
  uint8_t record[kReadCapacity] = {};
  const int hours = circuit_.standstillByte;
  if (parts.Read(kStandstillPart, record, kReadCapacity) == 0) {
    SetNumber(kIdPumpStandstill, CNvCodec::MakeWord(record[hours], record[hours + 1]), 0);
    SetNumber(kIdValveStandstill, CNvCodec::MakeWord(record[hours + 2], record[hours + 3]), 0);
  }
  const int tenths = circuit_.runningByte;
  if (parts.Read(kRunningPart, record, kReadCapacity) == 0) {
    SetNumber(kIdValveRunning, CNvCodec::WordDiv10(record[tenths], record[tenths + 1]), 0,
              CNvCodec::MakeWord(record[tenths], record[tenths + 1]) / 10.0);
    SetNumber(kIdValveWaiting, CNvCodec::WordDiv10(record[tenths + 2], record[tenths + 3]), 0,
              CNvCodec::MakeWord(record[tenths + 2], record[tenths + 3]) / 10.0);
  }
  if (ReadNv(circuit_.calibrationIndex, record, kReadCapacity) == 0) {
    SetItemText(kIdCalibration, CalibrationTimeText(record[0], record[1]));
  }
}

void CExerciseValvePage::WriteSettings() {
  PartExchange parts(Node());
  auto putWord = [](uint8_t* record, int high, double v) {
    record[high] = CNvCodec::WholeHigh(v);
    record[high + 1] = CNvCodec::WholeLow(v);
  };
  auto putTenths = [](uint8_t* record, int high, double v) {
    record[high] = CNvCodec::TenthsHigh(v);
    record[high + 1] = CNvCodec::TenthsLow(v);
  };
  parts.ReadModifyWrite(
      kStandstillPart,
      [&](uint8_t* record) {
        putWord(record, circuit_.standstillByte, GetTyped(kIdPumpStandstill, kWordRange));
        putWord(record, circuit_.standstillByte + 2, GetTyped(kIdValveStandstill, kWordRange));
      },
      kReadCapacity);
  parts.ReadModifyWrite(
      kRunningPart,
      [&](uint8_t* record) {
        putTenths(record, circuit_.runningByte, GetTyped(kIdValveRunning, kTenthsWordRange));
        putTenths(record, circuit_.runningByte + 2, GetTyped(kIdValveWaiting, kTenthsWordRange));
      },
      kReadCapacity);
  // Hours and minutes replace bytes 0 and 1; bytes 2 and 3 go back as read.
  const CalibrationTime typed = TextToCalibrationTime(GetItemText(kIdCalibration));
  ModifyNv(
      circuit_.calibrationIndex, kCalibrationSize,
      [&](uint8_t* bytes) {
        bytes[0] = typed.hours;
        bytes[1] = typed.minutes;
      },
      kReadCapacity);
}
