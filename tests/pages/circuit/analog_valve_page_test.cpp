#include "pages/circuit/analog_valve_page.h"

#include <gtest/gtest.h>

#include "tests/support/fixture.h"
#include "tests/support/random_write.h"

using testing_support::NodeFixture;
using testing_support::PageByte;
using testing_support::Traffic;

namespace {

using Calls = std::vector<std::string>;

constexpr int kIdCascade = 246;
constexpr int kIdCascadeOutput = 280;

// One valve of a twin, written out.
struct Valve {
  int off, manual, automatic, in, out, volt0to10, volt2to10, invert;
  int32_t output;  // host index
  int modeByte;    // in host index 29
  int manualByte;  // in host index 30
  uint8_t mask;    // part 1 bytes 14 and 16
};

struct Twin {
  int pageIndex;
  int templateId;
  Valve first, second;
  uint8_t cascadeMask;  // part 1 byte 12
  int cascadeByte;      // part 6
};

const Twin kTwins[] = {
    {10,
     210,
     {296, 297, 298, 299, 300, 301, 302, 303, 32, 3, 4, 0x01},
     {304, 305, 306, 307, 308, 309, 310, 311, 33, 5, 6, 0x02},
     0x01,
     12},
    {11,
     211,
     {358, 359, 360, 369, 370, 361, 362, 367, 35, 9, 10, 0x10},
     {363, 364, 365, 239, 371, 366, 330, 368, 36, 11, 12, 0x20},
     0x04,
     16},
};

std::vector<uint8_t> Counting() {
  std::vector<uint8_t> bytes(31);
  for (int i = 0; i < 31; ++i) bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(0x40 + i);
  return bytes;
}

class AnalogValvePage : public ::testing::TestWithParam<Twin> {
 protected:
  void SetUp() override {
    f.OpenSheet();
    page = dynamic_cast<CAnalogValvePage*>(f.sheet->AllPages()[GetParam().pageIndex]);
    ASSERT_NE(page, nullptr);
  }
  const Valve& First() const { return GetParam().first; }
  const Valve& Second() const { return GetParam().second; }
  Calls Show(bool withTime = false) {
    const size_t from = f.node.Log().size();
    f.Show(*page);
    return Traffic(f.CallsSince(from), withTime, false);
  }
  Calls Click(int id, bool withTime = false) {
    const size_t from = f.node.Log().size();
    f.driver->Click(id);
    return Traffic(f.CallsSince(from), withTime, false);
  }
  void SetMode(const Valve& v, int word) {
    f.node.SetByte(29, v.modeByte, static_cast<uint8_t>(word >> 8));
    f.node.SetByte(29, v.modeByte + 1, static_cast<uint8_t>(word));
  }
  int Mode(const Valve& v) const {
    const std::vector<uint8_t> b = f.node.Bytes(29);
    return b[static_cast<size_t>(v.modeByte)] * 256 + b[static_cast<size_t>(v.modeByte) + 1];
  }
  // Which of Off, Manual, Automatic is on.
  std::string Buttons(const Valve& v) const {
    std::string s;
    for (int id : {v.off, v.manual, v.automatic}) s += f.driver->Checked(id) ? "x" : "-";
    return s;
  }
  bool SecondEnabled(bool on) const {
    const Valve& v = Second();
    for (int id : {v.off, v.manual, v.automatic, v.out, v.volt0to10, v.volt2to10, v.invert}) {
      if (f.driver->Enabled(id) != on) return false;
    }
    return f.driver->Enabled(kIdCascadeOutput) == on;
  }
  std::string At(uint64_t ms) const { return "@" + std::to_string(ms); }

  NodeFixture f;
  CAnalogValvePage* page = nullptr;
};

TEST_P(AnalogValvePage, TrafficOfShowTickReadAndWrite) {
  const Twin& t = GetParam();
  const std::string out1 = "R" + std::to_string(First().output);
  const std::string out2 = "R" + std::to_string(Second().output);
  f.node.SetBytes(First().output, {0x23, 0x28});   // 9000 steps: 45 %
  f.node.SetBytes(Second().output, {0xFF, 0xFF});  // 327.675 %
  const uint64_t t0 = f.platform.TickCount();
  const std::string a = At(t0 + 400);
  EXPECT_EQ(Show(true), (Calls{out1 + At(t0), out2 + At(t0), "R45" + At(t0), "W45" + At(t0 + 200),
                               "R46" + a, "R29" + a, "R29" + a, "R30" + a, "R30" + a,
                               "W45" + At(t0 + 600), "R46" + At(t0 + 800)}));
  EXPECT_EQ(page->TemplateId(), t.templateId);
  EXPECT_EQ(page->Caption(), "Analog Valve");
  EXPECT_EQ(f.driver->Text(First().out), "45");
  EXPECT_EQ(f.driver->Text(Second().out), "328");

  f.node.SetBytes(First().output, {0x00, 0x00});
  const size_t from = f.node.Log().size();
  f.platform.RunFor(2000);
  EXPECT_EQ(Traffic(f.CallsSince(from), true), (Calls{out1 + At(t0 + 2800), out2 + At(t0 + 2800)}));
  EXPECT_EQ(f.driver->Text(First().out), "0");

  // Part 6 is selected after a show: Read asks, finds 6, selects 1, then 6 again.
  EXPECT_EQ(Click(kIdRead), (Calls{"R45", "W45", "R46", "R29", "R29", "R30", "R30", "W45", "R46"}));
  f.platform.ResetSlept();
  EXPECT_EQ(Click(kIdWrite),
            (Calls{"R30", "W30", "R29", "W29", "R45", "W45", "R46", "W46", "W45", "R46",
                   "W46", "R45", "W45", "R46", "R29", "R29", "R30", "R30", "W45", "R46"}));
  EXPECT_EQ(f.platform.SleptMs(), 4u * 400u);
  EXPECT_EQ(f.driver->Text(kIdWrite), "Write");
  EXPECT_EQ(f.driver->Text(kIdRead), "Read");
}

// Opening the page shows what the node holds, and a Write right after writes it back as it was.
TEST_P(AnalogValvePage, OpeningKeepsTheSecondValveModeAndCascadeEnables) {
  SetMode(First(), 0);
  SetMode(Second(), 1);
  f.node.SetByte(30, Second().manualByte, 50);
  std::vector<uint8_t> part1 = f.node.Part(1);
  part1[12] = static_cast<uint8_t>(~GetParam().cascadeMask);  // cascade off, every other bit on
  f.node.SetPart(1, part1);
  Show();
  EXPECT_EQ(Buttons(First()), "x--");
  EXPECT_EQ(Buttons(Second()), "-x-");
  EXPECT_FALSE(f.driver->Checked(kIdCascade));
  EXPECT_TRUE(SecondEnabled(false));
  EXPECT_FALSE(f.driver->Enabled(Second().in));  // no use while cascade is off
  EXPECT_FALSE(f.driver->Enabled(First().in));
  EXPECT_EQ(f.driver->Text(Second().in), "25");

  const std::vector<uint8_t> modes = f.node.Bytes(29);
  const std::vector<uint8_t> positions = f.node.Bytes(30);
  f.driver->Click(kIdWrite);
  EXPECT_EQ(f.node.Bytes(29), modes);
  EXPECT_EQ(f.node.Bytes(30), positions);
  EXPECT_EQ(f.node.Part(1), part1);

  // Switching cascade on enables the second valve and starts it from "Automatic".
  ASSERT_TRUE(f.driver->Click(kIdCascade));
  EXPECT_TRUE(SecondEnabled(true));
  EXPECT_EQ(Buttons(Second()), "--x");
  ASSERT_TRUE(f.driver->Click(Second().manual));
  EXPECT_TRUE(f.driver->Enabled(Second().in));
  ASSERT_TRUE(f.driver->Click(kIdCascade));
  EXPECT_TRUE(SecondEnabled(false));
  EXPECT_EQ(Buttons(Second()), "--x");
  EXPECT_FALSE(f.driver->Enabled(Second().in));
  EXPECT_EQ(f.driver->Text(Second().in), "25");  // the text stays
  f.driver->Click(kIdWrite);
  EXPECT_EQ(Mode(Second()), 255);
}

TEST_P(AnalogValvePage, ModeWordsChooseTheButtons) {
  std::vector<uint8_t> part1 = f.node.Part(1);
  part1[12] |= GetParam().cascadeMask;
  f.node.SetPart(1, part1);
  Show();
  const std::pair<int, const char*> words[] = {{0, "x--"},      {1, "-x-"},      {2, "--x"},
                                               {255, "--x"},    {0x0100, "--x"}, {0x0101, "--x"},
                                               {0xFFFF, "--x"}, {0, "x--"}};
  for (const auto& [word, buttons] : words) {
    SetMode(First(), word);
    SetMode(Second(), word);
    f.driver->Click(kIdRead);
    EXPECT_EQ(Buttons(First()), buttons) << word;
    EXPECT_EQ(Buttons(Second()), buttons) << word;
    EXPECT_EQ(f.driver->Enabled(First().in), word == 1) << word;
    EXPECT_EQ(f.driver->Enabled(Second().in), word == 1) << word;
  }
  // A failed read leaves the buttons.
  SetMode(First(), 1);
  f.node.FailReads(29);
  f.driver->Click(kIdRead);
  EXPECT_EQ(Buttons(First()), "x--");
}

TEST_P(AnalogValvePage, TypedNumbersAndModesAsStored) {
  const Twin& t = GetParam();
  f.node.SetBytes(29, Counting());
  f.node.SetBytes(30, Counting());
  f.node.SetPart(6, Counting());
  Show();
  f.driver->Click(kIdCascade);
  struct Case {
    const char* typed;
    uint8_t stored;
    const char* shown;
  };
  const Case cases[] = {{"33.3", 66, "33"}, {"200", 200, "100"}, {"100", 200, "100"},
                        {"-5", 0, "0"},     {"abc", 0, "0"},     {"0.4", 0, "0"},
                        {"1e9", 200, "100"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    for (int id : {First().in, Second().in, kIdCascadeOutput}) f.driver->Type(id, c.typed);
    f.driver->Click(First().manual);
    f.driver->Click(Second().off);
    f.driver->Click(kIdWrite);
    std::vector<uint8_t> positions = Counting();
    positions[static_cast<size_t>(First().manualByte)] = c.stored;
    positions[static_cast<size_t>(Second().manualByte)] = c.stored;
    EXPECT_EQ(f.node.Bytes(30), positions);
    std::vector<uint8_t> cascade = Counting();
    cascade[static_cast<size_t>(t.cascadeByte)] = c.stored;
    EXPECT_EQ(f.node.Part(6), cascade);
    for (int id : {First().in, Second().in, kIdCascadeOutput}) {
      EXPECT_EQ(f.driver->Text(id), c.shown);
    }
  }
  std::vector<uint8_t> modes = Counting();
  modes[static_cast<size_t>(First().modeByte)] = 0x00;
  modes[static_cast<size_t>(First().modeByte) + 1] = 0x01;
  modes[static_cast<size_t>(Second().modeByte)] = 0x00;
  modes[static_cast<size_t>(Second().modeByte) + 1] = 0x00;
  EXPECT_EQ(f.node.Bytes(29), modes);
  // No mode button on: written as 255.
  for (const Valve* v : {&First(), &Second()}) {
    for (int id : {v->off, v->manual, v->automatic}) page->SetCheck(id, false);
  }
  f.driver->Click(kIdWrite);
  EXPECT_EQ(Mode(First()), 255);
  EXPECT_EQ(Mode(Second()), 255);
}

TEST_P(AnalogValvePage, SettingsBitsOfPartOne) {
  const Twin& t = GetParam();
  struct Case {
    uint8_t before;  // bytes 12, 14 and 16 before the write
    bool on;         // every button on, or off
    uint8_t range, invert, cascade;
  };
  const uint8_t both = static_cast<uint8_t>(First().mask | Second().mask);
  const Case cases[] = {
      {0x00, true, both, both, t.cascadeMask},
      {0xFF, false, static_cast<uint8_t>(~both), static_cast<uint8_t>(~both),
       static_cast<uint8_t>(~t.cascadeMask)},
  };
  Show();
  for (const Case& c : cases) {
    std::vector<uint8_t> part1 = Counting();
    part1[12] = part1[14] = part1[16] = c.before;
    f.node.SetPart(1, part1);
    f.driver->Click(kIdRead);
    for (const Valve* v : {&First(), &Second()}) {
      EXPECT_EQ(f.driver->Checked(v->volt2to10), !c.on);
      EXPECT_EQ(f.driver->Checked(v->volt0to10), c.on);
      page->SetCheck(v->volt0to10, !c.on);
      page->SetCheck(v->volt2to10, c.on);
      page->SetCheck(v->invert, c.on);
    }
    page->SetCheck(kIdCascade, c.on);
    f.driver->Click(kIdWrite);
    part1[12] = c.cascade;
    part1[14] = c.range;
    part1[16] = c.invert;
    EXPECT_EQ(f.node.Part(1), part1) << c.on;
  }
  // Each valve reads its own bit.
  std::vector<uint8_t> part1 = f.node.Part(1);
  part1[14] = First().mask;
  part1[16] = Second().mask;
  f.node.SetPart(1, part1);
  f.driver->Click(kIdRead);
  EXPECT_TRUE(f.driver->Checked(First().volt2to10) && !f.driver->Checked(First().volt0to10));
  EXPECT_TRUE(f.driver->Checked(Second().volt0to10) && !f.driver->Checked(Second().volt2to10));
  EXPECT_FALSE(f.driver->Checked(First().invert));
  EXPECT_TRUE(f.driver->Checked(Second().invert));
}

TEST_P(AnalogValvePage, FailedReadsSkipOnlyTheirNv) {
  Show();
  f.node.FailReads(29);
  f.node.FailReads(46);
  // Part 6 is selected after the show: the write moves the selector to 1 and back.
  EXPECT_EQ(Click(kIdWrite),
            (Calls{"R30", "W30", "R29!", "R45", "W45", "R46!", "W45", "R46!", "R45", "W45", "R46!",
                   "R29!", "R29!", "R30", "R30", "W45", "R46!"}));
  EXPECT_EQ(f.driver->Text(kIdWrite), "Write");
}

TEST_P(AnalogValvePage, RandomWritesTouchOnlyTheValveBytes) {
  const Twin& t = GetParam();
  const std::vector<PageByte> owned = {PageByte::Nv(30, First().manualByte),
                                       PageByte::Nv(30, Second().manualByte),
                                       PageByte::Nv(29, First().modeByte),
                                       PageByte::Nv(29, First().modeByte + 1),
                                       PageByte::Nv(29, Second().modeByte),
                                       PageByte::Nv(29, Second().modeByte + 1),
                                       PageByte::Part(1, 12, t.cascadeMask),
                                       PageByte::Part(1, 14, First().mask | Second().mask),
                                       PageByte::Part(1, 16, First().mask | Second().mask),
                                       PageByte::Part(6, t.cascadeByte)};
  testing_support::RandomWriteOptions options;
  options.seed += static_cast<uint32_t>(t.templateId);
  // Whatever the buttons, a mode is written as 0, 1 or 255.
  options.checkCalls = [&](const std::vector<sim::HostCall>& calls) {
    for (const sim::HostCall& c : calls) {
      if (c.kind != sim::HostCall::Kind::kWrite || c.index != 29) continue;
      for (const Valve* v : {&First(), &Second()}) {
        const int mode = c.bytes[static_cast<size_t>(v->modeByte)] * 256 +
                         c.bytes[static_cast<size_t>(v->modeByte) + 1];
        EXPECT_TRUE(mode == 0 || mode == 1 || mode == 255) << mode;
      }
    }
  };
  const auto stats = testing_support::RunRandomWrites(
      f, *page, owned,
      [&](std::mt19937& rng, fw::CPropertyPage& p) {
        auto coin = [&] { return std::uniform_int_distribution<int>(0, 1)(rng) != 0; };
        for (const Valve* v : {&First(), &Second()}) {
          for (int id : {v->off, v->manual, v->automatic, v->volt0to10, v->volt2to10, v->invert}) {
            p.SetCheck(id, coin());
          }
          p.SetItemText(v->in, testing_support::RandomFieldText(rng));
        }
        p.SetCheck(kIdCascade, coin());
        p.SetItemText(kIdCascadeOutput, testing_support::RandomFieldText(rng));
      },
      options);
  EXPECT_EQ(stats.trials, options.trials);
  EXPECT_GT(stats.withWrites, options.trials / 2);
  EXPECT_GT(stats.withFailedReads, 100);
}

INSTANTIATE_TEST_SUITE_P(BothCircuits, AnalogValvePage, ::testing::ValuesIn(kTwins),
                         [](const auto& info) {
                           return "Page" + std::to_string(info.param.templateId);
                         });

}  // namespace
