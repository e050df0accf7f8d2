#include "pages/circuit/exercise_valve_page.h"

#include <gtest/gtest.h>

#include "resources/dialog_exercise_valve.h"
#include "tests/pages/circuit/page_steps.h"
#include "tests/support/random_write.h"

using testing_support::Calls;
using testing_support::PageByte;
using namespace exercise_valve_dialog;

namespace {

struct Twin {
  const char* name;
  int pageIndex;
  int firstByte;  // of parts 7 and 5
  int calibration;
  int otherCalibration;
};
void PrintTo(const Twin& t, std::ostream* os) {
  *os << t.name;
}
const Twin kTwins[] = {{"Circuit1", 24, 1, 43, 44}, {"Circuit2", 25, 9, 44, 43}};

class ExerciseValvePage : public ::testing::TestWithParam<Twin>, public testing_support::PageSteps {
 protected:
  void SetUp() override { Open(GetParam().pageIndex); }
  std::string Cal(const char* call) const { return call + std::to_string(GetParam().calibration); }
};

TEST_P(ExerciseValvePage, ReadsPartsSevenAndFiveAndTheCalibrationWithoutATimer) {
  const Twin& t = GetParam();
  const int b = t.firstByte;
  f.node.SetPart(7, With(f.node.Part(7), {{b, 0x01}, {b + 1, 0x2C}, {b + 2, 0xFF}, {b + 3, 0xFF}}));
  f.node.SetPart(5, With(f.node.Part(5), {{b, 0x03}, {b + 1, 0x8D}, {b + 2, 0x00}, {b + 3, 9}}));
  f.node.SetBytes(t.calibration, {6, 5, 0, 0});
  const Calls read = {"R45@0", "W45@200", "R46@400", "W45@600", "R46@800", Cal("R") + "@800"};
  EXPECT_EQ(Show(), read);
  EXPECT_EQ(Text(kIdPumpStandstill), "300");
  EXPECT_EQ(Text(kIdValveStandstill), "65535");
  EXPECT_EQ(Text(kIdValveRunning), "90");  // 909 tenths
  EXPECT_EQ(Text(kIdValveWaiting), "0");
  EXPECT_EQ(Text(kIdCalibration), "6:05");
  EXPECT_EQ(Wait(10000), Calls{});
  EXPECT_EQ(Click(kIdRead), read);  // part 5 stays selected: part 7 is selected again

  // Each byte is signed; only 0 to 9 minutes get a leading zero.
  const std::pair<std::vector<uint8_t>, const char*> times[] = {{{14, 30, 0, 0}, "14:30"},
                                                                {{0, 0, 0, 0}, "0:00"},
                                                                {{0, 10, 0, 0}, "0:10"},
                                                                {{200, 251, 0, 0}, "-56:-5"},
                                                                {{127, 127, 0, 0}, "127:127"}};
  for (const auto& [bytes, text] : times) {
    f.node.SetBytes(t.calibration, bytes);
    f.driver->Click(kIdRead);
    EXPECT_EQ(Text(kIdCalibration), text);
  }
  f.node.FailReads(t.calibration);
  f.node.SetBytes(t.calibration, {1, 1, 0, 0});
  f.driver->Click(kIdRead);
  EXPECT_EQ(Text(kIdCalibration), "127:127");
}

TEST_P(ExerciseValvePage, WriteChangesOnlyItsBytesAndReadsBack) {
  const Twin& t = GetParam();
  const int b = t.firstByte;
  f.node.SetBytes(t.calibration, {4, 0, 0xAB, 0xCD});
  Show();
  Type(kIdPumpStandstill, "70000");
  Type(kIdValveStandstill, "12.9");
  Type(kIdValveRunning, "90.96");
  Type(kIdValveWaiting, "-1");
  Type(kIdCalibration, "6:5");
  const auto part7 = f.node.Part(7), part5 = f.node.Part(5);
  const auto other = f.node.Bytes(t.otherCalibration);
  f.platform.ResetSlept();
  const std::string r = Cal("R"), w = Cal("W");
  EXPECT_EQ(Click(kIdWrite),
            (Calls{"R45@0", "W45@200", "R46@400", "W46@400", "W45@600", "R46@800", "W46@800",
                   r + "@800", w + "@800",  // the closing read:
                   "R45@800", "W45@1000", "R46@1200", "W45@1400", "R46@1600", r + "@1600"}));
  EXPECT_EQ(f.platform.SleptMs(), 1600u);
  EXPECT_EQ(f.node.Part(7), With(part7, {{b, 0xFF}, {b + 1, 0xFF}, {b + 2, 0}, {b + 3, 12}}));
  EXPECT_EQ(f.node.Part(5), With(part5, {{b, 0x03}, {b + 1, 0x8D}, {b + 2, 0}, {b + 3, 0}}));
  EXPECT_EQ(f.node.Bytes(t.calibration), (std::vector<uint8_t>{6, 5, 0xAB, 0xCD}));
  EXPECT_EQ(f.node.Bytes(t.otherCalibration), other);
  EXPECT_EQ(Text(kIdPumpStandstill), "65535");  // clamped, not 4464
  EXPECT_EQ(Text(kIdValveRunning), "90");
  EXPECT_EQ(Text(kIdCalibration), "6:05");
  EXPECT_EQ(Text(kIdWrite), "Write");
  EXPECT_EQ(Text(kIdRead), "Read");
}

TEST_P(ExerciseValvePage, CalibrationTextsAndWhatTheyStore) {
  const Twin& t = GetParam();
  Show();
  const std::tuple<const char*, uint8_t, uint8_t, const char*> texts[] = {
      {"6:5", 6, 5, "6:05"},
      {"14:30", 14, 30, "14:30"},
      {"45", 0, 45, "0:45"},
      {"", 0, 0, "0:00"},
      {"1:2:3", 1, 2, "1:02"},
      {"x:7.9", 0, 7, "0:07"},
      {"300:200", 127, 127, "127:127"},  // clamped to a signed byte
      {"-3:-5", 0xFD, 0xFB, "-3:-5"},    // shown as it reads back
      {"-200", 0, 0x80, "0:-128"}};
  for (const auto& [typed, hours, minutes, shown] : texts) {
    Type(kIdCalibration, typed);
    f.driver->Click(kIdWrite);
    const auto bytes = f.node.Bytes(t.calibration);
    EXPECT_EQ(bytes[0], hours) << typed;
    EXPECT_EQ(bytes[1], minutes) << typed;
    EXPECT_EQ(Text(kIdCalibration), shown) << typed;
    f.driver->Click(kIdWrite);  // what is shown writes the same bytes again
    EXPECT_EQ(f.node.Bytes(t.calibration), bytes) << typed;
  }
}

TEST_P(ExerciseValvePage, FailedReadsSkipTheirWritesOnly) {
  const Twin& t = GetParam();
  Show();
  Type(kIdCalibration, "2:30");
  f.node.FailReads(46);
  const std::string r = Cal("R"), w = Cal("W");
  EXPECT_EQ(Click(kIdWrite),
            (Calls{"R45@0", "W45@200", "R46!@400", "W45@600", "R46!@800", r + "@800", w + "@800",
                   "R45@800", "W45@1000", "R46!@1200", "W45@1400", "R46!@1600", r + "@1600"}));
  f.node.FailReads(46, false);
  f.node.FailReads(t.calibration);
  EXPECT_EQ(Click(kIdWrite), (Calls{"R45@0", "W45@200", "R46@400", "W46@400", "W45@600", "R46@800",
                                    "W46@800", r + "!@800", "R45@800", "W45@1000", "R46@1200",
                                    "W45@1400", "R46@1600", r + "!@1600"}));
  EXPECT_EQ(Text(kIdCalibration), "2:30");
}

TEST_P(ExerciseValvePage, RandomWritesTouchOnlyItsBytes) {
  const Twin& t = GetParam();
  std::vector<PageByte> owned = {PageByte::Nv(t.calibration, 0), PageByte::Nv(t.calibration, 1)};
  for (int i = 0; i < 4; ++i) {
    owned.push_back(PageByte::Part(7, t.firstByte + i));
    owned.push_back(PageByte::Part(5, t.firstByte + i));
  }
  const auto stats = testing_support::RunRandomWrites(
      f, *page, owned, [&](std::mt19937& rng, fw::CPropertyPage& p) {
        for (int id : {kIdPumpStandstill, kIdValveStandstill, kIdValveRunning, kIdValveWaiting,
                       kIdCalibration}) {
          p.SetItemText(id, testing_support::RandomFieldText(rng));
        }
      });
  EXPECT_EQ(stats.trials, 1000);
  EXPECT_GT(stats.withWrites, 500);
  EXPECT_GT(stats.withFailedReads, 100);
}

INSTANTIATE_TEST_SUITE_P(Twins, ExerciseValvePage, ::testing::ValuesIn(kTwins),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
