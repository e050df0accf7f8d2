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
  int forwardOffsetByte;  // part 2
  int returnOffsetByte;
  // Circuit 1 only: the low forward temperature group (part 3, status in host index 37) and
  // the return temperature group (heating-curve record, host index 39).
  bool supervision;
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
    3,
    5,
    true};
inline constexpr TemperaturesCircuit kTemperaturesBl2{
    227,
    219,
    {"Temp sensor forward (Bw3)", temperatures_dialog::kIdBw3Actual,
     temperatures_dialog::kIdBw3Offset},
    {"Temp sensor return (Bw4)", temperatures_dialog::kIdBw4Actual,
     temperatures_dialog::kIdBw4Offset},
    17,
    16,
    11,
    13,
    false};

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
