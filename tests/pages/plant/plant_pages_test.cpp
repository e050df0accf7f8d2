// The plant-wide pages: Outdoor Temperatures, Pressure and Dewpoint.
#include <gtest/gtest.h>

#include "control/sheet.h"
#include "resources/dialog_plant.h"
#include "tests/support/fixture.h"

using testing_support::During;
using testing_support::kTimed;

namespace {

using Calls = std::vector<std::string>;
constexpr int kOutdoor = 28, kPressure = 29, kDewpoint = 30;  // in the sheet's member order

class PlantPage : public ::testing::Test, public testing_support::OnePage {
 protected:
  Calls Tick() {
    return During(f, 0, [&] { f.platform.RunFor(2000); });
  }
  Calls Click(int id) {
    return During(f, kTimed, [&] { f.driver->Click(id); });
  }
};

TEST_F(PlantPage, OutdoorShowsReadingAndOffsetAndChecksTheSensorOnShowAndHideOnly) {
  using namespace outdoor_dialog;
  Open(kOutdoor);
  f.node.SetBytes(14, {0x01, 0xAE});  // 4.30
  // Refresh, part 2 (selected from 0, 200 ms either side), then the sensor check.
  EXPECT_EQ(Show(), (Calls{"R14@0", "R45@0", "W45:0002@200", "R46@400", "R14@400"}));
  EXPECT_EQ(Text(kIdActual), "4.3");
  EXPECT_EQ(Text(kIdOffset), "0.0");

  // -200.00 is a sensor; -200.01 is none. A tick neither checks nor changes the enabling.
  f.node.SetBytes(14, {0xB1, 0xDF});  // -200.01
  EXPECT_EQ(Tick(), (Calls{"R14"}));
  EXPECT_EQ(Text(kIdActual), "-200.0");
  EXPECT_TRUE(f.driver->Enabled(kIdOffset));
  EXPECT_EQ(During(f, 0, [&] { f.driver->SelectTab(0); }), (Calls{"R14"}));
  EXPECT_FALSE(page->IsItemEnabled(kIdActual));
  EXPECT_FALSE(page->IsItemEnabled(kIdOffset));
  f.node.SetBytes(14, {0xB1, 0xE0});  // -200.00
  f.Show(*page);
  EXPECT_TRUE(f.driver->Enabled(kIdActual));
  EXPECT_TRUE(f.driver->Enabled(kIdOffset));
}

// Each text typed and written: the bytes stored in the part, and the text read back. Disabled
// fields are written too. Each field clamps to its own range: an offset above 100.00 would read
// back negative, the pressure words and the advance time (tenths) are unsigned.
TEST_F(PlantPage, TypedValuesAreStoredInTheirScalesAndClamped) {
  const struct {
    int page, id;
    const char* typed;
    int part, byte, stored;
    const char* shown;
  } cases[] = {{kOutdoor, outdoor_dialog::kIdOffset, "-1.5", 2, 1, 0xFF6A, "-1.5"},
               {kOutdoor, outdoor_dialog::kIdOffset, "100.01", 2, 1, 0x2710, "100.0"},
               {kPressure, pressure_dialog::kIdSensorOffset, "-5", 6, 5, 0x0000, "0"},
               {kPressure, pressure_dialog::kIdSensorMax, "70000", 6, 3, 0xFFFF, "65535"},
               {kPressure, pressure_dialog::kIdSensorMin, "1234.9", 6, 1, 0x04D2, "1234"},
               {kPressure, pressure_dialog::kIdSetpointBl1, "300", 6, 7, 0x012C, "300"},
               {kPressure, pressure_dialog::kIdSetpointBl2, "x", 6, 9, 0x0000, "0"},
               {kDewpoint, dewpoint_dialog::kIdAdvanceTime, "2.5", 3, 23, 0x0019, "2"},
               {kDewpoint, dewpoint_dialog::kIdAdvanceTime, "7000", 3, 23, 0xFFFF, "6553"},
               {kDewpoint, dewpoint_dialog::kIdOffsetClose, "-0.5", 3, 21, 0xFFCE, "-0.5"},
               {kDewpoint, dewpoint_dialog::kIdOffsetRegulator, "2.34", 3, 25, 0x00EA, "2.3"}};
  int open = -1;
  for (const auto& c : cases) {
    if (c.page != open) Open(open = c.page);
    f.Show(*page);
    page->SetItemText(c.id, c.typed);
    f.driver->Click(kIdWrite);
    const std::vector<uint8_t> part = f.node.Part(c.part);
    EXPECT_EQ(part[c.byte] << 8 | part[c.byte + 1], c.stored) << c.typed;
    EXPECT_EQ(Text(c.id), c.shown) << c.typed;
  }
}

TEST_F(PlantPage, PressureReadsPartsOneAndSixAndItsSensorTypeEnablesTheValues) {
  using namespace pressure_dialog;
  Open(kPressure);
  f.node.SetSelectedPart(1);
  f.node.SetByte(46, 10, 0x02);  // analog
  f.Show(*page);
  f.node.SetSelectedPart(6);
  EXPECT_EQ(Click(kIdRead), (Calls{"R45@0", "W45:0001@200", "R46@400", "W45:0006@600", "R46@800"}));
  const std::pair<int, const char*> shown[] = {{kIdSensorMin, "0"},      {kIdSensorMax, "10000"},
                                               {kIdSensorOffset, "0"},   {kIdSetpointBl1, "2000"},
                                               {kIdSetpointBl2, "2000"}, {kIdActual, "1850"}};
  for (const auto& [id, text] : shown) EXPECT_EQ(Text(id), text) << id;
  EXPECT_EQ(Tick(), (Calls{"R28"}));

  auto expectEnabled = [&](bool on) {
    for (const auto& [id, text] : shown) EXPECT_EQ(f.driver->Enabled(id), on) << id;
    for (int id : {kIdMonitorBl1, kIdStopPumpBl1, kIdMonitorBl2, kIdStopPumpBl2}) {
      EXPECT_TRUE(f.driver->Enabled(id)) << id;
    }
    EXPECT_EQ(f.driver->Checked(kIdAnalog), on);
    EXPECT_EQ(f.driver->Checked(kIdDigital), !on);
  };
  expectEnabled(true);
  EXPECT_EQ(Click(kIdDigital), Calls{});  // nothing reaches the node before Write
  expectEnabled(false);
  f.driver->Click(kIdAnalog);
  expectEnabled(true);
  f.driver->Click(kIdDigital);
  f.driver->Click(kIdRead);  // the node still says analog
  expectEnabled(true);
}

// Part 1 byte 10: bit 0x02 analog, 0x04 and 0x08 monitor BL1 and BL2, 0x10 and 0x20 stop the
// pump of BL1 and BL2; the other bits are kept. Boxes checked: 1 monitor BL1, 2 stop pump BL1,
// 4 monitor BL2, 8 stop pump BL2. With no sensor type chosen, part 1 is left as it is.
TEST_F(PlantPage, PressureFlagsKeepTheOtherBits) {
  using namespace pressure_dialog;
  Open(kPressure);
  f.Show(*page);
  const int boxes[] = {kIdMonitorBl1, kIdStopPumpBl1, kIdMonitorBl2, kIdStopPumpBl2};
  const struct {
    uint8_t node;
    int type;  // 0 none, 1 digital, 2 analog
    int checked;
    uint8_t written;
  } cases[] = {{0x41, 1, 0, 0x41},  {0x41, 2, 15, 0x7F}, {0xFF, 1, 0, 0xC1}, {0x00, 2, 0, 0x02},
               {0x00, 1, 1, 0x04},  {0x00, 1, 4, 0x08},  {0x00, 1, 2, 0x10}, {0x00, 1, 8, 0x20},
               {0x41, 0, 15, 0x41}, {0x02, 0, 0, 0x02}};
  for (const auto& c : cases) {
    f.node.SetSelectedPart(1);
    f.node.SetByte(46, 10, c.node);
    f.driver->Click(kIdRead);
    page->SetCheck(kIdAnalog, c.type == 2);
    page->SetCheck(kIdDigital, c.type == 1);
    for (int i = 0; i < 4; ++i) page->SetCheck(boxes[i], (c.checked >> i & 1) != 0);
    f.driver->Click(kIdWrite);
    EXPECT_EQ(f.node.Part(1)[10], c.written) << int{c.node} << " " << c.checked;
  }
}

TEST_F(PlantPage, DewpointShowsThreeLiveTemperaturesEachOnItsOwn) {
  using namespace dewpoint_dialog;
  Open(kDewpoint);
  EXPECT_EQ(Show(), (Calls{"R17@0", "R19@0", "R25@0", "R45@0", "W45:0003@200", "R46@400"}));
  const std::pair<int, const char*> shown[] = {
      {kIdForward, "16.1"},    {kIdDewpoint, "11.6"},    {kIdCalculated, "18.0"},
      {kIdAdvanceTime, "300"}, {kIdOffsetClose, "-2.0"}, {kIdOffsetRegulator, "2.0"}};
  for (const auto& [id, text] : shown) EXPECT_EQ(Text(id), text) << id;
  f.node.FailReads(19);
  f.node.SetBytes(17, {0x07, 0xD0});  // 20.00
  f.node.SetBytes(19, {0x03, 0xE8});
  f.node.SetBytes(25, {0xFF, 0x9C});  // -1.00
  EXPECT_EQ(Tick(), (Calls{"R17", "R19!", "R25"}));
  EXPECT_EQ(Text(kIdForward), "20.0");
  EXPECT_EQ(Text(kIdDewpoint), "11.6");
  EXPECT_EQ(Text(kIdCalculated), "-1.0");
}

}  // namespace
