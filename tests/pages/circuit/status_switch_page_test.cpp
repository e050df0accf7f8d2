#include "pages/circuit/status_switch_page.h"

#include <gtest/gtest.h>

#include <optional>

#include "resources/dialog_status_switch.h"
#include "tests/support/fixture.h"
#include "tests/support/random_write.h"

using testing_support::NodeFixture;
using testing_support::PageByte;
using testing_support::Traffic;
using namespace status_switch_dialog;

namespace {

using Calls = std::vector<std::string>;

// The override buttons by their control ids and the values they write, in the order a write
// looks at them: written out, so that a button wired to the wrong value shows up.
const std::pair<int, int> kButtons[] = {{328, 1}, {335, 2}, {336, 3},  {337, 4},
                                        {338, 5}, {339, 6}, {340, 255}};

std::vector<uint8_t> Word(int w) {
  return {static_cast<uint8_t>(w >> 8), static_cast<uint8_t>(w & 0xFF)};
}

class StatusSwitchPage : public ::testing::Test {
 protected:
  void Open(int pageIndex = 8) {
    f.OpenSheet();
    page = dynamic_cast<CStatusSwitchPage*>(f.sheet->AllPages()[pageIndex]);
    ASSERT_NE(page, nullptr);
  }
  Calls Show() {
    const size_t from = f.node.Log().size();
    f.Show(*page);
    shownAt = f.platform.TickCount();
    return Traffic(f.CallsSince(from));
  }
  Calls Tick() {
    const size_t from = f.node.Log().size();
    f.platform.RunFor(2000);
    return Traffic(f.CallsSince(from));
  }
  Calls Click(int id) {
    const size_t from = f.node.Log().size();
    f.driver->Click(id);
    return Traffic(f.CallsSince(from));
  }
  std::vector<bool> Checks() const {
    std::vector<bool> on;
    for (const auto& b : kButtons) on.push_back(f.driver->Checked(b.first));
    return on;
  }
  std::vector<bool> Enabled() const {
    std::vector<bool> on;
    for (const auto& b : kButtons) on.push_back(f.driver->Enabled(b.first));
    return on;
  }
  static std::vector<bool> Only(int id) {
    std::vector<bool> on;
    for (const auto& b : kButtons) on.push_back(b.first == id);
    return on;
  }

  NodeFixture f;
  CStatusSwitchPage* page = nullptr;
  uint64_t shownAt = 0;
};

const std::vector<bool> kAll(7, true);
const std::vector<bool> kNone(7, false);

TEST_F(StatusSwitchPage, ShowRefreshesThenReadsAndTheTimerRefreshesOnly) {
  Open();
  EXPECT_EQ(Show(), (Calls{"R20", "R26", "R41", "R20", "R41"}));
  EXPECT_EQ(f.driver->Text(kIdSwitchPosition), "Boost");
  EXPECT_EQ(f.driver->Text(kIdUnitMode), "Heating");
  EXPECT_EQ(Checks(), Only(kIdManualSwitch));  // factory override 255
  EXPECT_EQ(Enabled(), kAll);

  const size_t from = f.node.Log().size();
  f.platform.RunFor(2000);
  const std::string at = "@" + std::to_string(shownAt + 2000);
  EXPECT_EQ(Traffic(f.CallsSince(from), true),
            (Calls{"R20" + at, "R26" + at, "R41" + at, "R20" + at}));
}

TEST_F(StatusSwitchPage, RefreshStopsAfterTheOverrideWhenItFailsOrIsOff) {
  Open();
  Show();
  f.node.FailReads(41);
  EXPECT_EQ(Tick(), (Calls{"R20", "R26", "R41!"}));
  f.node.FailReads(41, false);
  f.node.SetBytes(41, Word(4));
  EXPECT_EQ(Tick(), (Calls{"R20", "R26", "R41"}));
}

TEST_F(StatusSwitchPage, ShowsEveryPositionAndUnitModeAndQuestionMarksOtherwise) {
  Open();
  Show();
  const std::pair<int, const char*> positions[] = {
      {0, "??"},        {1, "Boost"}, {2, "Night"}, {3, "Day"},     {4, "Off"},    {5, "Auto"},
      {6, "Occupancy"}, {7, "??"},    {255, "??"},  {0x0101, "??"}, {0xFFFF, "??"}};
  for (const auto& [word, text] : positions) {
    f.node.SetBytes(20, Word(word));
    Tick();
    EXPECT_EQ(f.driver->Text(kIdSwitchPosition), text) << word;
  }
  const char* const modes[] = {"Auto",
                               "Heating",
                               "Morning warm-up",
                               "Cooling",
                               "Night purge",
                               "Pre-cool",
                               "Off",
                               "Test",
                               "Emergency heat",
                               "Fan only",
                               "Free cooling",
                               "Ice-making",
                               "Max heating",
                               "Economic heat/cool",
                               "Dehumidification"};
  for (int mode = 0; mode <= 14; ++mode) {
    f.node.SetBytes(26, {static_cast<uint8_t>(mode)});
    Tick();
    EXPECT_EQ(f.driver->Text(kIdUnitMode), modes[mode]) << mode;
  }
  for (uint8_t odd : {15, 127, 128, 255}) {
    f.node.SetBytes(26, {odd});
    Tick();
    EXPECT_EQ(f.driver->Text(kIdUnitMode), "??") << int{odd};
  }
  // A failed read leaves the texts.
  f.node.SetBytes(20, Word(1));
  f.node.SetBytes(26, {1});
  Tick();
  f.node.SetBytes(20, Word(3));
  f.node.SetBytes(26, {6});
  f.node.FailReads(20);
  f.node.FailReads(26);
  Tick();
  EXPECT_EQ(f.driver->Text(kIdSwitchPosition), "Boost");
  EXPECT_EQ(f.driver->Text(kIdUnitMode), "Heating");
}

TEST_F(StatusSwitchPage, SwitchOnOffDisablesTheOverrideUnlessTheOverrideIsOff) {
  Open();
  f.node.SetBytes(20, Word(4));
  Show();
  EXPECT_EQ(Enabled(), kNone);
  EXPECT_EQ(Checks(), Only(kIdManualSwitch));
  EXPECT_FALSE(f.driver->Click(kIdBoost));  // a disabled button takes no click
  EXPECT_EQ(Checks(), Only(kIdManualSwitch));

  // Override "Off": the buttons stay as they are, whatever the switch does.
  f.node.SetBytes(41, Word(4));
  f.node.SetBytes(20, Word(1));
  Tick();
  EXPECT_EQ(Enabled(), kNone);
  f.node.SetBytes(41, Word(2));
  Tick();
  EXPECT_EQ(Enabled(), kAll);
  f.node.SetBytes(41, Word(4));
  f.node.SetBytes(20, Word(4));
  Tick();
  EXPECT_EQ(Enabled(), kAll);

  // A switch position that cannot be read counts as not "Off".
  f.node.SetBytes(41, Word(255));
  Tick();
  EXPECT_EQ(Enabled(), kNone);
  f.node.FailReads(20);
  Tick();
  EXPECT_EQ(Enabled(), kAll);
}

TEST_F(StatusSwitchPage, ReadChoosesTheButtonOfTheOverride) {
  Open();
  Show();
  for (const auto& [id, value] : kButtons) {
    f.node.SetBytes(41, Word(value));
    EXPECT_EQ(Click(kIdRead), (Calls{"R41"}));
    EXPECT_EQ(Checks(), Only(id)) << value;
  }
  for (int other : {0, 7, 254, 0x0104, 0xFFFF}) {
    f.node.SetBytes(41, Word(other));
    Click(kIdRead);
    EXPECT_EQ(Checks(), Only(kIdManualSwitch)) << other;
  }
  f.node.SetBytes(41, Word(2));
  f.node.FailReads(41);
  Click(kIdRead);
  EXPECT_EQ(Checks(), Only(kIdManualSwitch));
  EXPECT_EQ(f.driver->Text(kIdRead), "Read");
}

TEST_F(StatusSwitchPage, WriteSendsTheChosenOverrideAndReadsItBack) {
  Open();
  Show();
  f.platform.ResetSlept();
  for (const auto& [id, value] : kButtons) {
    f.node.SetBytes(41, Word(0x1234));
    ASSERT_TRUE(f.driver->Click(id));
    EXPECT_EQ(Checks(), Only(id));  // each button is its own group: the page clears the rest
    char bytes[8];
    std::snprintf(bytes, sizeof bytes, "%04X", value);
    EXPECT_EQ(Click(kIdWrite), (Calls{"R41", std::string("W41:") + bytes, "R41"}));
    EXPECT_EQ(f.node.Bytes(41), Word(value));
    EXPECT_EQ(Checks(), Only(id));
    EXPECT_EQ(f.driver->Text(kIdWrite), "Write");
    EXPECT_EQ(f.driver->Text(kIdRead), "Read");
  }
  EXPECT_EQ(f.platform.SleptMs(), 0u);  // direct NVs: no pauses
}

TEST_F(StatusSwitchPage, FailedOverrideReadSkipsTheWriteButStillReads) {
  Open();
  Show();
  f.driver->Click(kIdDay);
  f.node.FailReads(41);
  EXPECT_EQ(Click(kIdWrite), (Calls{"R41!", "R41!"}));
  EXPECT_EQ(Checks(), Only(kIdDay));
}

TEST_F(StatusSwitchPage, NothingChosenWritesNothing) {
  f.node.FailReads(41);
  Open();
  Show();
  EXPECT_EQ(Checks(), kNone);
  f.node.FailReads(41, false);
  EXPECT_EQ(Click(kIdWrite), (Calls{"R41", "R41"}));
  EXPECT_EQ(f.node.Bytes(41), Word(255));
  EXPECT_EQ(Checks(), Only(kIdManualSwitch));
}

TEST_F(StatusSwitchPage, SecondCircuitUsesItsOwnNvsAndLabel) {
  Open(9);
  EXPECT_EQ(Show(), (Calls{"R21", "R27", "R42", "R21", "R42"}));
  f.driver->Click(kIdBoost);
  EXPECT_EQ(Click(kIdWrite), (Calls{"R42", "W42:0001", "R42"}));
  EXPECT_EQ(f.node.Bytes(41), Word(255));
  EXPECT_EQ(page->TemplateId(), 209);
  EXPECT_EQ(page->Caption(), "Status Switch");
  bool labelled = false;
  for (const fw::ControlDef& c : page->Template().controls) {
    labelled = labelled || c.text == "Rotary switch (Sw1)";
  }
  EXPECT_TRUE(labelled);
}

TEST_F(StatusSwitchPage, RandomWritesTouchOnlyTheOverride) {
  for (int pageIndex : {8, 9}) {
    SCOPED_TRACE(pageIndex);
    Open(pageIndex);
    const int32_t index = pageIndex == 8 ? 41 : 42;
    std::optional<int> expected;
    testing_support::RandomWriteOptions options;
    options.checkCalls = [&](const std::vector<sim::HostCall>& calls) {
      for (const sim::HostCall& c : calls) {
        if (c.kind != sim::HostCall::Kind::kWrite) continue;
        ASSERT_TRUE(expected.has_value()) << "wrote with no button on";
        EXPECT_EQ(c.bytes, Word(*expected));
      }
    };
    options.seed += static_cast<uint32_t>(pageIndex);
    const auto stats = testing_support::RunRandomWrites(
        f, *page, {PageByte::Nv(index, 0), PageByte::Nv(index, 1)},
        [&](std::mt19937& rng, fw::CPropertyPage& p) {
          // Usually one button on; sometimes none, sometimes any number.
          const int mode = std::uniform_int_distribution<int>(0, 9)(rng);
          expected.reset();
          for (const auto& [id, value] : kButtons) {
            const bool on = mode == 1 && std::uniform_int_distribution<int>(0, 1)(rng) != 0;
            p.SetCheck(id, on);
            if (on && !expected) expected = value;
          }
          if (mode >= 2) {
            const auto& [id, value] = kButtons[std::uniform_int_distribution<int>(0, 6)(rng)];
            p.SetCheck(id, true);
            expected = value;
          }
        },
        options);
    EXPECT_EQ(stats.trials, options.trials);
    EXPECT_GT(stats.withWrites, options.trials / 2);
    EXPECT_GT(stats.withFailedReads, 20);
    EXPECT_GT(stats.withoutWrites, 20);
  }
}

}  // namespace
