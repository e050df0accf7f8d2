#include "pages/circuit/night_lowering_page.h"

#include <gtest/gtest.h>

#include "resources/dialog_night_lowering.h"
#include "tests/pages/circuit/page_steps.h"
#include "tests/support/random_write.h"

using namespace testing_support;
using namespace night_lowering_dialog;

namespace {

struct Twin {
  const char* name;
  int pageIndex, season, flagByte, tempByte, timeByte, setpointByte, room, curvePage;
};
void PrintTo(const Twin& t, std::ostream* os) {
  *os << t.name;
}
const Twin kTwins[] = {{"Circuit1", 22, 272, 2, 1, 3, 1, 6, 20},
                       {"Circuit2", 23, 201, 6, 9, 11, 5, 7, 21}};

class NightLoweringPage : public ::testing::TestWithParam<Twin>, public PageSteps {
 protected:
  void SetUp() override { Open(GetParam().pageIndex); }
  uint8_t Flags() const { return f.node.Part(1)[static_cast<size_t>(GetParam().flagByte)]; }
  // 269 checked and enabled, then whether 270, 271, 273 and 274 are enabled.
  std::vector<bool> State() const {
    const auto& d = *f.driver;
    return {d.Checked(269), d.Enabled(269), d.Enabled(270),
            d.Enabled(271), d.Enabled(273), d.Enabled(274)};
  }
};

TEST_P(NightLoweringPage, ShowWriteAndTimerTrafficAndBytes) {
  const Twin& t = GetParam();
  const int h = t.tempByte, s = t.timeByte, p = t.setpointByte;
  Put(1, {{t.flagByte, 0xED}});  // night lowering and season stop on, other circuit flags set
  Put(3, {{h, 0xFD}, {h + 1, 0xDA}, {s, 0x00}, {s + 1, 129}});
  Put(4, {{p, 0x08}, {p + 1, 0x66}});
  f.node.SetBytes(t.room, {0x08, 0x98});
  const std::string room = "R" + std::to_string(t.room);
  EXPECT_EQ(Show(), (Calls{room + "@0", "R45@0", "W45@200", "R46@400", "W45@600", "R46@800",
                           "W45@1000", "R46@1200"}));
  EXPECT_EQ((std::vector<std::string>{Text(273), Text(274), Text(270), Text(271)}),
            (std::vector<std::string>{"-5.5", "12", "21.5", "22.0"}));  // 12.9 s shows 12
  EXPECT_EQ(State(), (std::vector<bool>{false, true, false, false, true, true}));
  EXPECT_EQ(Wait(2000), (Calls{room + "@2000"}));

  f.driver->Click(269);
  f.driver->Click(t.season);
  Type(273, "-5.5");
  Type(274, "12.5");
  Type(270, "21.579");
  const Bytes part1 = f.node.Part(1), part3 = f.node.Part(3), part4 = f.node.Part(4);
  EXPECT_EQ(Click(210), (Calls{"R45@0", "W45@200", "R46@400", "W46@400", "W45@600", "R46@800",
                               "W46@800", "W45@1000", "R46@1200", "W46@1200",  // closing read:
                               "R45@1200", "W45@1400", "R46@1600", "W45@1800", "R46@2000",
                               "W45@2200", "R46@2400"}));
  EXPECT_EQ(f.node.Part(1), With(part1, {{t.flagByte, 0xEB}}));
  EXPECT_EQ(f.node.Part(3), With(part3, {{h, 0xFD}, {h + 1, 0xDA}, {s, 0x00}, {s + 1, 125}}));
  EXPECT_EQ(f.node.Part(4), With(part4, {{p, 0x08}, {p + 1, 0x6D}}));
  EXPECT_EQ(Text(274), "12");
  EXPECT_EQ(Text(210), "Write");

  // Numbers the words cannot hold are clamped, never cut to their low bits.
  Type(273, "150");
  Type(274, "7000");
  Type(270, "-600");
  f.driver->Click(210);
  EXPECT_EQ(f.node.Part(3), With(part3, {{h, 0x27}, {h + 1, 0x10}, {s, 0xFF}, {s + 1, 0xFF}}));
  EXPECT_EQ(f.node.Part(4), With(part4, {{p, 0x27}, {p + 1, 0x11}}));

  f.driver->SelectTab(0);  // hidden: no more ticks
  EXPECT_EQ(Wait(10000), Calls{});
}

TEST_P(NightLoweringPage, EnablingChainAndTheOrderTheFlagsAreRead) {
  const Twin& t = GetParam();
  Put(1, {{t.flagByte, 0xFA}});  // room start/stop on, night lowering off
  Show();                        // the enabling after the read clears 269
  EXPECT_EQ(State(), (std::vector<bool>{false, false, false, false, false, false}));
  f.driver->Click(211);  // a Read alone leaves it checked, though disabled
  EXPECT_EQ(State(), (std::vector<bool>{true, false, true, true, false, false}));
  f.driver->Click(268);
  EXPECT_EQ(State(), (std::vector<bool>{true, true, true, true, false, false}));
  f.driver->Click(268);
  f.driver->Click(t.season);
  EXPECT_EQ(State(), (std::vector<bool>{false, false, false, false, true, true}));
  f.driver->Click(210);
  EXPECT_EQ(Flags(), 0xFC);
}

// The heating curve page enables its constant night temperature (267) in constant mode by the
// night lowering flag this page writes.
TEST_P(NightLoweringPage, NightLoweringEnablesTheConstantNightTemperature) {
  fw::CPropertyPage& curve = *f.sheet->AllPages()[static_cast<size_t>(GetParam().curvePage)];
  if (curve.Template().Find(267) == nullptr) GTEST_SKIP() << "no heating curve page yet";
  Put(1, {{GetParam().flagByte, 0x00}});  // constant mode, night lowering off
  for (bool on : {true, false}) {
    f.Show(*page);
    if (f.driver->Checked(268) != on) f.driver->Click(268);
    f.driver->Click(210);
    f.Show(curve);
    EXPECT_EQ(f.driver->Enabled(267), on);
  }
}

TEST_P(NightLoweringPage, RandomWritesTouchOnlyItsBytes) {
  const Twin& t = GetParam();
  const auto stats =
      RunRandomWrites(f, *page,
                      {PageByte::Part(1, t.flagByte, 0x07), PageByte::Part(3, t.tempByte),
                       PageByte::Part(3, t.tempByte + 1), PageByte::Part(3, t.timeByte),
                       PageByte::Part(3, t.timeByte + 1), PageByte::Part(4, t.setpointByte),
                       PageByte::Part(4, t.setpointByte + 1)},
                      [&](std::mt19937& rng, fw::CPropertyPage& p) {
                        for (int id : {270, 273, 274}) p.SetItemText(id, RandomFieldText(rng));
                        for (int id : {268, 269, t.season}) p.SetCheck(id, rng() % 2 != 0);
                      });
  EXPECT_EQ(stats.trials, 1000);
  EXPECT_GT(stats.withWrites, 500);
  EXPECT_GT(stats.withFailedReads, 100);
}

INSTANTIATE_TEST_SUITE_P(Twins, NightLoweringPage, ::testing::ValuesIn(kTwins),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
