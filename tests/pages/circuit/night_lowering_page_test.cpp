#include "pages/circuit/night_lowering_page.h"

#include <gtest/gtest.h>

#include "resources/dialog_night_lowering.h"
#include "tests/pages/circuit/page_steps.h"
#include "tests/support/random_write.h"

using testing_support::Calls;
using testing_support::PageByte;
using namespace night_lowering_dialog;

namespace {

struct Twin {
  const char* name;
  int pageIndex;
  int season;  // check box
  int flagByte;
  int tempByte;
  int timeByte;
  int setpointByte;
  int room;
  int heatingCurvePage;
};
void PrintTo(const Twin& t, std::ostream* os) {
  *os << t.name;
}
const Twin kTwins[] = {{"Circuit1", 22, 272, 2, 1, 3, 1, 6, 20},
                       {"Circuit2", 23, 201, 6, 9, 11, 5, 7, 21}};

class NightLoweringPage : public ::testing::TestWithParam<Twin>, public testing_support::PageSteps {
 protected:
  void SetUp() override { Open(GetParam().pageIndex); }
  void SetFlags(uint8_t flags) {
    f.node.SetPart(1, With(f.node.Part(1), {{GetParam().flagByte, flags}}));
  }
  uint8_t Flags() const { return f.node.Part(1)[static_cast<size_t>(GetParam().flagByte)]; }
  // Check state and enabling of the room start/stop box, then whether 270, 271, 273, 274 are
  // enabled.
  std::vector<bool> State() const {
    return {Checked(kIdRoomStartStop), Enabled(kIdRoomStartStop), Enabled(kIdRoomSetpoint),
            Enabled(kIdRoomActual),    Enabled(kIdSeasonTemp),    Enabled(kIdPumpStopTime)};
  }
};

TEST_P(NightLoweringPage, ShowSelectsThreePartsAndTheTimerRefreshesTheRoomOnly) {
  const Twin& t = GetParam();
  SetFlags(0x05);  // night lowering and season stop on, room start/stop off
  f.node.SetPart(3, With(f.node.Part(3), {{t.tempByte, 0xFD},
                                          {t.tempByte + 1, 0xDA},
                                          {t.timeByte, 0x00},
                                          {t.timeByte + 1, 129}}));
  f.node.SetPart(4, With(f.node.Part(4), {{t.setpointByte, 0x08}, {t.setpointByte + 1, 0x66}}));
  f.node.SetBytes(t.room, {0x08, 0x98});
  const std::string room = std::to_string(t.room);
  EXPECT_EQ(Show(), (Calls{"R" + room + "@0", "R45@0", "W45@200", "R46@400", "W45@600", "R46@800",
                           "W45@1000", "R46@1200"}));
  EXPECT_EQ(f.node.SelectedPart(), 4);
  EXPECT_EQ(Text(kIdSeasonTemp), "-5.5");
  EXPECT_EQ(Text(kIdPumpStopTime), "12");  // 12.9 s: the tenths are dropped
  EXPECT_EQ(Text(kIdRoomSetpoint), "21.5");
  EXPECT_EQ(Text(kIdRoomActual), "22.0");
  EXPECT_TRUE(Checked(kIdNightLowering));
  EXPECT_TRUE(Checked(t.season));
  EXPECT_EQ(State(), (std::vector<bool>{false, true, false, false, true, true}));

  f.node.SetBytes(t.room, {0xFF, 0x9C});
  EXPECT_EQ(Wait(2000), (Calls{"R" + room + "@2000"}));  // started when the show ended
  EXPECT_EQ(Text(kIdRoomActual), "-1.0");
  f.node.FailReads(t.room);
  Wait(2000);
  EXPECT_EQ(Text(kIdRoomActual), "-1.0");
  f.driver->SelectTab(0);  // hidden: the timer is gone
  const Calls none = Wait(10000);
  EXPECT_EQ(none, Calls{});
}

TEST_P(NightLoweringPage, WriteChangesOnlyItsBytesAndReadsBack) {
  const Twin& t = GetParam();
  SetFlags(0xED);  // night lowering and season stop on, room start/stop off, others set
  Show();
  ASSERT_TRUE(f.driver->Click(kIdRoomStartStop));
  ASSERT_TRUE(f.driver->Click(t.season));
  Type(kIdSeasonTemp, "-5.5");
  Type(kIdPumpStopTime, "12.5");
  Type(kIdRoomSetpoint, "21.579");
  const auto part1 = f.node.Part(1), part3 = f.node.Part(3), part4 = f.node.Part(4);
  f.platform.ResetSlept();
  EXPECT_EQ(
      Click(kIdWrite),
      (Calls{"R45@0", "W45@200", "R46@400", "W46@400", "W45@600", "R46@800", "W46@800", "W45@1000",
             "R46@1200", "W46@1200",  // the closing read:
             "R45@1200", "W45@1400", "R46@1600", "W45@1800", "R46@2000", "W45@2200", "R46@2400"}));
  EXPECT_EQ(f.platform.SleptMs(), 2400u);
  EXPECT_EQ(f.node.Part(1), With(part1, {{t.flagByte, 0xEB}}));
  EXPECT_EQ(f.node.Part(3), With(part3, {{t.tempByte, 0xFD},
                                         {t.tempByte + 1, 0xDA},
                                         {t.timeByte, 0x00},
                                         {t.timeByte + 1, 0x7D}}));
  EXPECT_EQ(f.node.Part(4), With(part4, {{t.setpointByte, 0x08}, {t.setpointByte + 1, 0x6D}}));
  EXPECT_EQ(Text(kIdPumpStopTime), "12");
  EXPECT_EQ(Text(kIdRoomSetpoint), "21.6");
  EXPECT_EQ(Text(kIdWrite), "Write");
  EXPECT_EQ(Text(kIdRead), "Read");

  // Numbers the words cannot hold are clamped, never cut to their low bits.
  const std::pair<const char*, std::vector<uint8_t>> clamps[] = {
      {"7000", {0x27, 0x10, 0xFF, 0xFF, 0x27, 0x11}},  // 150 °C, 7000 s, -600 °C
      {"-3", {0x00, 0x00, 0x00, 0x00, 0x00, 0x00}}};   // "abc" counts as 0
  Type(kIdSeasonTemp, "150");
  Type(kIdRoomSetpoint, "-600");
  for (const auto& [time, bytes] : clamps) {
    Type(kIdPumpStopTime, time);
    f.driver->Click(kIdWrite);
    const auto p3 = f.node.Part(3), p4 = f.node.Part(4);
    EXPECT_EQ(
        (std::vector<uint8_t>{p3[t.tempByte], p3[t.tempByte + 1], p3[t.timeByte],
                              p3[t.timeByte + 1], p4[t.setpointByte], p4[t.setpointByte + 1]}),
        bytes)
        << time;
    Type(kIdSeasonTemp, "abc");
    Type(kIdRoomSetpoint, "");
  }
  EXPECT_EQ(Text(kIdPumpStopTime), "0");
}

TEST_P(NightLoweringPage, FailedPartReadsSkipTheirWritesOnly) {
  Show();
  f.node.FailReads(46);
  EXPECT_EQ(Click(kIdWrite), (Calls{"R45@0", "W45@200", "R46!@400", "W45@600", "R46!@800",
                                    "W45@1000", "R46!@1200", "R45@1200", "W45@1400", "R46!@1600",
                                    "W45@1800", "R46!@2000", "W45@2200", "R46!@2400"}));
  f.node.FailReads(46, false);
  f.node.FailWrites(45);  // a part that cannot be selected is neither read nor written
  EXPECT_EQ(Click(kIdWrite), (Calls{"R45@0", "W45!@200", "W45!@600", "W45!@1000", "R45@1200",
                                    "W45!@1400", "W45!@1800", "W45!@2200"}));
}

TEST_P(NightLoweringPage, EnablingChainAndTheOrderTheFlagsAreRead) {
  const Twin& t = GetParam();
  SetFlags(0xFA);  // room start/stop on, night lowering off: only a Read leaves it so
  Show();
  EXPECT_EQ(State(), (std::vector<bool>{false, false, false, false, false, false}));
  f.driver->Click(kIdRead);
  EXPECT_EQ(State(), (std::vector<bool>{true, false, true, true, false, false}));

  f.driver->Click(kIdNightLowering);  // on: the box is enabled and keeps its check
  EXPECT_EQ(State(), (std::vector<bool>{true, true, true, true, false, false}));
  f.driver->Click(kIdNightLowering);  // off: cleared and disabled, the room fields too
  EXPECT_EQ(State(), (std::vector<bool>{false, false, false, false, false, false}));
  f.driver->Click(t.season);
  EXPECT_EQ(State(), (std::vector<bool>{false, false, false, false, true, true}));
  f.driver->Click(kIdWrite);
  EXPECT_EQ(Flags(), 0xFC);
  f.driver->Click(t.season);
  f.driver->Click(kIdNightLowering);
  f.driver->Click(kIdRoomStartStop);
  EXPECT_EQ(State(), (std::vector<bool>{true, true, true, true, false, false}));
  f.driver->Click(kIdWrite);
  EXPECT_EQ(Flags(), 0xFB);
}

// The heating curve page enables its constant night temperature (267, constant mode) by the
// night lowering flag this page writes.
TEST_P(NightLoweringPage, NightLoweringEnablesTheConstantNightTemperature) {
  const Twin& t = GetParam();
  fw::CPropertyPage& curve = *f.sheet->AllPages()[static_cast<size_t>(t.heatingCurvePage)];
  if (curve.Template().Find(267) == nullptr || curve.Template().Find(292) == nullptr) {
    GTEST_SKIP() << "the heating curve page has no constant night temperature field yet";
  }
  SetFlags(0x00);  // constant mode, night lowering off
  for (bool on : {true, false}) {
    f.Show(*page);
    if (Checked(kIdNightLowering) != on) f.driver->Click(kIdNightLowering);
    f.driver->Click(kIdWrite);
    f.Show(curve);
    EXPECT_EQ(Enabled(267), on);
  }
}

TEST_P(NightLoweringPage, RandomWritesTouchOnlyItsBytes) {
  const Twin& t = GetParam();
  const auto stats = testing_support::RunRandomWrites(
      f, *page,
      {PageByte::Part(1, t.flagByte, 0x07), PageByte::Part(3, t.tempByte),
       PageByte::Part(3, t.tempByte + 1), PageByte::Part(3, t.timeByte),
       PageByte::Part(3, t.timeByte + 1), PageByte::Part(4, t.setpointByte),
       PageByte::Part(4, t.setpointByte + 1)},
      [&](std::mt19937& rng, fw::CPropertyPage& p) {
        for (int id : {kIdRoomSetpoint, kIdSeasonTemp, kIdPumpStopTime}) {
          p.SetItemText(id, testing_support::RandomFieldText(rng));
        }
        for (int id : {kIdNightLowering, kIdRoomStartStop, t.season}) {
          p.SetCheck(id, std::uniform_int_distribution<int>(0, 1)(rng) != 0);
        }
      });
  EXPECT_EQ(stats.trials, 1000);
  EXPECT_GT(stats.withWrites, 500);
  EXPECT_GT(stats.withFailedReads, 100);
}

INSTANTIATE_TEST_SUITE_P(Twins, NightLoweringPage, ::testing::ValuesIn(kTwins),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
