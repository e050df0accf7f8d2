#include "pages/circuit/heating_curve_page.h"

#include <gtest/gtest.h>

#include "pages/circuit/heating_curve_plot.h"
#include "tests/pages/circuit/page_harness.h"
#include "tests/support/random_write.h"

using circuit_test::Calls;
using circuit_test::Fill;
using circuit_test::PageHarness;
using testing_support::PageByte;

namespace {

struct Twin {
  const char* name;
  int pageIndex;
  int curve;  // host index of the heating-curve record
  int flagByte;
  int setpoint;  // live host indices
  int forward;
  int outdoor;
  int otherCurve;
  int otherFlagByte;
};

void PrintTo(const Twin& t, std::ostream* os) {
  *os << t.name;
}

const Twin kTwins[] = {
    {"Bl1", 20, 39, 2, 24, 13, 15, 40, 6},
    {"Bl2", 21, 40, 6, 25, 17, 18, 39, 2},
};

constexpr int kCheck = 292;
constexpr int kCount = 293;
constexpr int kPicture = 201;
const int kOutdoor[5] = {312, 313, 314, 315, 316};
const int kForward[5] = {321, 320, 319, 318, 317};

class HeatingCurvePage : public ::testing::TestWithParam<Twin>, public PageHarness {
 protected:
  void SetUp() override { Open(GetParam().pageIndex); }
  Calls Expect(const Calls& calls) const {
    const Twin& t = GetParam();
    return Fill(calls, {{'c', t.curve}, {'s', t.setpoint}, {'f', t.forward}, {'o', t.outdoor}});
  }
  void SetFlags(uint8_t flags) {
    std::vector<uint8_t> part1 = f.node.Part(1);
    part1[static_cast<size_t>(GetParam().flagByte)] = flags;
    f.node.SetPart(1, part1);
  }
  void SetCount(uint8_t count) { f.node.SetByte(GetParam().curve, 0, count); }
  // Points 1 to 5 enabled, outdoor and forward alike.
  std::vector<bool> PointsEnabled() const {
    std::vector<bool> on;
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(f.driver->Enabled(kOutdoor[i]), f.driver->Enabled(kForward[i])) << i;
      on.push_back(f.driver->Enabled(kOutdoor[i]));
    }
    return on;
  }
  std::vector<bool> Enabled(std::initializer_list<int> ids) const {
    std::vector<bool> on;
    for (int id : ids) on.push_back(f.driver->Enabled(id));
    return on;
  }
  fw::Drawing Picture() const { return page->GetDrawing(kPicture); }
};

TEST_P(HeatingCurvePage, HostTrafficAndPausesOfEveryOperation) {
  struct Row {
    const char* what;
    uint8_t flags;  // of the circuit in part 1
    int selectorBefore;
    std::function<Calls(HeatingCurvePage&)> run;
    Calls expected;
  };
  const Row rows[] = {
      {"show, curve mode",
       0x11,
       0,
       [](HeatingCurvePage& t) { return t.Show(); },
       {"R$s@0", "R$f@0", "R$o@0", "R45@0", "W45@200", "R46@400", "R$c@400", "R$c@400", "R$c@400"}},
      {"show, constant mode",
       0x01,
       1,
       [](HeatingCurvePage& t) { return t.Show(); },
       {"R$s@0", "R$f@0", "R$o@0", "R45@0", "R46@0", "R45@0", "R46@0", "R$c@0", "R45@0", "R46@0"}},
      {"tick",
       0x11,
       1,
       [](HeatingCurvePage& t) { return t.Tick(); },
       {"R$s@2000", "R$f@2000", "R$o@2000"}},
      {"read",
       0x11,
       1,
       [](HeatingCurvePage& t) { return t.Click(211); },
       {"R45@0", "R46@0", "R$c@0", "R$c@0"}},
      {"write, part 3 selected",
       0x11,
       3,
       [](HeatingCurvePage& t) { return t.Click(210); },
       {"R45@0", "W45@200", "R$c@400", "W$c@400", "R46@400", "W46@400", "R45@400", "R46@400",
        "R$c@400", "R$c@400"}},
      {"check box to constant mode",
       0x11,
       1,
       [](HeatingCurvePage& t) { return t.Click(kCheck); },
       {"R45@0", "R46@0"}},
      {"check box to curve mode",
       0x01,
       1,
       [](HeatingCurvePage& t) { return t.Click(kCheck); },
       {"R$c@0"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Hide();
    SetFlags(row.flags);
    if (std::string(row.what).rfind("show", 0) != 0) f.Show(*page);
    f.node.SetSelectedPart(row.selectorBefore);
    EXPECT_EQ(row.run(*this), Expect(row.expected));
  }
}

TEST_P(HeatingCurvePage, CountOutsideTwoToFiveIsHeldWithAMessage) {
  const char* const kTo2 = "Value must be between 2 and 5. Value set to 2";
  const char* const kTo5 = "Value must be between 2 and 5. Value set to 5";
  struct Row {
    const char* typed;
    const char* message;  // none: ""
    int stored;
  };
  // Decision 3: 258 and -254 would have passed as their low byte 2; they are held to 5 and 2.
  const Row rows[] = {{"1", kTo2, 2},    {"", kTo2, 2},  {"abc", kTo2, 2}, {"1.9", kTo2, 2},
                      {"-254", kTo2, 2}, {"6", kTo5, 5}, {"258", kTo5, 5}, {"1e30", kTo5, 5},
                      {"2", "", 2},      {"3.9", "", 3}, {"5.99", "", 5},  {" 4", "", 4}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    SetCount(0x33);
    f.platform.ClearMessages();
    page->SetItemText(kCount, row.typed);
    f.driver->Click(210);
    const auto& messages = f.platform.Messages();
    if (*row.message == '\0') {
      EXPECT_TRUE(messages.empty());
    } else {
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_EQ(messages[0].request.text, row.message);
      EXPECT_EQ(messages[0].request.flags, fw::kMbOk);
    }
    EXPECT_EQ(f.node.Bytes(GetParam().curve)[0], row.stored);
    EXPECT_EQ(f.driver->Text(kCount), std::to_string(row.stored));
  }
  // No message when the record could not be read: nothing is written.
  f.node.FailReads(GetParam().curve);
  f.platform.ClearMessages();
  page->SetItemText(kCount, "9");
  f.driver->Click(210);
  EXPECT_TRUE(f.platform.Messages().empty());
}

TEST_P(HeatingCurvePage, EnablingFollowsTheStoredCountAndTheMode) {
  SetFlags(0x10);
  SetCount(3);
  f.driver->Click(211);
  EXPECT_EQ(PointsEnabled(), (std::vector<bool>{true, true, true, false, false}));
  EXPECT_EQ(Enabled({kCount, 265, 268, 266, 267}),
            (std::vector<bool>{true, true, true, false, false}));

  // Typing a count changes nothing until the page reloads.
  f.driver->Type(kCount, "5");
  EXPECT_EQ(PointsEnabled(), (std::vector<bool>{true, true, true, false, false}));
  f.driver->Click(210);
  EXPECT_EQ(PointsEnabled(), std::vector<bool>(5, true));

  // A count the node should not hold is shown as it is and leaves the points alone.
  SetCount(2);
  f.driver->Click(211);
  SetCount(0);
  f.driver->Click(211);
  EXPECT_EQ(f.driver->Text(kCount), "0");
  EXPECT_EQ(PointsEnabled(), (std::vector<bool>{true, true, false, false, false}));
  SetCount(0xFB);
  f.driver->Click(211);
  EXPECT_EQ(f.driver->Text(kCount), "-5");

  // Constant mode: the constant night temperature only while night lowering (0x01) is on.
  for (uint8_t flags : {0x01, 0xEF, 0x00, 0xEE}) {
    SetFlags(flags);
    f.driver->Click(211);
    const bool night = (flags & 0x01) != 0;
    EXPECT_EQ(PointsEnabled(), std::vector<bool>(5, false)) << int{flags};
    EXPECT_EQ(Enabled({kCount, 265, 268, 266, 267}),
              (std::vector<bool>{false, false, false, true, night}))
        << int{flags};
    EXPECT_FALSE(f.driver->Checked(kCheck));
  }
}

TEST_P(HeatingCurvePage, WriteStoresEveryPointTruncatedAndClampedAndKeepsTheReturnValues) {
  const Twin& t = GetParam();
  std::vector<uint8_t> record(31, 0x5A);
  record[23] = 0x0C;  // values 12 and 13: 33.00 and 5.00, the Temperatures page's
  record[24] = 0xE4;
  record[25] = 0x01;
  record[26] = 0xF4;
  f.node.SetBytes(t.curve, record);
  SetFlags(0x01);
  f.driver->Click(211);
  const std::vector<uint8_t> other = f.node.Bytes(t.otherCurve);
  std::vector<uint8_t> part1 = f.node.Part(1);

  f.driver->Click(kCheck);  // curve mode on
  page->SetItemText(kCount, "4");
  const char* const outdoor[5] = {"-5.5", "21.579", "150", "-600", "abc"};
  const char* const forward[5] = {"70", "60.05", "1.15", "-0.004", ""};
  for (int i = 0; i < 5; ++i) {
    page->SetItemText(kOutdoor[i], outdoor[i]);
    page->SetItemText(kForward[i], forward[i]);
  }
  page->SetItemText(265, "5");
  page->SetItemText(266, "22.5");
  page->SetItemText(267, "16");
  f.driver->Click(210);

  // 150 and -600 are held to 100.00 and -555.35 (decision 3).
  const std::vector<uint8_t> expected = {0x04, 0xFD, 0xDA, 0x08, 0x6D, 0x27, 0x10, 0x27,
                                         0x11, 0x00, 0x00, 0x1B, 0x58, 0x17, 0x75, 0x00,
                                         0x73, 0x00, 0x00, 0x00, 0x00, 0x01, 0xF4, 0x0C,
                                         0xE4, 0x01, 0xF4, 0x08, 0xCA, 0x06, 0x40};
  EXPECT_EQ(f.node.Bytes(t.curve), expected);
  EXPECT_EQ(f.node.Bytes(t.otherCurve), other);
  part1[static_cast<size_t>(t.flagByte)] = 0x11;
  EXPECT_EQ(f.node.Part(1), part1);
  EXPECT_EQ(f.driver->Text(kOutdoor[1]), "21.6");
  EXPECT_EQ(f.driver->Text(kOutdoor[3]), "-555.4");
  EXPECT_EQ(f.driver->Text(kForward[2]), "1.2");  // 1.15 stored as 115, not 114

  // Constant mode again: the flag is cleared, the disabled points are still written.
  f.driver->Click(kCheck);
  page->SetItemText(kOutdoor[4], "-20");
  f.driver->Click(210);
  EXPECT_EQ(PageHarness::WordAt(f.node.Bytes(t.curve), 9), 0xF830);
  part1[static_cast<size_t>(t.flagByte)] = 0x01;
  EXPECT_EQ(f.node.Part(1), part1);
}

TEST_P(HeatingCurvePage, PictureRedrawsWhenAPointTheCountOrALiveValueChanges) {
  const Twin& t = GetParam();
  const std::vector<uint8_t> curve = {
      0x03, 0xFC, 0x18, 0x00, 0x00, 0x03, 0xE8, 0x00, 0x00, 0x00, 0x00,  // -10, 0, 10
      0x17, 0x70, 0x13, 0x88, 0x0F, 0xA0, 0x00, 0x00, 0x00, 0x00,        // 60, 50, 40
      0x01, 0xF4, 0x0C, 0xE4, 0x01, 0xF4, 0x08, 0xCA, 0x06, 0x40};
  f.node.SetBytes(t.curve, curve);
  SetFlags(0x10);
  f.node.SetBytes(t.outdoor, Word(500));    // 5.0
  f.node.SetBytes(t.setpoint, Word(4500));  // 45.0
  Hide();
  f.Show(*page);
  fw::Drawing d = Picture();
  ASSERT_EQ(d.markers.size(), 4u);
  EXPECT_EQ(d.markers[3].kind, fw::MarkerKind::kLive);
  // The live marker lies on the curve, halfway between points 2 and 3.
  EXPECT_NEAR(d.markers[3].x, (d.markers[1].x + d.markers[2].x) / 2, 1e-9);
  EXPECT_NEAR(d.markers[3].y, (d.markers[1].y + d.markers[2].y) / 2, 1e-9);

  // A point that is not in use changes nothing; the count brings it in.
  f.driver->Type(kForward[3], "35");
  EXPECT_EQ(Picture(), d);
  f.driver->Type(kCount, "4");
  EXPECT_EQ(Picture().markers.size(), 5u);
  f.driver->Type(kCount, "3");
  EXPECT_EQ(Picture(), d);
  f.driver->Type(kForward[0], "80");
  EXPECT_NE(Picture(), d);
  d = Picture();

  // The live marker follows the live values; the same values draw the same picture.
  Tick();
  EXPECT_EQ(Picture(), d);
  f.node.SetBytes(t.setpoint, Word(4000));
  Tick();
  ASSERT_EQ(Picture().markers.size(), 4u);
  EXPECT_GT(Picture().markers[3].y, d.markers[3].y);  // lower setpoint, lower on the picture
  EXPECT_EQ(Picture().markers[3].x, d.markers[3].x);

  // Fewer than two points that are numbers, or constant mode: the fixed picture.
  const fw::Drawing fixed = FixedCurvePicture(82, 84);
  f.driver->Type(kOutdoor[0], "x");
  f.driver->Type(kOutdoor[1], "");
  EXPECT_EQ(Picture(), fixed);
  f.driver->Type(kOutdoor[1], "0");
  EXPECT_NE(Picture(), fixed);
  f.driver->Click(kCheck);
  EXPECT_EQ(Picture(), fixed);
}

TEST_P(HeatingCurvePage, RandomWritesTouchOnlyTheCurveAndTheModeFlag) {
  const Twin& t = GetParam();
  std::vector<PageByte> owned = {PageByte::Part(1, t.flagByte, 0x10)};
  for (int byte = 0; byte <= 30; ++byte) {
    if (byte < 23 || byte > 26) owned.push_back(PageByte::Nv(t.curve, byte));
  }
  std::vector<int> fields = {kCount, 265, 266, 267};
  fields.insert(fields.end(), std::begin(kOutdoor), std::end(kOutdoor));
  fields.insert(fields.end(), std::begin(kForward), std::end(kForward));
  testing_support::RandomWriteOptions options;
  options.seed += static_cast<uint32_t>(t.pageIndex);
  options.checkCalls = [&](const std::vector<sim::HostCall>& calls) {
    for (const sim::HostCall& c : calls) {
      if (c.kind == sim::HostCall::Kind::kWrite && c.index == t.curve) {
        EXPECT_TRUE(c.bytes[0] >= 2 && c.bytes[0] <= 5) << int{c.bytes[0]};
      }
    }
  };
  const auto stats = testing_support::RunRandomWrites(
      f, *page, owned,
      [&](std::mt19937& rng, fw::CPropertyPage& p) {
        p.SetCheck(kCheck, std::uniform_int_distribution<int>(0, 1)(rng) != 0);
        for (int id : fields) p.SetItemText(id, testing_support::RandomFieldText(rng));
      },
      options);
  EXPECT_EQ(stats.trials, options.trials);
  EXPECT_GT(stats.withWrites, options.trials / 2);
  EXPECT_GT(stats.withFailedReads, 20);
}

INSTANTIATE_TEST_SUITE_P(Twins, HeatingCurvePage, ::testing::ValuesIn(kTwins),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
