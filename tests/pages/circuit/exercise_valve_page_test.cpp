#include "pages/circuit/exercise_valve_page.h"

#include <gtest/gtest.h>

#include "tests/pages/circuit/page_steps.h"
#include "tests/support/random_write.h"

using namespace testing_support;

namespace {

struct Twin {
  const char* name;
  int pageIndex, firstByte, calibration, otherCalibration;
};
void PrintTo(const Twin& t, std::ostream* os) {
  *os << t.name;
}
const Twin kTwins[] = {{"Circuit1", 24, 1, 43, 44}, {"Circuit2", 25, 9, 44, 43}};

class ExerciseValvePage : public ::testing::TestWithParam<Twin>, public PageSteps {
 protected:
  void SetUp() override { Open(GetParam().pageIndex); }
  std::vector<std::string> Texts() const {
    return {Text(224), Text(225), Text(226), Text(227), Text(228)};
  }
};

TEST_P(ExerciseValvePage, ReadAndWriteTrafficBytesAndNoTimer) {
  const Twin& t = GetParam();
  const int b = t.firstByte;
  Put(7, {{b, 0x01}, {b + 1, 0x2C}, {b + 2, 0xFF}, {b + 3, 0xFF}});
  Put(5, {{b, 0x03}, {b + 1, 0x8D}, {b + 2, 0x00}, {b + 3, 9}});
  f.node.SetBytes(t.calibration, {6, 5, 0xAB, 0xCD});
  const std::string cal = std::to_string(t.calibration);
  const Calls read = {"R45@0", "W45@200", "R46@400", "W45@600", "R46@800", "R" + cal + "@800"};
  EXPECT_EQ(Show(), read);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"300", "65535", "90", "0", "6:05"}));
  EXPECT_EQ(Wait(10000), Calls{});
  EXPECT_EQ(Click(211), read);  // part 5 stays selected: part 7 is selected again

  Type(224, "70000");
  Type(225, "12.9");
  Type(226, "90.96");
  Type(227, "-1");
  Type(228, "14:30");
  const Bytes part7 = f.node.Part(7), part5 = f.node.Part(5);
  const Bytes other = f.node.Bytes(t.otherCalibration);
  EXPECT_EQ(Click(210),
            (Calls{"R45@0", "W45@200", "R46@400", "W46@400", "W45@600", "R46@800", "W46@800",
                   "R" + cal + "@800", "W" + cal + "@800", "R45@800", "W45@1000", "R46@1200",
                   "W45@1400", "R46@1600", "R" + cal + "@1600"}));
  EXPECT_EQ(f.node.Part(7), With(part7, {{b, 0xFF}, {b + 1, 0xFF}, {b + 2, 0}, {b + 3, 12}}));
  EXPECT_EQ(f.node.Part(5), With(part5, {{b, 0x03}, {b + 1, 0x8D}, {b + 2, 0}, {b + 3, 0}}));
  EXPECT_EQ(f.node.Bytes(t.calibration), (Bytes{14, 30, 0xAB, 0xCD}));
  EXPECT_EQ(f.node.Bytes(t.otherCalibration), other);
  // 70000 hours clamped to 65535, not cut to 4464; 90.96 s stored as 909.
  EXPECT_EQ(Texts(), (std::vector<std::string>{"65535", "12", "90", "0", "14:30"}));
}

TEST_P(ExerciseValvePage, CalibrationTextsWhatTheyStoreAndShow) {
  const Twin& t = GetParam();
  Show();
  const std::tuple<const char*, uint8_t, uint8_t, const char*> texts[] = {
      {"6:5", 6, 5, "6:05"},
      {"45", 0, 45, "0:45"},
      {"", 0, 0, "0:00"},
      {"1:2:3", 1, 2, "1:02"},
      {"x:10.9", 0, 10, "0:10"},
      {"300:200", 127, 127, "127:127"},  // a signed byte each
      {"-3:-5", 0xFD, 0xFB, "-3:-5"},
      {"-200", 0, 0x80, "0:-128"}};
  for (const auto& [typed, hours, minutes, shown] : texts) {
    Type(228, typed);
    f.driver->Click(210);
    const Bytes bytes = f.node.Bytes(t.calibration);
    EXPECT_EQ(bytes[0], hours) << typed;
    EXPECT_EQ(bytes[1], minutes) << typed;
    EXPECT_EQ(Text(228), shown) << typed;
    f.driver->Click(210);  // what is shown writes the same bytes again
    EXPECT_EQ(f.node.Bytes(t.calibration), bytes) << typed;
  }
}

TEST_P(ExerciseValvePage, RandomWritesTouchOnlyItsBytes) {
  const Twin& t = GetParam();
  std::vector<PageByte> owned = {PageByte::Nv(t.calibration, 0), PageByte::Nv(t.calibration, 1)};
  for (int i = 0; i < 4; ++i) {
    owned.push_back(PageByte::Part(7, t.firstByte + i));
    owned.push_back(PageByte::Part(5, t.firstByte + i));
  }
  const auto stats = RunRandomWrites(f, *page, owned, [](std::mt19937& rng, fw::CPropertyPage& p) {
    for (int id : {224, 225, 226, 227, 228}) p.SetItemText(id, RandomFieldText(rng));
  });
  EXPECT_EQ(stats.trials, 1000);
  EXPECT_GT(stats.withWrites, 500);
  EXPECT_GT(stats.withFailedReads, 100);
}

INSTANTIATE_TEST_SUITE_P(Twins, ExerciseValvePage, ::testing::ValuesIn(kTwins),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
