#include "pages/circuit/pump_page.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "resources/dialog_pump.h"
#include "tests/pages/circuit/layout_checks.h"
#include "tests/support/fixture.h"
#include "tests/support/random_write.h"

using testing_support::NodeFixture;
using testing_support::PageByte;
using testing_support::Traffic;
using namespace pump_dialog;

namespace {

using Calls = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

// What differs between the two pump pages, as the engineer and the node see it.
struct PumpTwin {
  const char* name;
  int pageIndex;  // in the sheet's list of every page
  int templateId;
  const char* groupCaption;
  int32_t stateIndex;
  int modeAt;  // high byte of the pump's mode word in host index 29
  // Alarm NV bytes 0 and 1 that raise exactly one flag: pump fault, pressure stop, pressure.
  std::array<Bytes, 3> alarmRaising;
};

const PumpTwin kTwins[] = {
    {"Mp1", 12, 212, "Status pump (Mp1)", 31, 1, {{{0x00, 0x01}, {0x00, 0x20}, {0x00, 0x10}}}},
    {"Mp2", 13, 213, "Status pump (Mp2", 34, 7, {{{0x02, 0x00}, {0x01, 0x00}, {0x00, 0x80}}}},
};

void PrintTo(const PumpTwin& twin, std::ostream* os) {
  *os << twin.name;
}

const int kModeIds[] = {kIdOff, kIdManual, kIdAutomatic};
const int kFlagIds[] = {kIdPumpFault, kIdPressureStop, kIdPressureFault};

// Host index 29 as another page left it: every byte distinct.
Bytes Modes() {
  Bytes b(31);
  for (int i = 0; i < 31; ++i) b[i] = static_cast<uint8_t>(0xA0 + i);
  return b;
}

class PumpPage : public ::testing::TestWithParam<PumpTwin> {
 protected:
  void SetUp() override {
    f.OpenSheet();
    page = dynamic_cast<CPumpPage*>(f.sheet->AllPages()[GetParam().pageIndex]);
    ASSERT_NE(page, nullptr);
  }
  // The host calls of `action`, with their times counted from its start.
  template <typename Action>
  Calls Timed(Action action, bool withBytes = false) {
    const size_t from = f.node.Log().size();
    const uint64_t t0 = f.platform.TickCount();
    action();
    Calls calls;
    for (const sim::HostCall& c : f.CallsSince(from)) {
      calls.push_back(Traffic({c}, false, withBytes)[0] + "@" + std::to_string(c.atMs - t0));
    }
    return calls;
  }
  void Show() { f.Show(*page); }
  void Tick() { f.platform.RunFor(2000); }
  void Click(int id) { f.driver->Click(id); }
  std::vector<bool> Checks() const {
    std::vector<bool> on;
    for (int id : kModeIds) on.push_back(f.driver->Checked(id));
    return on;
  }
  std::vector<std::string> Flags() const {
    std::vector<std::string> texts;
    for (int id : kFlagIds) texts.push_back(f.driver->Text(id));
    return texts;
  }
  Bytes Mode(int word) const {
    Bytes b = Modes();
    b[GetParam().modeAt] = static_cast<uint8_t>(word >> 8);
    b[GetParam().modeAt + 1] = static_cast<uint8_t>(word & 0xFF);
    return b;
  }

  NodeFixture f;
  CPumpPage* page = nullptr;
};

const std::vector<bool> kOff{true, false, false};
const std::vector<bool> kManual{false, true, false};
const std::vector<bool> kAutomatic{false, false, true};
const std::vector<bool> kNone{false, false, false};

TEST_P(PumpPage, TrafficOfEveryEventWithoutPauses) {
  const std::string state = "R" + std::to_string(GetParam().stateIndex);
  struct Step {
    const char* event;
    std::function<void()> action;
    Calls expected;
  };
  const Step steps[] = {
      {"show", [&] { Show(); }, {state + "@0", "R37@0", "R29@0"}},
      {"tick", [&] { Tick(); }, {state + "@2000", "R37@2000"}},
      {"read", [&] { Click(kIdRead); }, {"R29@0"}},
      {"write", [&] { Click(kIdWrite); }, {"R29@0", "W29@0"}},  // and no read back
      {"tick", [&] { Tick(); }, {state + "@2000", "R37@2000"}},
      {"hide", [&] { f.driver->SelectTab(0); }, {}},  // to the Node Information page
      {"tick", [&] { Tick(); }, {}},
  };
  f.platform.ResetSlept();
  for (const Step& step : steps) EXPECT_EQ(Timed(step.action), step.expected) << step.event;
  EXPECT_EQ(f.platform.SleptMs(), 0u);
}

TEST_P(PumpPage, PumpStateIsByteOneAsASignedByte) {
  const std::pair<Bytes, const char*> states[] = {{{0x00, 0x00}, "OFF"}, {{0x00, 0x01}, "ON"},
                                                  {{0x00, 0xFF}, "ON"},  {{0x00, 0x80}, "ON"},
                                                  {{0x01, 0x00}, "OFF"}, {{0xFF, 0x00}, "OFF"}};
  Show();
  EXPECT_EQ(f.driver->Text(kIdOut), "ON");  // the simulated pump runs
  for (const auto& [bytes, text] : states) {
    f.node.SetBytes(GetParam().stateIndex, bytes);
    Tick();
    EXPECT_EQ(f.driver->Text(kIdOut), text) << int{bytes[0]} << " " << int{bytes[1]};
  }
  f.node.SetBytes(GetParam().stateIndex, {0x00, 0x01});
  f.node.FailReads(GetParam().stateIndex);
  Tick();
  EXPECT_EQ(f.driver->Text(kIdOut), "OFF");  // left as it was
}

TEST_P(PumpPage, EachAlarmFlagHasItsOwnByteAndMask) {
  Show();
  EXPECT_EQ(Flags(), (Calls{"OK", "OK", "OK"}));
  for (int flag = 0; flag < 3; ++flag) {
    f.node.SetBytes(37, GetParam().alarmRaising[flag]);
    Tick();
    Calls expected{"OK", "OK", "OK"};
    expected[flag] = "Alarm";
    EXPECT_EQ(Flags(), expected) << flag;
  }
  // Every other bit of both bytes, the other circuit's flags among them, raises nothing.
  Bytes others{0xFF, 0xFF};
  for (const Bytes& b : GetParam().alarmRaising) {
    others[0] &= static_cast<uint8_t>(~b[0]);
    others[1] &= static_cast<uint8_t>(~b[1]);
  }
  f.node.SetBytes(37, others);
  Tick();
  EXPECT_EQ(Flags(), (Calls{"OK", "OK", "OK"}));
  f.node.SetBytes(37, {0xFF, 0xFF});
  Tick();
  EXPECT_EQ(Flags(), (Calls{"Alarm", "Alarm", "Alarm"}));
  f.node.SetBytes(37, {0, 0});
  f.node.FailReads(37);
  Tick();
  EXPECT_EQ(Flags(), (Calls{"Alarm", "Alarm", "Alarm"}));
}

TEST_P(PumpPage, ReadChoosesTheModeOfItsOwnWord) {
  Show();
  EXPECT_EQ(Checks(), kAutomatic);  // the simulated node's 255
  const std::pair<int, std::vector<bool>> modes[] = {
      {0, kOff},         {1, kManual},         {255, kAutomatic},    {2, kAutomatic},
      {254, kAutomatic}, {0x0100, kAutomatic}, {0x0101, kAutomatic}, {0xFFFF, kAutomatic}};
  for (const auto& [word, checks] : modes) {
    // The other pump's word and the valves' say otherwise.
    Bytes record = Mode(word);
    record[1 + 7 - GetParam().modeAt] = 0;
    record[2 + 7 - GetParam().modeAt] = word == 1 ? 0 : 1;
    f.node.SetBytes(29, record);
    Click(kIdRead);
    EXPECT_EQ(Checks(), checks) << word;
    EXPECT_EQ(f.driver->Text(kIdRead), "Read");
  }
  f.node.SetBytes(29, Mode(0));
  f.node.FailReads(29);
  Click(kIdRead);
  EXPECT_EQ(Checks(), kAutomatic);
  EXPECT_EQ(f.driver->Text(kIdRead), "Read");
}

TEST_P(PumpPage, WriteChangesOnlyThePumpsModeWord) {
  Show();
  struct Choice {
    int id;
    int word;
    std::vector<bool> checks;  // the clicked button on, the others cleared
  };
  const Choice choices[] = {
      {kIdOff, 0, kOff}, {kIdManual, 1, kManual}, {kIdAutomatic, 255, kAutomatic}};
  for (const auto& [id, word, checks] : choices) {
    f.node.SetBytes(29, Modes());
    ASSERT_TRUE(f.driver->Click(id));
    EXPECT_EQ(Checks(), checks);
    Click(kIdWrite);
    EXPECT_EQ(f.node.Bytes(29), Mode(word)) << id;
    EXPECT_EQ(f.driver->Text(kIdWrite), "Write");
  }
  // A failed read of the modes writes nothing.
  f.node.SetBytes(29, Modes());
  f.driver->Click(kIdOff);
  f.node.FailReads(29);
  EXPECT_EQ(Timed([&] { Click(kIdWrite); }), (Calls{"R29!@0"}));
  EXPECT_EQ(f.node.Bytes(29), Modes());
  EXPECT_EQ(f.driver->Text(kIdWrite), "Write");
}

TEST_P(PumpPage, NoModeChosenWritesAutomatic) {
  f.node.FailReads(29);
  Show();
  EXPECT_EQ(Checks(), kNone);
  f.node.FailReads(29, false);
  f.node.SetBytes(29, Modes());
  Click(kIdWrite);
  EXPECT_EQ(f.node.Bytes(29), Mode(255));
  EXPECT_EQ(Checks(), kNone);  // not read back
}

TEST_P(PumpPage, TemplateShowsEveryLabelAndTabsInReadingOrder) {
  const fw::DialogTemplate& dialog = page->Template();
  EXPECT_EQ(page->TemplateId(), GetParam().templateId);
  EXPECT_EQ(page->Caption(), "Pump");
  EXPECT_EQ(
      testing_support::MissingTexts(
          dialog, {GetParam().groupCaption, "Off", "Manual", "Automatic", "Out", "Alarm status",
                   "Pump fault", "Press fault\nStop pump", "Press fault", "Read", "Write"}),
      Calls{});
  EXPECT_EQ(testing_support::TabStops(dialog),
            (std::vector<int>{339, 340, 341, 212, 201, 202, 203, 211, 210}));
  EXPECT_EQ(testing_support::OutOfReadingOrder(dialog), Calls{});
  EXPECT_EQ(testing_support::OutsideTheDialog(dialog), std::vector<int>{});
}

TEST_P(PumpPage, RandomWritesTouchOnlyTheModeWord) {
  const int at = GetParam().modeAt;
  std::optional<int> expected;
  testing_support::RandomWriteOptions options;
  options.seed += static_cast<uint32_t>(GetParam().pageIndex);
  options.checkCalls = [&](const std::vector<sim::HostCall>& calls) {
    for (const sim::HostCall& c : calls) {
      if (c.kind != sim::HostCall::Kind::kWrite) continue;
      ASSERT_EQ(c.bytes.size(), 31u);
      EXPECT_EQ(c.bytes[at] * 256 + c.bytes[at + 1], *expected);
    }
  };
  const auto stats = testing_support::RunRandomWrites(
      f, *page, {PageByte::Nv(29, at), PageByte::Nv(29, at + 1)},
      [&](std::mt19937& rng, fw::CPropertyPage& p) {
        // Each button on or off at random: the first one on, in the order Off, Manual,
        // Automatic, decides; none on writes Automatic.
        expected.reset();
        const int words[] = {0, 1, 255};
        for (int i = 0; i < 3; ++i) {
          const bool on = std::uniform_int_distribution<int>(0, 2)(rng) == 0;
          p.SetCheck(kModeIds[i], on);
          if (on && !expected) expected = words[i];
        }
        if (!expected) expected = 255;
      },
      options);
  EXPECT_EQ(stats.trials, options.trials);
  EXPECT_GT(stats.withWrites, options.trials / 2);
  EXPECT_GT(stats.withoutWrites, 20);
}

INSTANTIATE_TEST_SUITE_P(BothCircuits, PumpPage, ::testing::ValuesIn(kTwins),
                         [](const ::testing::TestParamInfo<PumpTwin>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
