// What only the pages of mode buttons do: the status switch override and its enabling, the
// pump mode, the analog valves' modes and cascade. Pages by their index among the sheet's 36.
#include <gtest/gtest.h>

#include "tests/pages/circuit/page_harness.h"

using namespace circuit_test;

namespace {

// Which of `ids` are checked: "x" or "-" each.
std::string Checks(const PageHarness& h, const std::vector<int>& ids) {
  std::string s;
  for (int id : ids) s += h.f.driver->Checked(id) ? "x" : "-";
  return s;
}

const std::vector<int> kOverrides = {328, 335, 336, 337, 338, 339, 340};

TEST(StatusSwitchPage, ButtonsAreOneGroupAndTheFirstOnIsWritten) {
  PageHarness h;
  h.Open(8);
  EXPECT_EQ(Checks(h, kOverrides), "------x");  // the factory override 255
  h.Click(336);
  EXPECT_EQ(Checks(h, kOverrides), "--x----");
  h.page->SetCheck(328, true);  // two on: the first in the order of their values
  h.page->SetCheck(337, true);
  h.Click(210);
  EXPECT_EQ(h.f.node.Bytes(41), (Bytes{0, 1}));
  EXPECT_EQ(Checks(h, kOverrides), "x------");
  // A failed read of the override skips the write, and the read back after it.
  h.Click(336);
  h.f.node.FailReads(41);
  EXPECT_EQ(h.Click(210), (Calls{"R41!@0", "R41!@0"}));
  EXPECT_EQ(Checks(h, kOverrides), "--x----");
  EXPECT_EQ(h.Text(210), "Write");
}

TEST(StatusSwitchPage, NothingChosenWritesNothing) {
  PageHarness h;
  h.Open(9, false);
  h.f.node.FailReads(42);
  h.Show();
  EXPECT_EQ(Checks(h, kOverrides), "-------");
  h.f.node.FailReads(42, false);
  EXPECT_EQ(h.Click(210), (Calls{"R42@0", "R42@0"}));
  EXPECT_EQ(h.f.node.Bytes(42), (Bytes{0, 255}));
}

// The buttons are of no use while the rotary switch stands on "Off" (4), unless the override
// is "Off" too: then they are left as they are. A switch that cannot be read is not "Off".
TEST(StatusSwitchPage, SwitchOffDisablesTheOverrideUnlessTheOverrideIsOff) {
  PageHarness h;
  h.Open(8, false);
  h.f.node.SetBytes(20, {0, 4});
  h.Show();
  const std::vector<bool> all(7, true), none(7, false);
  EXPECT_EQ(h.Enabled(kOverrides), none);
  EXPECT_FALSE(h.f.driver->Click(328));
  const std::tuple<Bytes, Bytes, bool, std::vector<bool>> rows[] = {
      {{0, 4}, {0, 1}, false, none},  // override Off: left
      {{0, 2}, {0, 1}, false, all},
      {{0, 4}, {0, 4}, false, all},  // override Off: left
      {{0, 255}, {0, 4}, false, none},
      {{0, 255}, {0, 4}, true, all}};
  for (const auto& [override, position, failSwitch, enabled] : rows) {
    h.f.node.SetBytes(41, override);
    h.f.node.SetBytes(20, position);
    h.f.node.FailReads(20, failSwitch);
    h.Tick();
    EXPECT_EQ(h.Enabled(kOverrides), enabled) << int{override[1]} << " " << int{position[1]};
  }
  // The refresh stops after the override when its read fails or it is Off.
  h.f.node.FailReads(20, false);
  h.f.node.FailReads(41);
  EXPECT_EQ(h.Tick(), (Calls{"R20@2000", "R26@2000", "R41!@2000"}));
  h.f.node.FailReads(41, false);
  h.f.node.SetBytes(41, {0, 4});
  EXPECT_EQ(h.Tick(), (Calls{"R20@2000", "R26@2000", "R41@2000"}));
}

TEST(PumpPage, ButtonsAreOneGroupAndNoneOnIsAutomatic) {
  PageHarness h;
  h.Open(13);
  EXPECT_EQ(Checks(h, {339, 340, 341}), "--x");  // the factory mode 255
  h.Click(340);
  EXPECT_EQ(Checks(h, {339, 340, 341}), "-x-");
  h.page->SetCheck(339, true);  // two on: the first of Off, Manual, Automatic
  h.Click(210);
  EXPECT_EQ(h.f.node.Bytes(29)[7] * 256 + h.f.node.Bytes(29)[8], 0);
  h.page->SetCheck(339, false);
  h.page->SetCheck(340, false);  // as after a failed read on showing
  h.Click(210);
  EXPECT_EQ(h.f.node.Bytes(29)[7] * 256 + h.f.node.Bytes(29)[8], 255);
}

struct Valve {
  int off, manual, automatic, in;
  int modeByte;  // of host index 29
};
struct ValveTwin {
  int page;
  Valve first, second;
  uint8_t cascadeMask;  // part 1 byte 12
};
const ValveTwin kValves[] = {{10, {296, 297, 298, 299, 3}, {304, 305, 306, 307, 5}, 0x01},
                             {11, {358, 359, 360, 369, 9}, {363, 364, 365, 239, 11}, 0x04}};

// The second valve is of use only with cascade on: switching cascade starts it from
// "Automatic". A manual position is of use only in "Manual".
TEST(AnalogValvePage, CascadeEnablesTheSecondValveAndManualItsPosition) {
  for (const ValveTwin& t : kValves) {
    SCOPED_TRACE(t.page);
    const Valve &a = t.first, &b = t.second;
    PageHarness h;
    h.Open(t.page, false);
    h.Put(Nv(29), a.modeByte, {0, 0});
    h.Put(Nv(29), b.modeByte, {0, 1});
    h.Put(Part(1), 12, {static_cast<uint8_t>(~t.cascadeMask)});  // cascade off
    h.Show();
    const Bytes modes = h.f.node.Bytes(29);
    EXPECT_EQ(Checks(h, {a.off, a.manual, a.automatic, b.off, b.manual, b.automatic}), "x---x-");
    EXPECT_EQ(h.Enabled({a.in, b.off, b.manual, b.automatic, b.in, 280}),
              (std::vector<bool>{false, false, false, false, false, false}));
    h.Click(210);
    EXPECT_EQ(h.f.node.Bytes(29), modes);  // the second valve's Manual is kept

    h.Click(246);
    EXPECT_EQ(Checks(h, {b.off, b.manual, b.automatic}), "--x");
    EXPECT_EQ(h.Enabled({b.off, b.manual, b.automatic, b.in, 280}),
              (std::vector<bool>{true, true, true, false, true}));
    h.Click(a.manual);
    h.Click(b.manual);
    EXPECT_EQ(h.Enabled({a.in, b.in}), (std::vector<bool>{true, true}));
    h.Click(246);
    EXPECT_EQ(Checks(h, {b.off, b.manual, b.automatic}), "--x");
    EXPECT_EQ(h.Enabled({a.in, b.off, b.in, 280}), (std::vector<bool>{true, false, false, false}));
    // No mode button on: written as Automatic (255); two on: the first of Off, Manual.
    for (int id : {a.off, a.manual, a.automatic, b.off, b.manual, b.automatic}) {
      h.page->SetCheck(id, false);
    }
    h.page->SetCheck(b.off, true);
    h.page->SetCheck(b.manual, true);
    h.Click(210);
    EXPECT_EQ(h.f.node.Bytes(29)[static_cast<size_t>(a.modeByte) + 1], 255);
    EXPECT_EQ(h.f.node.Bytes(29)[static_cast<size_t>(b.modeByte) + 1], 0);
  }
}

TEST(AnalogValvePage, FailedReadsSkipOnlyTheirNv) {
  PageHarness h;
  h.Open(10);
  h.f.node.SetSelectedPart(6);
  h.f.node.FailReads(29);
  h.f.node.FailReads(46);
  EXPECT_EQ(h.Click(210), Split("R30@0 W30@0 R29!@0 R45@0 W45@200 R46!@400 W45@600 R46!@800 "
                                "R45@800 W45@1000 R46!@1200 R29!@1200 R29!@1200 R30@1200 "
                                "R30@1200 W45@1400 R46!@1600"));
}

}  // namespace
