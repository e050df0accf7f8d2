// The plant-wide pages: Outdoor Temperatures, Pressure and Dewpoint.
#include <gtest/gtest.h>

#include <cstdio>

#include "control/sheet.h"
#include "resources/dialog_plant.h"
#include "tests/support/fixture.h"
#include "tests/support/random_write.h"

using testing_support::NodeFixture;
using testing_support::PageByte;
using testing_support::Traffic;

namespace {

using Calls = std::vector<std::string>;
constexpr int kOutdoor = 28, kPressure = 29, kDewpoint = 30;  // in the sheet's member order

std::string Hex(const std::vector<uint8_t>& bytes, size_t from = 0, size_t n = 2) {
  std::string s;
  for (size_t i = from; i < from + n && i < bytes.size(); ++i) {
    char h[3];
    std::snprintf(h, sizeof h, "%02X", bytes[i]);
    s += h;
  }
  return s;
}

class PlantPage : public ::testing::Test {
 protected:
  void Open(int pageIndex) {
    f.OpenSheet();
    page = f.sheet->AllPages()[pageIndex];
  }
  // Times in the traffic count from Mark().
  void Mark() { t0 = f.platform.TickCount(); }
  Calls Show() {
    const size_t from = f.node.Log().size();
    f.Show(*page);
    return Traffic(f.CallsSince(from), true);
  }
  Calls Tick() {
    const size_t from = f.node.Log().size();
    f.platform.RunFor(2000);
    return Traffic(f.CallsSince(from));
  }
  Calls Click(int id, bool withTime = false) {
    const size_t from = f.node.Log().size();
    f.driver->Click(id);
    return Traffic(f.CallsSince(from), withTime);
  }
  // Each text typed and written: the bytes stored at `byte` of `part`, and the text read back.
  struct Typed {
    int id;
    const char* typed;
    int part;
    size_t byte;
    const char* stored;
    const char* shown;
  };
  void ExpectRoundTrips(std::initializer_list<Typed> cases) {
    for (const Typed& c : cases) {
      page->SetItemText(c.id, c.typed);  // also into a disabled field
      f.driver->Click(kIdWrite);
      EXPECT_EQ(Hex(f.node.Part(c.part), c.byte), c.stored) << c.typed;
      EXPECT_EQ(f.driver->Text(c.id), c.shown) << c.typed;
    }
  }
  std::string At(uint64_t ms) const { return "@" + std::to_string(t0 + ms); }

  NodeFixture f;
  fw::CPropertyPage* page = nullptr;
  uint64_t t0 = 0;
};

// ---- Outdoor Temperatures ----

TEST_F(PlantPage, OutdoorShowsReadingAndOffsetAndChecksTheSensorOnShowAndHideOnly) {
  using namespace outdoor_dialog;
  Open(kOutdoor);
  f.node.SetBytes(14, {0x01, 0xAE});  // 4.30
  // Refresh, part 2 (selected from 0, 200 ms either side), then the sensor check.
  Mark();
  EXPECT_EQ(Show(), (Calls{"R14" + At(0), "R45" + At(0), "W45:0002" + At(200), "R46" + At(400),
                           "R14" + At(400)}));
  EXPECT_EQ(f.driver->Text(kIdActual), "4.3");
  EXPECT_EQ(f.driver->Text(kIdOffset), "0.0");

  // -200.00 is a sensor; -200.01 is none. A tick neither checks nor changes the enabling.
  f.node.SetBytes(14, {0xB1, 0xDF});  // -200.01
  EXPECT_EQ(Tick(), (Calls{"R14"}));
  EXPECT_EQ(f.driver->Text(kIdActual), "-200.0");
  EXPECT_TRUE(f.driver->Enabled(kIdOffset));
  const size_t from = f.node.Log().size();
  f.driver->SelectTab(0);
  EXPECT_EQ(Traffic(f.CallsSince(from)), (Calls{"R14"}));
  EXPECT_FALSE(page->IsItemEnabled(kIdActual));
  EXPECT_FALSE(page->IsItemEnabled(kIdOffset));
  f.node.SetBytes(14, {0xB1, 0xE0});  // -200.00
  f.Show(*page);
  EXPECT_TRUE(f.driver->Enabled(kIdActual));
  EXPECT_TRUE(f.driver->Enabled(kIdOffset));
}

TEST_F(PlantPage, OutdoorOffsetIsStoredInHundredthsAndClamped) {
  using namespace outdoor_dialog;
  Open(kOutdoor);
  Show();
  // Typed 1.15 is exactly 115 hundredths, which one decimal shows as 1.2. Above 100.00 the
  // offset is clamped: it would otherwise read back negative.
  ExpectRoundTrips({{kIdOffset, "-1.5", 2, 1, "FF6A", "-1.5"},
                    {kIdOffset, "1.15", 2, 1, "0073", "1.2"},
                    {kIdOffset, "100.01", 2, 1, "2710", "100.0"},
                    {kIdOffset, "-1000", 2, 1, "2711", "-555.4"},
                    {kIdOffset, "warm", 2, 1, "0000", "0.0"}});
  // Part 2 is already selected: no selection, no pause.
  Mark();
  EXPECT_EQ(Traffic(f.CallsSince(f.node.Log().size() - 5), true, false),
            (Calls{"R45" + At(0), "R46" + At(0), "W46" + At(0), "R45" + At(0), "R46" + At(0)}));
  f.node.FailReads(46);
  EXPECT_EQ(Click(kIdWrite), (Calls{"R45", "R46!", "R45", "R46!"}));
  EXPECT_EQ(f.driver->Text(kIdWrite), "Write");
}

// ---- Pressure ----

TEST_F(PlantPage, PressureReadSelectsPartOneThenSixAndFillsTheFields) {
  using namespace pressure_dialog;
  Open(kPressure);
  Show();
  f.node.SetSelectedPart(6);
  Mark();
  EXPECT_EQ(Click(kIdRead, true), (Calls{"R45" + At(0), "W45:0001" + At(200), "R46" + At(400),
                                         "W45:0006" + At(600), "R46" + At(800)}));
  const std::pair<int, const char*> shown[] = {{kIdSensorMin, "0"},      {kIdSensorMax, "10000"},
                                               {kIdSensorOffset, "0"},   {kIdSetpointBl1, "2000"},
                                               {kIdSetpointBl2, "2000"}, {kIdActual, "1850"}};
  for (const auto& [id, text] : shown) EXPECT_EQ(f.driver->Text(id), text) << id;
  EXPECT_EQ(Tick(), (Calls{"R28"}));
}

TEST_F(PlantPage, PressureSensorTypeEnablesTheSixValueFields) {
  using namespace pressure_dialog;
  Open(kPressure);
  f.node.SetSelectedPart(1);
  f.node.SetByte(46, 10, 0x02);
  Show();
  const int values[] = {kIdSensorMin,   kIdSensorMax,   kIdSensorOffset,
                        kIdSetpointBl1, kIdSetpointBl2, kIdActual};
  const int boxes[] = {kIdMonitorBl1, kIdStopPumpBl1, kIdMonitorBl2, kIdStopPumpBl2};
  auto expectEnabled = [&](bool on) {
    for (int id : values) EXPECT_EQ(f.driver->Enabled(id), on) << id;
    for (int id : boxes) EXPECT_TRUE(f.driver->Enabled(id)) << id;
    EXPECT_EQ(f.driver->Checked(kIdAnalog), on);
    EXPECT_EQ(f.driver->Checked(kIdDigital), !on);
  };
  expectEnabled(true);
  const size_t from = f.node.Log().size();
  f.driver->Click(kIdDigital);
  EXPECT_EQ(f.CallsSince(from).size(), 0u);  // nothing reaches the node before Write
  expectEnabled(false);
  f.driver->Click(kIdAnalog);
  expectEnabled(true);
  f.driver->Click(kIdDigital);
  f.driver->Click(kIdRead);  // the node still says analog
  expectEnabled(true);
}

TEST_F(PlantPage, PressureFlagsKeepTheOtherBitsAndValuesAreClampedUnsigned) {
  using namespace pressure_dialog;
  Open(kPressure);
  Show();
  const int boxes[] = {kIdMonitorBl1, kIdStopPumpBl1, kIdMonitorBl2, kIdStopPumpBl2};
  auto flagsAfterWrite = [&](uint8_t node, bool analog, const std::vector<int>& on) {
    f.node.SetSelectedPart(1);
    f.node.SetByte(46, 10, node);
    f.driver->Click(kIdRead);
    f.driver->Click(analog ? kIdAnalog : kIdDigital);
    for (int id : boxes) f.sheet->GetActivePage()->SetCheck(id, false);
    for (int id : on) f.sheet->GetActivePage()->SetCheck(id, true);
    f.driver->Click(kIdWrite);
    return f.node.Part(1)[10];
  };
  EXPECT_EQ(flagsAfterWrite(0x41, false, {}), 0x41);
  EXPECT_EQ(
      flagsAfterWrite(0x41, true, {kIdMonitorBl1, kIdStopPumpBl1, kIdMonitorBl2, kIdStopPumpBl2}),
      0x7F);
  EXPECT_EQ(flagsAfterWrite(0xFF, false, {}), 0xC1);
  EXPECT_EQ(flagsAfterWrite(0x00, true, {}), 0x02);
  EXPECT_EQ(flagsAfterWrite(0x00, false, {kIdMonitorBl1}), 0x04);
  EXPECT_EQ(flagsAfterWrite(0x00, false, {kIdMonitorBl2}), 0x08);
  EXPECT_EQ(flagsAfterWrite(0x00, false, {kIdStopPumpBl1}), 0x10);
  EXPECT_EQ(flagsAfterWrite(0x00, false, {kIdStopPumpBl2}), 0x20);

  // Digital: the disabled fields still go to the node; the words are read back unsigned.
  ExpectRoundTrips({{kIdSensorOffset, "-5", 6, 5, "0000", "0"},
                    {kIdSensorMax, "70000", 6, 3, "FFFF", "65535"},
                    {kIdSensorMin, "1234.9", 6, 1, "04D2", "1234"},
                    {kIdSetpointBl1, "300", 6, 7, "012C", "300"},
                    {kIdSetpointBl2, "x", 6, 9, "0000", "0"}});
}

// ---- Dewpoint ----

TEST_F(PlantPage, DewpointShowsThreeLiveTemperaturesEachOnItsOwn) {
  using namespace dewpoint_dialog;
  Open(kDewpoint);
  Mark();
  EXPECT_EQ(Show(), (Calls{"R17" + At(0), "R19" + At(0), "R25" + At(0), "R45" + At(0),
                           "W45:0003" + At(200), "R46" + At(400)}));
  const std::pair<int, const char*> shown[] = {
      {kIdForward, "16.1"},    {kIdDewpoint, "11.6"},    {kIdCalculated, "18.0"},
      {kIdAdvanceTime, "300"}, {kIdOffsetClose, "-2.0"}, {kIdOffsetRegulator, "2.0"}};
  for (const auto& [id, text] : shown) EXPECT_EQ(f.driver->Text(id), text) << id;
  f.node.FailReads(19);
  f.node.SetBytes(17, {0x07, 0xD0});  // 20.00
  f.node.SetBytes(19, {0x03, 0xE8});
  f.node.SetBytes(25, {0xFF, 0x9C});  // -1.00
  EXPECT_EQ(Tick(), (Calls{"R17", "R19!", "R25"}));
  EXPECT_EQ(f.driver->Text(kIdForward), "20.0");
  EXPECT_EQ(f.driver->Text(kIdDewpoint), "11.6");
  EXPECT_EQ(f.driver->Text(kIdCalculated), "-1.0");
}

TEST_F(PlantPage, DewpointSettingsAreStoredInTheirScalesAndClamped) {
  using namespace dewpoint_dialog;
  Open(kDewpoint);
  Show();
  ExpectRoundTrips({{kIdAdvanceTime, "2.5", 3, 23, "0019", "2"},
                    {kIdAdvanceTime, "12", 3, 23, "0078", "12"},
                    {kIdAdvanceTime, "-3", 3, 23, "0000", "0"},
                    {kIdAdvanceTime, "7000", 3, 23, "FFFF", "6553"},
                    {kIdOffsetClose, "-0.5", 3, 21, "FFCE", "-0.5"},
                    {kIdOffsetClose, "150", 3, 21, "2710", "100.0"},
                    {kIdOffsetRegulator, "2.34", 3, 25, "00EA", "2.3"}});
}

// ---- Randomized writes ----

TEST_F(PlantPage, RandomWritesTouchOnlyThePagesOwnBytes) {
  auto texts = [](std::initializer_list<int> ids) {
    return [ids](std::mt19937& rng, fw::CPropertyPage& p) {
      for (int id : ids) p.SetItemText(id, testing_support::RandomFieldText(rng));
    };
  };
  {
    SCOPED_TRACE("outdoor");
    Open(kOutdoor);
    const auto stats = testing_support::RunRandomWrites(
        f, *page, {PageByte::Part(2, 1), PageByte::Part(2, 2)}, texts({outdoor_dialog::kIdOffset}));
    EXPECT_GT(stats.withWrites, 500);
    EXPECT_GT(stats.withoutWrites, 20);
  }
  {
    SCOPED_TRACE("dewpoint");
    using namespace dewpoint_dialog;
    Open(kDewpoint);
    std::vector<PageByte> owned;
    for (int b = 21; b <= 26; ++b) owned.push_back(PageByte::Part(3, b));
    const auto stats = testing_support::RunRandomWrites(
        f, *page, owned, texts({kIdAdvanceTime, kIdOffsetClose, kIdOffsetRegulator}));
    EXPECT_GT(stats.withWrites, 500);
  }
  {
    SCOPED_TRACE("pressure");
    using namespace pressure_dialog;
    Open(kPressure);
    std::vector<PageByte> owned = {PageByte::Part(1, 10, 0x3E)};
    for (int b = 1; b <= 10; ++b) owned.push_back(PageByte::Part(6, b));
    bool typeOn = false;
    testing_support::RandomWriteOptions options;
    options.checkCalls = [&](const std::vector<sim::HostCall>& calls) {
      for (const sim::HostCall& c : calls) {
        EXPECT_FALSE(c.kind == sim::HostCall::Kind::kWrite && c.part == 1 && !typeOn)
            << "wrote the flags with no sensor type chosen";
      }
    };
    const auto stats = testing_support::RunRandomWrites(
        f, *page, owned,
        [&](std::mt19937& rng, fw::CPropertyPage& p) {
          texts({kIdSensorMin, kIdSensorMax, kIdSensorOffset, kIdSetpointBl1, kIdSetpointBl2})(rng,
                                                                                               p);
          const int type = std::uniform_int_distribution<int>(0, 9)(rng);
          p.SetCheck(kIdAnalog, type >= 5);
          p.SetCheck(kIdDigital, type >= 1 && type < 5);
          typeOn = type >= 1;
          for (int id : {kIdMonitorBl1, kIdStopPumpBl1, kIdMonitorBl2, kIdStopPumpBl2}) {
            p.SetCheck(id, std::uniform_int_distribution<int>(0, 1)(rng) != 0);
          }
        },
        options);
    EXPECT_GT(stats.withWrites, 500);
  }
}

}  // namespace
