// What every circuit page does alike, one table each over the pages of both circuits: host
// traffic, field bytes, live values and the randomized write check.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/pages/circuit/page_harness.h"
#include "tests/support/case_names.h"
#include "tests/support/random_write.h"

using namespace circuit_test;
using testing_support::PageBytes;

namespace {

constexpr int kShow = 0;
constexpr int kTick = -1;

// An operation on a page in view (shown again), the part selected before it, the host calls it
// makes; reads marked "!" are refused. Showing makes the calls of a tick, then of "Read"; a
// write that reads back ends with those of "Read". On the heating curve pages the mode flags
// (part 1 byte 2 for page 20, byte 6 for page 21) are set first.
struct Step {
  int page, op, selector;  // op: kShow, kTick, or the control clicked (210 "Write", 211 "Read")
  const char* calls;
  int modeFlags = -1;
};

const Step kSteps[] = {
    // Status switch: the override is read again to decide the enabling, unless its read fails.
    {8, kTick, 0, "R20@2000 R26@2000 R41@2000 R20@2000"},
    {8, kTick, 0, "R20@2000 R26@2000 R41!@2000"},
    {8, 210, 0, "R41@0 W41@0 R41@0"},
    {9, kShow, 0, "R21@0 R27@0 R42@0 R21@0 R42@0"},
    // Analog valve: part 6 selected, the read back finds it, selects 1, then 6 again.
    {10, kTick, 6, "R32@2000 R33@2000"},
    {10, 210, 6,
     "R30@0 W30@0 R29@0 W29@0 R45@0 W45@200 R46@400 W46@400 W45@600 R46@800 W46@800 R45@800 "
     "W45@1000 R46@1200 R29@1200 R29@1200 R30@1200 R30@1200 W45@1400 R46@1600"},
    // Pump: no pauses, the mode is not read back.
    {12, kTick, 0, "R31@2000 R37@2000"},
    {12, 210, 0, "R29@0 W29@0"},
    // Extended operation: no timer, not read back; Start pauses 2 s between its writes.
    {14, kTick, 0, ""},
    {14, 210, 0, "R38@0 W38@0"},
    {14, 206, 0, "R38@0 W38@0 W38@2000"},
    {16, kTick, 2, "R15@2000 R37@2000"},
    {16, 210, 1,
     "R45@0 R46@0 W46@0 W45@200 R46@400 W46@400 R45@400 W45@600 R46@800 W45@1000 R46@1200"},
    {16, 209, 2, ""},
    // Temperatures: circuit 1 also supervises the low forward and the return temperature.
    {18, kTick, 2, "R13@2000 R12@2000 R37@2000"},
    {18, 210, 2,
     "R45@0 R46@0 W46@0 W45@200 R46@400 W46@400 R39@400 W39@400 R45@400 W45@600 R46@800 W45@1000 "
     "R39@1200 R46@1200"},
    {19, 210, 2, "R45@0 R46@0 W46@0 R45@0 R46@0"},
    // Heating curve, by the mode flags in part 1: 0x11 (curve) and 0x01 (constant).
    {20, kShow, 0, "R24@0 R13@0 R15@0 R45@0 W45@200 R46@400 R39@400 R39@400 R39@400", 0x11},
    {21, kShow, 1, "R25@0 R17@0 R18@0 R45@0 R46@0 R45@0 R46@0 R40@0 R45@0 R46@0", 0x01},
    {20, 210, 3, "R45@0 W45@200 R39@400 W39@400 R46@400 W46@400 R45@400 R46@400 R39@400 R39@400",
     0x11},
    {20, 292, 1, "R45@0 R46@0", 0x11},  // to constant mode
    {20, 292, 1, "R39@0", 0x01},        // to curve mode
    // Night lowering: the room temperature is live.
    {22, kTick, 4, "R6@2000"},
    {22, 210, 4,
     "R45@0 W45@200 R46@400 W46@400 W45@600 R46@800 W46@800 W45@1000 R46@1200 W46@1200 R45@1200 "
     "W45@1400 R46@1600 W45@1800 R46@2000 W45@2200 R46@2400"},
    // Exercise valve: the read back with part 5 still selected selects 7 again.
    {24, kTick, 5, ""},
    {24, 210, 5,
     "R45@0 W45@200 R46@400 W46@400 W45@600 R46@800 W46@800 R43@800 W43@800 R45@800 W45@1000 "
     "R46@1200 W45@1400 R46@1600 R43@1600"},
    {26, kTick, 8, ""},
    {27, 210, 8, "R45@0 R46@0 W46@0 R45@0 R46@0"},
};

TEST(CircuitPages, HostTrafficOfEveryOperationAndNoneWhileHidden) {
  for (const Step& s : kSteps) {
    SCOPED_TRACE("page " + std::to_string(s.page) + " op " + std::to_string(s.op) + " " + s.calls);
    PageHarness h;
    h.Open(s.page);
    if (s.modeFlags >= 0) h.Put(Part(1), s.page == 20 ? 2 : 6, {uint8_t(s.modeFlags)});
    h.Hide();
    if (s.op != kShow) h.Show();
    h.f.node.SetSelectedPart(s.selector);
    for (const std::string& c : Split(s.calls)) {
      if (c.find('!') != std::string::npos) h.f.node.FailReads(std::stoi(c.substr(1)));
    }
    const Calls calls = s.op == kShow   ? h.Show()
                        : s.op == kTick ? h.Tick()
                        : s.op == 210   ? h.Write()
                                        : h.Click(s.op);
    EXPECT_EQ(calls, Split(s.calls));
    h.Hide();
    EXPECT_EQ(h.Tick(10000), Calls{});
  }
}

// Page, id, typed, at, byte, before, after, shown: the field typed into (a button set: "[x]",
// "[ ]"), "Write" pressed: the bytes from `byte` on in `at` become `after`, the rest stays, the
// field shows `shown`, again after a Read; a failed Read leaves the field. With no `typed` the
// `before` bytes, put into the node before the page is shown, are only shown. A circuit 2 page
// has rows only for what its twin's rows do not show; its bytes are in the random write table.
using Field = std::tuple<int, int, const char*, Where, int, Bytes, Bytes, const char*>;
const Field kFields[] = {
    // Status switch: each override button writes its value; any other value is the manual
    // rotary switch (340).
    {8, 328, "[x]", Nv(41), 0, {0x12, 0x34}, {0, 1}, "[x]"},
    {8, 339, "[x]", Nv(41), 0, {}, {0, 6}, "[x]"},
    {8, 340, "[x]", Nv(41), 0, {0, 1}, {0, 255}, "[x]"},
    {9, 340, nullptr, Nv(42), 0, {0x01, 0x04}, {}, "[x]"},
    // Analog valve: positions in half percent, held to 0 to 100 %; modes 0 Off, 1 Manual, 255
    // Automatic, any other word reads as Automatic; a bit each for the signal range (part 1
    // byte 14), the inversion (16) and cascade (12).
    {10, 299, "33.3", Nv(30), 4, {}, {66}, "33"},
    {10, 307, "200", Nv(30), 6, {}, {200}, "100"},
    {11, 369, "-5", Nv(30), 10, {}, {0}, "0"},
    {11, 239, "50", Nv(30), 12, {}, {100}, "50"},
    {10, 280, "33.3", Part(6), 12, {}, {66}, "33"},
    {11, 239, "127.5", Nv(30), 12, {0xFF}, {200}, "100"},  // 0xFF shown as 128, held
    {10, 296, "[x]", Nv(29), 3, {}, {0, 0}, "[x]"},
    {10, 297, "[x]", Nv(29), 3, {}, {0, 1}, "[x]"},
    {11, 360, nullptr, Nv(29), 9, {0, 2}, {}, "[x]"},
    {10, 302, "[x]", Part(1), 14, {0x00}, {0x01}, "[x]"},
    {11, 361, "[x]", Part(1), 14, {0xFF}, {0xEF}, "[x]"},
    {10, 303, "[x]", Part(1), 16, {0x00}, {0x01}, "[x]"},
    {11, 367, "[ ]", Part(1), 16, {0xFF}, {0xEF}, "[ ]"},
    {10, 246, "[x]", Part(1), 12, {0x00}, {0x01}, "[x]"},
    {11, 246, "[ ]", Part(1), 12, {0xFF}, {0xFB}, "[ ]"},
    // Pump modes as the valves'.
    {12, 340, "[x]", Nv(29), 1, {}, {0, 1}, "[x]"},
    {13, 341, "[x]", Nv(29), 7, {0, 1}, {0, 255}, "[x]"},
    {12, 341, nullptr, Nv(29), 1, {0x01, 0x00}, {}, "[x]"},
    // Extended operation: hours and minutes words of boost, day and night in host index 38.
    {14, 203, "0:90", Nv(38), 1, {}, {0, 0, 0, 90}, "0:90"},
    {14, 205, "258:09", Nv(38), 9, {}, {1, 2, 0, 9}, "258:09"},
    // Antifrost: the enable flag 0x08 of part 1, the temperatures in hundredths in part 2.
    {16, 209, "[ ]", Part(1), 2, {0xFF}, {0xF7}, "[ ]"},
    {17, 209, "[x]", Part(1), 4, {0x17}, {0x1F}, "[x]"},
    {16, 424, "-5.5", Part(2), 19, {}, {0xFD, 0xDA}, "-5.5"},
    {16, 422, "21.579", Part(2), 21, {}, {0x08, 0x6D}, "21.6"},
    {16, 426, "150", Part(2), 27, {}, {0x27, 0x10}, "100.0"},  // held, not read back negative
    // Temperatures: sensor offsets in part 2; circuit 1's supervision in part 3 and in values
    // 12 and 13 of its heating-curve record.
    {18, 207, "-5.5", Part(2), 3, {}, {0xFD, 0xDA}, "-5.5"},
    {18, 208, "-900", Part(2), 5, {}, {0x27, 0x11}, "-555.4"},
    {18, 257, "12.34", Part(3), 13, {}, {0x04, 0xD2}, "12.3"},
    {18, 260, "70000", Part(3), 15, {}, {0xFF, 0xFF}, "65535"},  // whole minutes, held
    {18, 259, "33.5", Nv(39), 23, {}, {0x0D, 0x16}, "33.5"},
    {18, 262, "-2.25", Nv(39), 25, {}, {0xFF, 0x1F}, "-2.3"},
    // Heating curve: the curve mode flag 0x10 of part 1, the points' outdoor (values 1 to 5)
    // and forward temperatures (6 to 10), night offset (11), constant day and night (14, 15).
    {20, 292, "[x]", Part(1), 2, {0x01}, {0x11}, "[x]"},
    {21, 292, "[ ]", Part(1), 6, {0x11}, {0x01}, "[ ]"},
    {20, 312, "-5.5", Nv(39), 1, {}, {0xFD, 0xDA}, "-5.5"},
    {20, 316, "-600", Nv(39), 9, {}, {0x27, 0x11}, "-555.4"},
    {20, 321, "70", Nv(39), 11, {}, {0x1B, 0x58}, "70.0"},
    {20, 265, "5", Nv(39), 21, {}, {0x01, 0xF4}, "5.0"},
    {20, 266, "22.5", Nv(39), 27, {}, {0x08, 0xCA}, "22.5"},
    {21, 315, "-10", Nv(40), 7, {}, {0xFC, 0x18}, "-10.0"},
    {21, 267, "16", Nv(40), 29, {}, {0x06, 0x40}, "16.0"},
    // Night lowering: flags 0x01 night lowering, 0x02 room start/stop, 0x04 season stop.
    {22, 268, "[ ]", Part(1), 2, {0xED}, {0xEC}, "[ ]"},
    {22, 269, "[x]", Part(1), 2, {0xED}, {0xEF}, "[x]"},
    {22, 272, "[ ]", Part(1), 2, {0xED}, {0xE9}, "[ ]"},
    {23, 201, "[x]", Part(1), 6, {0x00}, {0x04}, "[x]"},
    {22, 273, "-5.5", Part(3), 1, {}, {0xFD, 0xDA}, "-5.5"},
    {22, 274, "12.9", Part(3), 3, {}, {0x00, 0x81}, "12"},  // tenths of a second
    {22, 270, "21.579", Part(4), 1, {}, {0x08, 0x6D}, "21.6"},
    // Exercise valve: standstill hours in part 7, running and waiting tenths in part 5, the
    // calibration time's hours and minutes in host index 43 or 44.
    {24, 224, "70000", Part(7), 1, {}, {0xFF, 0xFF}, "65535"},
    {24, 225, "12.9", Part(7), 3, {}, {0x00, 0x0C}, "12"},
    {24, 226, "90.96", Part(5), 1, {}, {0x03, 0x8D}, "90"},
    {24, 227, "-1", Part(5), 3, {}, {0, 0}, "0"},
    {24, 228, "x:10.9:3", Nv(43), 0, {}, {0, 10}, "0:10"},
    {25, 228, "300:200", Nv(44), 0, {}, {127, 127}, "127:127"},  // a signed byte each
    {25, 228, "-3:-5", Nv(44), 0, {}, {0xFD, 0xFB}, "-3:-5"},    // not "-3:0-5", which stores 0
    {25, 228, "-200", Nv(44), 0, {}, {0, 0x80}, "0:-128"},
    // PID: P in tenths, I and D whole, of part 8.
    {26, 213, "7000", Part(8), 1, {}, {0xFF, 0xFF}, "6553.5"},
    {26, 217, "70000", Part(8), 3, {}, {0xFF, 0xFF}, "65535"},  // held, not cut to 4464
    {26, 221, "-5", Part(8), 5, {}, {0, 0}, "0"},
};

bool IsButton(const PageHarness& h, int id) {
  const fw::ControlKind kind = h.page->Template().Find(id)->kind;
  return kind == fw::ControlKind::kCheckBox || kind == fw::ControlKind::kRadioButton;
}
std::string Shown(const PageHarness& h, int id) {
  if (!IsButton(h, id)) return h.Text(id);
  return h.f.driver->Checked(id) ? "[x]" : "[ ]";
}
// Puts something else into the field; what it shows then.
std::string Scramble(PageHarness& h, int id) {
  IsButton(h, id) ? h.page->SetCheck(id, !h.f.driver->Checked(id)) : h.Type(id, "?");
  return Shown(h, id);
}

TEST(CircuitPages, FieldBytesClampsAndFailedReads) {
  for (const auto& [page, id, typed, at, byte, before, after, shown] : kFields) {
    SCOPED_TRACE("page " + std::to_string(page) + " id " + std::to_string(id) + " " + shown);
    PageHarness h;
    h.Open(page, false);
    if (!before.empty()) h.Put(at, byte, before);
    h.Show();
    const Bytes held = h.Get(at);
    if (typed != nullptr) {
      if (!IsButton(h, id)) {
        h.Type(id, typed);
      } else if (Shown(h, id) != typed) {
        EXPECT_TRUE(h.f.driver->Click(id));
      }
      h.Write();
      EXPECT_EQ(h.Get(at), PageHarness::With(held, byte, after));
    }
    EXPECT_EQ(Shown(h, id), shown);
    Scramble(h, id);
    h.Click(211);
    EXPECT_EQ(Shown(h, id), shown);
    const std::string scrambled = Scramble(h, id);
    h.Set(at, Inverted(h.Get(at)));
    h.f.node.FailReads(at.index);
    h.Click(211);
    EXPECT_EQ(Shown(h, id), scrambled);
  }
}

// Page, index, word, id, shown: host index `index` holding `word` (one byte or two) shows `shown`
// in control `id` after a refresh; a refresh whose read fails leaves it. Status switch: rotary
// switch positions 1 to 6 and unit modes 0 to 14 (a signed byte) have names; valve outputs count
// 200 steps a percent; pump state is a signed byte; pump alarms and antifrost "Heat" (0x40) and
// circuit 1's low forward status (0x08) are flags of host index 37.
using Live = std::tuple<int, int, int, int, const char*>;
const Live kLive[] = {{8, 20, 0x0000, 301, "??"},        {9, 21, 0x0001, 301, "Boost"},
                      {8, 20, 0x0006, 301, "Occupancy"}, {9, 21, 0x0007, 301, "??"},
                      {8, 20, 0x0101, 301, "??"},        {9, 27, 0x00, 203, "Auto"},
                      {9, 27, 0x0F, 203, "??"},          {8, 26, 0x80, 203, "??"},
                      {10, 32, 0x2328, 300, "45"},       {10, 33, 0xFFFF, 308, "328"},
                      {11, 35, 0x00C8, 370, "1"},        {11, 36, 0x2710, 371, "50"},
                      {12, 31, 0x0000, 212, "OFF"},      {12, 31, 0x00FF, 212, "ON"},
                      {13, 34, 0x0080, 212, "ON"},       {13, 34, 0xFF00, 212, "OFF"},
                      {12, 37, 0x0001, 201, "Alarm"},    {12, 37, 0x0020, 202, "Alarm"},
                      {12, 37, 0x0010, 203, "Alarm"},    {12, 37, 0xFFCE, 201, "OK"},
                      {13, 37, 0x0200, 201, "Alarm"},    {13, 37, 0x0100, 202, "Alarm"},
                      {13, 37, 0x0080, 203, "Alarm"},    {13, 37, 0xFC7F, 201, "OK"},
                      {16, 15, 0xFC18, 214, "-10.0"},    {17, 18, 0x0898, 214, "22.0"},
                      {16, 37, 0x0040, 207, "Heat"},     {16, 37, 0x40BF, 207, "Off"},
                      {17, 37, 0x4000, 207, "Heat"},     {17, 37, 0xBFFF, 207, "Off"},
                      {18, 13, 0x07D0, 256, "20.0"},     {18, 12, 0xFFFF, 258, "-0.0"},
                      {19, 17, 0x0898, 259, "22.0"},     {19, 16, 0xFC18, 216, "-10.0"},
                      {18, 37, 0x0800, 261, "Low temp"}, {18, 37, 0xF7FF, 261, "High temp"},
                      {20, 24, 0x1194, 263, "45.0"},     {20, 13, 0x07D0, 264, "20.0"},
                      {20, 15, 0xFC18, 268, "-10.0"},    {21, 25, 0x0FA0, 263, "40.0"},
                      {21, 17, 0x0898, 264, "22.0"},     {21, 18, 0x01F4, 268, "5.0"},
                      {22, 6, 0x0898, 271, "22.0"},      {23, 7, 0xFC18, 271, "-10.0"}};

TEST(CircuitPages, LiveValuesAndFailedRefreshes) {
  std::vector<Live> rows(std::begin(kLive), std::end(kLive));
  rows.push_back({8, 26, 0x0E, 203, "Dehumidification"});  // the last unit mode
  for (const auto& [page, index, word, id, shown] : rows) {
    SCOPED_TRACE("page " + std::to_string(page) + " index " + std::to_string(index) + " " + shown);
    PageHarness h;
    h.Open(page);
    const Bytes bytes = sim::SimulatedNode::SizeOf(index) == 1
                            ? Bytes{uint8_t(word)}
                            : Bytes{uint8_t(word >> 8), uint8_t(word)};
    h.f.node.SetBytes(index, bytes);
    h.Tick();
    EXPECT_EQ(h.Text(id), shown);
    h.f.node.SetBytes(index, Inverted(bytes));
    h.f.node.FailReads(index);
    h.Tick();
    EXPECT_EQ(h.Text(id), shown);
  }
}

// The bytes a page owns: `count` of them from `first` on (of their bits in `mask`). Every field
// of the page gets a random text, every button a random state.
PageBytes At(Where at, int first, int count, uint8_t mask = 0xFF) {
  return {at.index, at.part, first, count, mask};
}
struct RandomRow {
  int page;
  std::vector<PageBytes> owned;
  std::vector<int> buttons = {210};
};

const RandomRow kRandom[] = {
    {8, {At(Nv(41), 0, 2)}},
    {9, {At(Nv(42), 0, 2)}},
    // Part 1: cascade (byte 12), signal range (14) and inversion (16) of the valves.
    {10,
     {At(Nv(30), 4, 1), At(Nv(30), 6, 1), At(Nv(29), 3, 4), At(Part(6), 12, 1),
      At(Part(1), 12, 1, 0x01), At(Part(1), 14, 1, 0x03), At(Part(1), 16, 1, 0x03)}},
    {11,
     {At(Nv(30), 10, 1), At(Nv(30), 12, 1), At(Nv(29), 9, 4), At(Part(6), 16, 1),
      At(Part(1), 12, 1, 0x04), At(Part(1), 14, 1, 0x30), At(Part(1), 16, 1, 0x30)}},
    {12, {At(Nv(29), 1, 2)}},
    {13, {At(Nv(29), 7, 2)}},
    {14, {At(Nv(38), 1, 12)}, {210, 206, 207, 208}},
    {15, {At(Nv(38), 13, 12)}, {210, 206, 207, 208}},
    {16, {At(Part(1), 2, 1, 0x08), At(Part(2), 19, 4), At(Part(2), 27, 2)}},
    {17, {At(Part(1), 4, 1, 0x08), At(Part(2), 23, 4), At(Part(2), 29, 2)}},
    {18, {At(Part(2), 3, 4), At(Part(3), 13, 4), At(Nv(39), 23, 4)}},
    {19, {At(Part(2), 11, 4)}},
    {20, {At(Part(1), 2, 1, 0x10), At(Nv(39), 0, 23), At(Nv(39), 27, 4)}},
    {21, {At(Part(1), 6, 1, 0x10), At(Nv(40), 0, 23), At(Nv(40), 27, 4)}},
    {22, {At(Part(1), 2, 1, 0x07), At(Part(3), 1, 4), At(Part(4), 1, 2)}},
    {23, {At(Part(1), 6, 1, 0x07), At(Part(3), 9, 4), At(Part(4), 5, 2)}},
    {24, {At(Nv(43), 0, 2), At(Part(7), 1, 4), At(Part(5), 1, 4)}},
    {25, {At(Nv(44), 0, 2), At(Part(7), 9, 4), At(Part(5), 9, 4)}},
    {26, {At(Part(8), 1, 6)}},
    {27, {At(Part(8), 13, 6)}},
};

class RandomWrites : public ::testing::TestWithParam<RandomRow> {};

TEST_P(RandomWrites, TouchOnlyThePagesBytes) {
  const RandomRow& r = GetParam();
  for (int button : r.buttons) {
    SCOPED_TRACE("button " + std::to_string(button));
    PageHarness h;
    h.Open(r.page, false);
    testing_support::RandomWriteOptions options;
    options.button = button;
    options.seed += static_cast<uint32_t>(r.page * 1000 + button);
    const auto stats = testing_support::RunRandomWrites(
        h.f, *h.page, r.owned,
        [&](std::mt19937& rng, fw::CPropertyPage& p) {
          for (const fw::ControlDef& c : p.Template().controls) {
            if (c.kind == fw::ControlKind::kEdit) {
              p.SetItemText(c.id, testing_support::RandomFieldText(rng));
            } else if (c.kind == fw::ControlKind::kCheckBox ||
                       c.kind == fw::ControlKind::kRadioButton) {
              p.SetCheck(c.id, rng() % 2 != 0);
            }
          }
          if (r.page == 26 || r.page == 27) p.SetItemText(226, "Kobalt");  // the password
        },
        options);
    EXPECT_GT(stats.withWrites, options.trials / 2);
    EXPECT_GT(stats.withFailedReads, 20);
  }
}

INSTANTIATE_TEST_SUITE_P(CircuitPages, RandomWrites, ::testing::ValuesIn(kRandom),
                         testing_support::NamedBy([](const RandomRow& r) {
                           return "Page" + std::to_string(r.page);
                         }));

}  // namespace
