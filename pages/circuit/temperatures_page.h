// Temperatures, one page per circuit: each water temperature sensor's measured value (refreshed
// every 2000 ms) and its offset (configuration part 2). The circuit 1 page also sets the low
// forward temperature supervision (part 3, with its status refreshed) and the return
// temperature limit, which lives in the circuit's heating-curve record. A sensor the node
// reports as absent greys out its fields.
#pragma once

#include <cstdint>

#include "nvdata/nv_page.h"
#include "resources/dialog_temperatures.h"

// What differs between the circuits.
struct TemperaturesCircuit {
  int templateId;
  int captionId;
  SensorGroup forward;
  SensorGroup ret;
  int32_t forwardIndex;  // measured forward and return temperatures
  int32_t returnIndex;
  // Circuit 1 only: the low forward temperature group (part 3, status in host index 37) and
  // the return temperature group (heating-curve record, host index 39): kSupervisionFields.
  bool supervision;
  SettingField offsets[2];  // part 2: forward, then return sensor offset
};

inline constexpr TemperaturesCircuit kTemperaturesBl1{
    217,
    218,
    {"Temp sensor forward (Bw1)", temperatures_dialog::kIdBw1Actual,
     temperatures_dialog::kIdBw1Offset},
    {"Temp sensor return (Bw2)", temperatures_dialog::kIdBw2Actual,
     temperatures_dialog::kIdBw2Offset},
    13,
    12,
    true,
    {field::Temp("bl1.sensor.bw1.offset", "BL1 forward sensor Bw1 offset", RecordOfPart(2), 3,
                 temperatures_dialog::kIdBw1Offset),
     field::Temp("bl1.sensor.bw2.offset", "BL1 return sensor Bw2 offset", RecordOfPart(2), 5,
                 temperatures_dialog::kIdBw2Offset)}};
inline constexpr TemperaturesCircuit kTemperaturesBl2{
    227,
    219,
    {"Temp sensor forward (Bw3)", temperatures_dialog::kIdBw3Actual,
     temperatures_dialog::kIdBw3Offset},
    {"Temp sensor return (Bw4)", temperatures_dialog::kIdBw4Actual,
     temperatures_dialog::kIdBw4Offset},
    17,
    16,
    false,
    {field::Temp("bl2.sensor.bw3.offset", "BL2 forward sensor Bw3 offset", RecordOfPart(2), 11,
                 temperatures_dialog::kIdBw3Offset),
     field::Temp("bl2.sensor.bw4.offset", "BL2 return sensor Bw4 offset", RecordOfPart(2), 13,
                 temperatures_dialog::kIdBw4Offset)}};

// The circuit 1 supervision: the low forward temperature (part 3), then the return temperature
// limit (values 12 and 13 of the heating-curve record).
inline constexpr SettingField kSupervisionFields[] = {
    field::Temp("bl1.low_forward.offset", "BL1 low forward temperature, offset", RecordOfPart(3),
                13, temperatures_dialog::kIdLowOffset),
    field::Value("bl1.low_forward.time", "BL1 low forward temperature, time", RecordOfPart(3), 15,
                 2, SettingCodec::kWord, "min", temperatures_dialog::kIdLowTime),
    field::Temp("bl1.return.max", "BL1 maximum return temperature", kRecordTemp1, 23,
                temperatures_dialog::kIdMaxReturn),
    field::Temp("bl1.return.ddb", "BL1 return temperature Ddb", kRecordTemp1, 25,
                temperatures_dialog::kIdReturnDdb)};

class CTemperaturesPage : public CNvPage {
 public:
  explicit CTemperaturesPage(const TemperaturesCircuit& circuit);

  void OnShowWindow(bool show) override;

  // Greys out the fields of a sensor the node reports as absent.
  void CheckSensors();

 protected:
  void RefreshLive() override;
  void ReadSettings() override;
  void WriteSettings() override;

 private:
  TemperaturesCircuit circuit_;
};

class CPage19PropPage : public CTemperaturesPage {
 public:
  CPage19PropPage() : CTemperaturesPage(kTemperaturesBl1) {}
};

class CPage20PropPage : public CTemperaturesPage {
 public:
  CPage20PropPage() : CTemperaturesPage(kTemperaturesBl2) {}
};
