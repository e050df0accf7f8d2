// What only one kind of circuit settings page does: the PID password, the enabling of night
// lowering and antifrost, absent temperature sensors, and the restart of an extended operation
// delay. Pages by their index among the sheet's 36.
#include <gtest/gtest.h>

#include "pages/circuit/extended_operation_page.h"
#include "tests/pages/circuit/page_harness.h"

using namespace circuit_test;

namespace {

TEST(PidPage, OnlyTheExactPasswordWritesAndTheFieldIsEmptiedEitherWay) {
  PageHarness h;
  h.Open(26);
  const Bytes part8 = h.f.node.Part(8);
  auto write = [&](const char* password) {
    for (int id : {213, 217, 221}) h.Type(id, "9");
    h.Type(226, password);
    h.f.platform.ClearMessages();
    return h.Click(210);
  };
  for (const char* wrong : {"", "kobalt", "KOBALT", "Kobalt ", "Kobal"}) {
    SCOPED_TRACE(wrong);
    EXPECT_EQ(write(wrong), Calls{});
    EXPECT_EQ(h.Messages(), Texts{"Wrong Password"});
    EXPECT_EQ(h.f.platform.Messages()[0].request.flags, fw::kMbOk);
    EXPECT_EQ(h.Text(226), "");
    EXPECT_EQ((Texts{h.Text(213), h.Text(217), h.Text(221)}), (Texts{"9", "9", "9"}));
  }
  EXPECT_EQ(h.f.node.Part(8), part8);
  EXPECT_NE(write("Kobalt"), Calls{});
  EXPECT_EQ(h.Messages(), Texts{});
  EXPECT_EQ(h.Text(226), "");
  EXPECT_EQ(h.Text(213), "9.0");
  EXPECT_EQ(write(""), Calls{});  // each write needs the password again
}

// Room start/stop (269) only with night lowering (268); the room setpoint and actual (270,
// 271) only with room start/stop; season temperature and pump stop time (273, 274) only with
// the season stop box (272 for circuit 1, 201 for circuit 2).
TEST(NightLoweringPage, EnablingChainAndTheOrderTheFlagsAreRead) {
  for (const auto& [pageIndex, flagByte, season] : {std::tuple{22, 2, 272}, {23, 6, 201}}) {
    SCOPED_TRACE(pageIndex);
    PageHarness h;
    // 269 checked and enabled, then whether 270, 271, 273 and 274 are enabled.
    auto state = [&] {
      std::vector<bool> on = {h.f.driver->Checked(269)};
      for (bool e : h.Enabled({269, 270, 271, 273, 274})) on.push_back(e);
      return on;
    };
    h.Open(pageIndex, false);
    h.Put(Part(1), flagByte, {0xED});  // night lowering and season stop on
    h.Show();
    EXPECT_EQ(state(), (std::vector<bool>{false, true, false, false, true, true}));
    h.Put(Part(1), flagByte, {0xFA});  // room start/stop on, night lowering off
    h.Hide();
    h.Show();  // the enabling after the read clears 269
    EXPECT_EQ(state(), (std::vector<bool>{false, false, false, false, false, false}));
    h.Click(211);  // a Read alone leaves it checked, though disabled
    EXPECT_EQ(state(), (std::vector<bool>{true, false, true, true, false, false}));
    h.Click(268);
    EXPECT_EQ(state(), (std::vector<bool>{true, true, true, true, false, false}));
    h.Click(268);
    h.Click(season);
    EXPECT_EQ(state(), (std::vector<bool>{false, false, false, false, true, true}));
    h.Click(210);
    EXPECT_EQ(h.f.node.Part(1)[static_cast<size_t>(flagByte)], 0xFC);
  }
}

TEST(AntifrostPage, ClearBoxDisablesTheFieldsWhichAreStillWritten) {
  PageHarness h;
  h.Open(16, false);
  h.Put(Part(1), 2, {0x08});
  h.Show();
  const std::vector<int> fields = {424, 422, 426, 214, 207};
  EXPECT_EQ(h.Enabled(fields), std::vector<bool>(5, true));
  h.Click(209);
  EXPECT_EQ(h.Enabled(fields), std::vector<bool>(5, false));
  h.Type(424, "-7");
  h.Click(210);
  EXPECT_EQ(h.f.node.Part(2)[19], 0xFD);
  EXPECT_EQ(h.f.node.Part(2)[20], 0x44);
  EXPECT_EQ(h.f.node.Part(1)[2], 0x00);
  EXPECT_EQ(h.Enabled(fields), std::vector<bool>(5, false));
  h.Click(209);
  EXPECT_EQ(h.Enabled(fields), std::vector<bool>(5, true));
}

// Below -200.00 degrees a sensor is absent: showing the page greys its group.
TEST(TemperaturesPage, AbsentSensorGreysItsGroupOnShowOnly) {
  struct Twin {
    int page, forward, ret;  // host indices
    std::vector<int> forwardGroup, returnGroup;
  };
  const Twin twins[] = {{18, 13, 12, {256, 207, 257, 260, 261}, {258, 208, 259, 262}},
                        {19, 17, 16, {259, 215}, {216, 217}}};
  // -200.00, -200.01, -555.35, 100.00, -0.01.
  const std::pair<int, bool> words[] = {
      {0xB1E0, true}, {0xB1DF, false}, {0x2711, false}, {0x2710, true}, {0xFFFF, true}};
  for (const Twin& t : twins) {
    PageHarness h;
    h.Open(t.page);
    for (const auto& [word, present] : words) {
      for (bool forward : {true, false}) {
        SCOPED_TRACE(std::to_string(t.page) + " " + std::to_string(word) + " " +
                     (forward ? "forward" : "return"));
        h.Hide();
        h.f.node.SetBytes(forward ? t.forward : t.ret, {uint8_t(word >> 8), uint8_t(word)});
        h.f.node.SetBytes(forward ? t.ret : t.forward, {0x07, 0xD0});
        h.Show();
        const auto& own = forward ? t.forwardGroup : t.returnGroup;
        const auto& other = forward ? t.returnGroup : t.forwardGroup;
        EXPECT_EQ(h.Enabled(own), std::vector<bool>(own.size(), present));
        EXPECT_EQ(h.Enabled(other), std::vector<bool>(other.size(), true));
      }
    }
    // A tick leaves the grey; a failed read leaves it on the next show too.
    h.Hide();
    h.f.node.SetBytes(t.ret, {0xB1, 0xDF});
    h.Show();
    h.f.node.SetBytes(t.ret, {0x07, 0xD0});
    h.Tick();
    EXPECT_EQ(h.Enabled(t.returnGroup), std::vector<bool>(t.returnGroup.size(), false));
    h.Hide();
    h.f.node.FailReads(t.ret);
    h.Show();
    EXPECT_EQ(h.Enabled(t.returnGroup), std::vector<bool>(t.returnGroup.size(), false));
  }
}

TEST(DelayText, ShownUnpaddedAndTypedSplitAtTheFirstColonCutAndClamped) {
  const std::pair<Delay, const char*> shown[] = {
      {{1, 75}, "1:75"}, {{0, 0}, "0:00"}, {{2, 5}, "2:05"}, {{65535, 9}, "65535:09"}};
  for (const auto& [delay, text] : shown) EXPECT_EQ(DelayToText(delay), text);
  const std::pair<const char*, Delay> typed[] = {
      {"90", {0, 90}},         {"1:30:15", {1, 30}},  {"", {0, 0}},          {"x:y", {0, 0}},
      {"2:", {2, 0}},          {" 3: 07", {3, 7}},    {"1.9:2.99", {1, 2}},  {"-1:-5", {0, 0}},
      {"70000:0", {65535, 0}}, {"0:1e9", {0, 65535}}, {"0.29:1.15", {0, 1}}, {"8h:15m", {8, 15}}};
  for (const auto& [text, delay] : typed) {
    const Delay d = TextToDelay(text);
    EXPECT_EQ(std::make_pair(d.hours, d.minutes), std::make_pair(delay.hours, delay.minutes))
        << text;
  }
}

// Start zeroes its row's delay, then two seconds later writes the typed one; nothing is read
// back. A failed read of host index 38 stops Read, Write and Start.
TEST(ExtendedOperationPage, StartRestartsItsDelayAndFailedReadsStopEverything) {
  PageHarness h;
  h.Open(15);
  Bytes delays(31);
  for (int i = 0; i < 31; ++i) delays[static_cast<size_t>(i)] = static_cast<uint8_t>(0x40 + i);
  const std::tuple<int, int, const char*, Bytes> rows[] = {
      {206, 13, "3:15", {0, 3, 0, 15}},
      {207, 17, "0:45", {0, 0, 0, 45}},
      {208, 21, "-2:70000", {0, 0, 0xFF, 0xFF}}};
  for (const auto& [start, byte, typed, after] : rows) {
    SCOPED_TRACE(typed);
    h.f.node.SetBytes(38, delays);
    h.Type(start - 3, typed);
    const size_t from = h.f.node.Log().size();
    h.Click(start);
    const std::vector<sim::HostCall> calls = h.f.CallsSince(from);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[1].bytes, PageHarness::With(delays, byte, {0, 0, 0, 0}));
    EXPECT_EQ(calls[2].bytes, PageHarness::With(delays, byte, after));
    EXPECT_EQ(h.Text(start - 3), typed);
  }
  h.f.node.SetBytes(38, delays);
  h.f.node.FailReads(38);
  for (int id : {211, 210, 206, 207, 208}) EXPECT_EQ(h.Click(id), Calls{"R38!@0"}) << id;
  EXPECT_EQ(h.Text(205), "-2:70000");
  EXPECT_EQ(h.f.node.Bytes(38), delays);
}

}  // namespace
