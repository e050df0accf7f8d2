// What only one kind of circuit page does (or a few alike): password, enabling, delays, mode
// buttons, the heating curve. States of controls as "x" (checked, or enabled) and "-".
#include <gtest/gtest.h>

#include "pages/circuit/extended_operation_page.h"
#include "pages/circuit/heating_curve_plot.h"
#include "tests/pages/circuit/page_harness.h"

using namespace circuit_test;

namespace {

TEST(PidPage, OnlyTheExactPasswordWritesAndTheFieldIsEmptiedEitherWay) {
  PageHarness h;
  h.Open(26);
  auto write = [&](const char* password) {
    for (int id : {213, 217, 221}) h.Type(id, "9");
    h.Type(226, password);
    return h.Click(210);
  };
  for (const char* wrong : {"", "kobalt", "KOBALT", "Kobalt ", "Kobal"}) {
    SCOPED_TRACE(wrong);
    EXPECT_EQ(write(wrong), Calls{});
    EXPECT_EQ(h.Messages(), Texts{"Wrong Password"});
    EXPECT_EQ(h.Text(226), "");
    EXPECT_EQ(h.Text(213) + h.Text(217) + h.Text(221), "999");  // kept for the next try
  }
  EXPECT_NE(write("Kobalt"), Calls{});
  EXPECT_EQ(h.Messages(), Texts{});
  EXPECT_EQ(h.Text(226) + h.Text(213), "9.0");
  EXPECT_EQ(write(""), Calls{});  // each write needs the password again
}

// Room start/stop (269) only with night lowering (268); the room setpoint and actual (270,
// 271) only with room start/stop; season temperature and pump stop time (273, 274) only with
// the season stop box (201 on circuit 2's page).
TEST(NightLoweringPage, EnablingChainAndTheOrderTheFlagsAreRead) {
  PageHarness h;
  auto state = [&] { return h.Checked({269}) + h.Enabled({269, 270, 271, 273, 274}); };
  h.Open(23, false);
  h.Put(Part(1), 6, {0xED});  // night lowering and season stop on
  h.Show();
  EXPECT_EQ(state(), "-x--xx");
  h.Put(Part(1), 6, {0xFA});  // room start/stop on, night lowering off
  h.Hide();
  h.Show();  // the enabling after the read clears 269
  EXPECT_EQ(state(), "------");
  h.Click(211);  // a Read alone leaves it checked, though disabled
  EXPECT_EQ(state(), "x-xx--");
  h.Click(268);
  EXPECT_EQ(state(), "xxxx--");
  h.Click(268);
  h.Click(201);
  EXPECT_EQ(state(), "----xx");
  h.Click(210);
  EXPECT_EQ(h.f.node.Part(1)[6], 0xFC);
}

TEST(AntifrostPage, ClearBoxDisablesTheFieldsWhichAreStillWritten) {
  PageHarness h;
  h.Open(16, false);
  h.Put(Part(1), 2, {0x08});
  h.Show();
  const std::vector<int> fields = {424, 422, 426, 214, 207};
  EXPECT_EQ(h.Enabled(fields), "xxxxx");
  const Bytes before = h.Get(Part(2));
  h.Click(209);
  h.Type(424, "-7");
  h.Click(210);
  EXPECT_EQ(h.Enabled(fields), "-----");
  EXPECT_EQ(h.Get(Part(2)), PageHarness::With(before, 19, {0xFD, 0x44}));
}

// Below -200.00 degrees a sensor is absent: showing the page greys its group; a tick does not
// change that, nor does a show whose read fails.
TEST(TemperaturesPage, AbsentSensorGreysItsGroupOnShowOnly) {
  const std::vector<int> forward = {256, 207, 257, 260, 261}, ret = {258, 208, 259, 262};
  const std::tuple<int, std::vector<int>, std::vector<int>> sensors[] = {{13, forward, ret},
                                                                         {12, ret, forward}};
  // -200.00, 100.00, -0.01, -555.35, -200.01.
  const std::pair<int, bool> words[] = {
      {0xB1E0, true}, {0x2710, true}, {0xFFFF, true}, {0x2711, false}, {0xB1DF, false}};
  for (const auto& [index, own, other] : sensors) {
    PageHarness h;
    h.Open(18);
    const std::string on(own.size(), 'x'), off(own.size(), '-');
    for (const auto& [word, present] : words) {
      SCOPED_TRACE(std::to_string(index) + " " + std::to_string(word));
      h.Hide();
      h.f.node.SetBytes(index, {uint8_t(word >> 8), uint8_t(word)});
      h.Show();
      EXPECT_EQ(h.Enabled(own), present ? on : off);
      EXPECT_EQ(h.Enabled(other), std::string(other.size(), 'x'));
    }
    h.f.node.SetBytes(index, {0x07, 0xD0});
    h.Tick();
    EXPECT_EQ(h.Enabled(own), off);
    h.Hide();
    h.f.node.FailReads(index);
    h.Show();
    EXPECT_EQ(h.Enabled(own), off);
  }
}

// A typed delay: hours and minutes, split at the first colon, each cut and held to 0 to 65535.
TEST(ExtendedOperationPage, TypedDelaysAsTheyAreWrittenAndShownAgain) {
  const std::pair<const char*, const char*> typed[] = {
      {"90", "0:90"},       {"1:30:15", "1:30"}, {"x:", "0:00"},          {" 3: 07", "3:07"},
      {"1.9:2.99", "1:02"}, {"-1:-5", "0:00"},   {"70000:0", "65535:00"}, {"0:1e9", "0:65535"},
      {"8h:15m", "8:15"},   {"2:9", "2:09"},     {"2:10", "2:10"}};
  for (const auto& [text, shown] : typed) EXPECT_EQ(DelayToText(TextToDelay(text)), shown) << text;
}

// Start (206, 207, 208) zeroes its row's delay (typed in 203, 204, 205), then two seconds later
// writes the typed one; nothing is read back.
TEST(ExtendedOperationPage, StartRestartsItsDelay) {
  PageHarness h;
  h.Open(15);
  const Bytes delays(31, 0x40);
  const std::tuple<int, int, const char*, Bytes> rows[] = {{206, 13, "3:15", {0, 3, 0, 15}},
                                                           {207, 17, "0:45", {0, 0, 0, 45}},
                                                           {208, 21, "12:5", {0, 12, 0, 5}}};
  for (const auto& [start, byte, typed, after] : rows) {
    SCOPED_TRACE(typed);
    h.f.node.SetBytes(38, delays);
    h.Type(start - 3, typed);
    h.f.node.ClearLog();
    h.Click(start);
    const std::vector<sim::HostCall>& calls = h.f.node.Log();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[1].bytes, PageHarness::With(delays, byte, {0, 0, 0, 0}));
    EXPECT_EQ(calls[2].bytes, PageHarness::With(delays, byte, after));
    EXPECT_EQ(h.Text(start - 3), typed);
  }
}

const std::vector<int> kOverrides = {328, 335, 336, 337, 338, 339, 340};

// "Write" sends the word of the first mode button on ("x"); with none on (a show whose read
// failed) the pump and valves run Automatic (255) and the override keeps the node's word.
TEST(ModeButtons, TheFirstOnIsWrittenAndNoneOnIsTheDefault) {
  // Page, its buttons, which are on, the word's host index and position, the word after.
  const std::tuple<int, std::vector<int>, const char*, int, int, Bytes> rows[] = {
      {8, kOverrides, "x--x--x", 41, 0, {0, 1}},
      {8, kOverrides, "-------", 41, 0, {0x12, 0x34}},
      {13, {339, 340, 341}, "---", 29, 7, {0, 255}},
      {11, {358, 359, 360}, "---", 29, 9, {0, 255}}};
  for (const auto& [page, buttons, on, index, byte, word] : rows) {
    PageHarness h;
    h.Open(page, false);
    h.Put(Nv(index), byte, {0x12, 0x34});
    h.Show();
    const Bytes before = h.Get(Nv(index));
    for (size_t i = 0; i < buttons.size(); ++i) h.page->SetCheck(buttons[i], on[i] == 'x');
    h.Write();
    EXPECT_EQ(h.Get(Nv(index)), PageHarness::With(before, byte, word)) << page << " " << on;
  }
}

// The buttons are of no use while the rotary switch stands on "Off" (4), unless the override
// is "Off" too: then they are left as they are. A switch that cannot be read is not "Off".
TEST(StatusSwitchPage, SwitchOffDisablesTheOverrideUnlessTheOverrideIsOff) {
  PageHarness h;
  h.Open(8);
  const std::tuple<int, int, bool, const char*> rows[] = {
      {255, 4, false, "-------"}, {4, 1, false, "-------"},  // override Off: left
      {2, 1, false, "xxxxxxx"},   {4, 4, false, "xxxxxxx"},  // override Off: left
      {255, 4, false, "-------"}, {255, 4, true, "xxxxxxx"}};
  for (const auto& [override, position, failSwitch, enabled] : rows) {
    h.f.node.SetBytes(41, {0, uint8_t(override)});
    h.f.node.SetBytes(20, {0, uint8_t(position)});
    h.f.node.FailReads(20, failSwitch);
    h.Tick();
    EXPECT_EQ(h.Enabled(kOverrides), enabled) << override << " " << position;
  }
  // The refresh stops after an override of Off.
  h.f.node.FailReads(20, false);
  h.f.node.SetBytes(41, {0, 4});
  EXPECT_EQ(h.Tick(), Split("R20@2000 R26@2000 R41@2000"));
}

// The second valve is of use only with cascade (246) on; switching cascade starts it from
// "Automatic". A manual position is of use only in "Manual"; so is the cascade output (280).
TEST(AnalogValvePage, CascadeEnablesTheSecondValveAndManualItsPosition) {
  struct Valve {
    int off, manual, automatic, in, modeByte;  // of host index 29
  };
  const Valve a = {358, 359, 360, 369, 9}, b = {363, 364, 365, 239, 11};  // circuit 2's page
  PageHarness h;
  h.Open(11, false);
  h.Put(Nv(29), a.modeByte, {0, 0});
  h.Put(Nv(29), b.modeByte, {0, 1});
  h.Put(Part(1), 12, {0xFB});  // cascade (0x04) off
  h.Show();
  EXPECT_EQ(h.Checked({a.off, a.manual, a.automatic, b.off, b.manual, b.automatic}), "x---x-");
  EXPECT_EQ(h.Enabled({a.in, b.off, b.manual, b.automatic, b.in, 280}), "------");

  h.Click(246);
  EXPECT_EQ(h.Checked({b.off, b.manual, b.automatic}), "--x");
  EXPECT_EQ(h.Enabled({b.off, b.manual, b.automatic, b.in, 280}), "xxx-x");
  h.Click(a.manual);
  h.Click(b.manual);
  EXPECT_EQ(h.Enabled({a.in, b.in}), "xx");
  h.Click(246);
  EXPECT_EQ(h.Checked({b.off, b.manual, b.automatic}), "--x");
  EXPECT_EQ(h.Enabled({a.in, b.off, b.in, 280}), "x---");
}

const int kOutdoor[5] = {312, 313, 314, 315, 316};
const int kForward[5] = {321, 320, 319, 318, 317};

// Count, points and picture are one code for both circuits: shown on circuit 2 (page 21, its
// curve record in host index 40, its mode flags in part 1 byte 6) or 1 (20, 39, byte 2).
TEST(HeatingCurvePage, CountHeldWithAMessageEnablingAndPictureFollowTheCountAndTheMode) {
  const char* const kTo2 = "Value must be between 2 and 5. Value set to 2";
  const char* const kTo5 = "Value must be between 2 and 5. Value set to 5";
  // 258 and -254 would have passed as their low byte 2; they are held to 5 and 2.
  const std::tuple<const char*, const char*, int, const char*> rows[] = {
      {"1", kTo2, 2, "xx---"},    {"abc", kTo2, 2, "xx---"}, {"1.9", kTo2, 2, "xx---"},
      {"-254", kTo2, 2, "xx---"}, {"6", kTo5, 5, "xxxxx"},   {"258", kTo5, 5, "xxxxx"},
      {"2", "", 2, "xx---"},      {"3.9", "", 3, "xxx--"},   {"5.99", "", 5, "xxxxx"}};
  PageHarness h;
  h.Open(21, false);
  auto points = [&] {
    EXPECT_EQ(h.Enabled({kOutdoor, kOutdoor + 5}), h.Enabled({kForward, kForward + 5}));
    return h.Enabled({kOutdoor, kOutdoor + 5});
  };
  auto picture = [&] { return h.page->GetDrawing(201); };
  h.Put(Nv(40), 0, {3, 0xFC, 0x18, 0x00, 0x00, 0x03, 0xE8});            // 3 points: -10, 0 and 10
  h.Put(Nv(40), 11, {0x17, 0x70, 0x13, 0x88, 0x0F, 0xA0});              // at 60, 50 and 40
  h.Put(Nv(40), 21, {0x01, 0xF4, 0, 0, 0, 0, 0x08, 0x34, 0x05, 0xDC});  // 5.00; 21.00, 15.00
  h.Put(Part(1), 6, {0x10});
  h.f.node.SetBytes(18, {0x01, 0xF4});  // outdoor 5.0
  h.f.node.SetBytes(25, {0x11, 0x94});  // setpoint 45.0
  h.Show();
  EXPECT_EQ(h.Text(265) + " " + h.Text(266) + " " + h.Text(267), "5.0 21.0 15.0");
  EXPECT_EQ(points(), "xxx--");
  EXPECT_EQ(h.Enabled({293, 265, 268, 266, 267}), "xxx--");  // count, offset, outdoor; constants
  EXPECT_EQ(picture().markers.size(), 4u);                   // three points and the live one
  // The picture redraws as a point, the count or a live value changes; the enabling waits until
  // the page reads the count again.
  h.Type(293, "4");
  EXPECT_EQ(points(), "xxx--");
  EXPECT_EQ(picture().markers.size(), 5u);
  fw::Drawing d = picture();
  h.Type(kForward[0], "80");
  EXPECT_NE(picture(), d);
  d = picture();
  h.f.node.SetBytes(25, {0x0F, 0xA0});
  h.Tick();
  EXPECT_GT(picture().markers.at(4).y, d.markers[4].y);  // lower setpoint, lower on the picture

  for (const auto& [typed, message, stored, enabled] : rows) {
    SCOPED_TRACE(typed);
    h.f.node.SetByte(40, 0, 0x33);
    h.Type(293, typed);
    h.Click(210);
    EXPECT_EQ(h.Messages(), *message ? Texts{message} : Texts{});
    EXPECT_EQ(h.f.node.Bytes(40)[0], stored);
    EXPECT_EQ(h.Text(293), std::to_string(stored));
    EXPECT_EQ(points(), enabled);
  }
  // No message when the record could not be read: nothing is written.
  h.f.node.FailReads(40);
  h.Type(293, "9");
  h.Click(210);
  EXPECT_EQ(h.Messages(), Texts{});
  h.f.node.FailReads(40, false);

  // A count the node should not hold is shown as it is and leaves the points alone.
  h.f.node.SetByte(40, 0, 2);
  h.Click(211);
  h.f.node.SetByte(40, 0, 0xFB);
  h.Click(211);
  EXPECT_EQ(h.Text(293), "-5");
  EXPECT_EQ(points(), "xx---");
  h.Click(292);  // constant mode: the fixed picture
  EXPECT_EQ(picture(), FixedCurvePicture(82, 84));

  // Constant mode: the constant night temperature only while night lowering (0x01) is on.
  for (uint8_t flags : {0x01, 0xEF, 0x00, 0xEE}) {
    SCOPED_TRACE(int{flags});
    h.Put(Part(1), 6, {flags});
    h.Click(211);
    EXPECT_EQ(points(), "-----");
    EXPECT_EQ(h.Enabled({293, 265, 268, 266, 267}), (flags & 0x01) != 0 ? "---xx" : "---x-");
  }
}

}  // namespace
