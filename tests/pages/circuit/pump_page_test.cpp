#include "pages/circuit/pump_page.h"

#include <gtest/gtest.h>

#include <array>

#include "resources/dialog_pump.h"
#include "tests/pages/circuit/page_checks.h"
#include "tests/support/random_write.h"

using testing_support::NodeFixture;
using testing_support::Timed;
using namespace pump_dialog;

namespace {

using Calls = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

struct PumpTwin {
  const char* name;
  int pageIndex;  // in the sheet's list of every page
  int templateId;
  const char* groupCaption;
  int32_t stateIndex;
  int modeAt;  // high byte of the pump's mode word in host index 29
  // Alarm bytes 0 and 1 that raise exactly one flag: pump fault, pressure stop, pressure.
  std::array<Bytes, 3> alarmRaising;
};
void PrintTo(const PumpTwin& twin, std::ostream* os) {
  *os << twin.name;
}
const PumpTwin kTwins[] = {
    {"Mp1", 12, 212, "Status pump (Mp1)", 31, 1, {{{0x00, 0x01}, {0x00, 0x20}, {0x00, 0x10}}}},
    {"Mp2", 13, 213, "Status pump (Mp2", 34, 7, {{{0x02, 0x00}, {0x01, 0x00}, {0x00, 0x80}}}},
};

const int kModeIds[] = {kIdOff, kIdManual, kIdAutomatic};

class PumpPage : public ::testing::TestWithParam<PumpTwin> {
 protected:
  void SetUp() override {
    f.OpenSheet();
    page = dynamic_cast<CPumpPage*>(f.sheet->AllPages()[GetParam().pageIndex]);
    ASSERT_NE(page, nullptr);
  }
  void Tick() { f.platform.RunFor(2000); }
  std::string Live() const {  // "ON OK OK OK"
    std::string s = f.driver->Text(kIdOut);
    for (int id : {kIdPumpFault, kIdPressureStop, kIdPressureFault}) s += " " + f.driver->Text(id);
    return s;
  }
  int Checked() const {  // the one mode button on, else 0
    int on = 0;
    for (int id : kModeIds) on = f.driver->Checked(id) ? (on == 0 ? id : -1) : on;
    return on;
  }
  // Host index 29 with every byte distinct and the pump's mode word set to `word`.
  Bytes Modes(int word = -1) const {
    Bytes b(31);
    for (int i = 0; i < 31; ++i) b[i] = static_cast<uint8_t>(0xA0 + i);
    if (word >= 0) b[GetParam().modeAt] = word >> 8, b[GetParam().modeAt + 1] = word & 0xFF;
    return b;
  }

  NodeFixture f;
  CPumpPage* page = nullptr;
};

TEST_P(PumpPage, TrafficOfEveryEventWithoutPauses) {
  const std::string state = "R" + std::to_string(GetParam().stateIndex);
  f.platform.ResetSlept();
  const std::pair<std::function<void()>, Calls> steps[] = {
      {[&] { f.Show(*page); }, {state + "@0", "R37@0", "R29@0"}},
      {[&] { Tick(); }, {state + "@2000", "R37@2000"}},
      {[&] { f.driver->Click(kIdRead); }, {"R29@0"}},
      {[&] { f.driver->Click(kIdWrite); }, {"R29@0", "W29@0"}},  // not read back
      {[&] { f.driver->SelectTab(0); }, {}},                     // hidden: no more ticks
      {[&] { Tick(); }, {}},
  };
  for (const auto& [action, expected] : steps) EXPECT_EQ(Timed(f, action), expected);
  EXPECT_EQ(f.platform.SleptMs(), 0u);
}

TEST_P(PumpPage, PumpStateIsASignedByteOneAndEachFlagHasItsOwnMask) {
  f.Show(*page);
  EXPECT_EQ(Live(), "ON OK OK OK");  // the simulated node
  const std::pair<Bytes, const char*> states[] = {
      {{0x00, 0x00}, "OFF"}, {{0x00, 0xFF}, "ON"}, {{0x00, 0x80}, "ON"}, {{0xFF, 0x00}, "OFF"}};
  for (const auto& [bytes, text] : states) {
    f.node.SetBytes(GetParam().stateIndex, bytes);
    Tick();
    EXPECT_EQ(f.driver->Text(kIdOut), text) << int{bytes[0]} << " " << int{bytes[1]};
  }
  const char* const raised[] = {"OFF Alarm OK OK", "OFF OK Alarm OK", "OFF OK OK Alarm"};
  Bytes others{0xFF, 0xFF};  // every bit but the page's three: the other circuit's among them
  for (size_t flag = 0; flag < 3; ++flag) {
    const Bytes& b = GetParam().alarmRaising[flag];
    f.node.SetBytes(37, b);
    Tick();
    EXPECT_EQ(Live(), raised[flag]);
    others = {static_cast<uint8_t>(others[0] & ~b[0]), static_cast<uint8_t>(others[1] & ~b[1])};
  }
  f.node.SetBytes(37, others);
  Tick();
  EXPECT_EQ(Live(), "OFF OK OK OK");
  // Failed reads leave the texts.
  f.node.SetBytes(37, {0xFF, 0xFF});
  f.node.SetBytes(GetParam().stateIndex, {0, 1});
  f.node.FailReads(37);
  f.node.FailReads(GetParam().stateIndex);
  Tick();
  EXPECT_EQ(Live(), "OFF OK OK OK");
}

TEST_P(PumpPage, ModeWordReadAndWrittenAloneWithoutReadingBack) {
  f.Show(*page);
  EXPECT_EQ(Checked(), kIdAutomatic);  // the simulated node's 255
  const std::pair<int, int> read[] = {{0, kIdOff},
                                      {1, kIdManual},
                                      {2, kIdAutomatic},
                                      {0x0100, kIdAutomatic},
                                      {0xFFFF, kIdAutomatic}};
  for (const auto& [word, id] : read) {
    Bytes record = Modes(word);
    record[8 - GetParam().modeAt] = 0, record[9 - GetParam().modeAt] = word == 0;  // other pump
    f.node.SetBytes(29, record);
    f.driver->Click(kIdRead);
    EXPECT_EQ(Checked(), id) << word;
  }
  const std::pair<int, int> written[] = {{kIdAutomatic, 255}, {kIdOff, 0}, {kIdManual, 1}};
  for (const auto& [id, word] : written) {
    f.node.SetBytes(29, Modes());
    f.driver->Click(id);
    EXPECT_EQ(Checked(), id);  // the others cleared
    f.driver->Click(kIdWrite);
    EXPECT_EQ(f.node.Bytes(29), Modes(word)) << word;
    EXPECT_EQ(f.driver->Text(kIdWrite), "Write");
  }
  f.node.SetBytes(29, Modes());
  f.node.FailReads(29);
  EXPECT_EQ(Timed(f, [&] { f.driver->Click(kIdWrite); }), Calls{"R29!@0"});
  EXPECT_EQ(Checked(), kIdManual);
  for (int id : kModeIds) page->SetCheck(id, false);  // as after a failed read on showing
  f.node.FailReads(29, false);
  f.driver->Click(kIdWrite);
  EXPECT_EQ(f.node.Bytes(29), Modes(255));
}

TEST_P(PumpPage, TemplateShowsEveryLabelAndTabsInReadingOrder) {
  EXPECT_EQ(page->TemplateId(), GetParam().templateId);
  EXPECT_EQ(page->Caption(), "Pump");
  EXPECT_EQ(testing_support::LayoutFaults(
                page->Template(),
                {GetParam().groupCaption, "Off", "Manual", "Automatic", "Out", "Alarm status",
                 "Pump fault", "Press fault\nStop pump", "Press fault", "Read", "Write"}),
            Calls{});
  EXPECT_EQ(testing_support::TabStops(page->Template()),
            (std::vector<int>{339, 340, 341, 212, 201, 202, 203, 211, 210}));
}

TEST_P(PumpPage, RandomWritesTouchOnlyTheModeWord) {
  const int at = GetParam().modeAt;
  int expected = 255;  // the first button on in the order Off, Manual, Automatic; none: 255
  testing_support::RandomWriteOptions options;
  options.seed += static_cast<uint32_t>(at);
  options.checkCalls = [&](const std::vector<sim::HostCall>& calls) {
    for (const sim::HostCall& c : calls) {
      if (c.kind != sim::HostCall::Kind::kWrite) continue;
      EXPECT_EQ(c.bytes[at] * 256 + c.bytes[at + 1], expected);
    }
  };
  const auto stats = testing_support::RunRandomWrites(
      f, *page, {testing_support::PageByte::Nv(29, at), testing_support::PageByte::Nv(29, at + 1)},
      [&](std::mt19937& rng, fw::CPropertyPage& p) {
        expected = 255;
        for (int i = 2; i >= 0; --i) {
          const bool on = std::uniform_int_distribution<int>(0, 2)(rng) == 0;
          p.SetCheck(kModeIds[i], on);
          if (on) expected = i == 0 ? 0 : i == 1 ? 1 : 255;
        }
      },
      options);
  EXPECT_GT(stats.withWrites, options.trials / 2);
  EXPECT_GT(stats.withoutWrites, 20);
}

INSTANTIATE_TEST_SUITE_P(BothCircuits, PumpPage, ::testing::ValuesIn(kTwins),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
