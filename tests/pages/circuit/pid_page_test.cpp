#include "pages/circuit/pid_page.h"

#include <gtest/gtest.h>

#include "tests/pages/circuit/page_steps.h"
#include "tests/support/random_write.h"

using namespace testing_support;

namespace {

struct Twin {
  const char* name;
  int pageIndex, firstByte;  // P, I, D
};
void PrintTo(const Twin& t, std::ostream* os) {
  *os << t.name;
}
const Twin kTwins[] = {{"Mv1", 26, 1}, {"Mv2", 27, 13}};
using Texts = std::vector<std::string>;

class PidPage : public ::testing::TestWithParam<Twin>, public PageSteps {
 protected:
  void SetUp() override { Open(GetParam().pageIndex); }
  Texts Pid() const { return {Text(213), Text(217), Text(221)}; }
  Calls Write(const char* p, const char* i, const char* d, const char* password) {
    Type(213, p);
    Type(217, i);
    Type(221, d);
    Type(226, password);
    f.platform.ClearMessages();
    return Click(210);
  }
  Texts Messages() const {
    Texts texts;
    for (const auto& m : f.platform.Messages()) texts.push_back(m.request.text);
    return texts;
  }
};

TEST_P(PidPage, ReadTrafficAndTexts) {
  const int b = GetParam().firstByte;
  Put(8, {{b, 0x00}, {b + 1, 25}, {b + 2, 0xFF}, {b + 3, 0xFF}, {b + 4, 0x01}, {b + 5, 0x00}});
  EXPECT_EQ(Show(), (Calls{"R45@0", "W45@200", "R46@400"}));
  EXPECT_EQ(Pid(), (Texts{"2.5", "65535", "256"}));
  EXPECT_EQ(Wait(10000), Calls{});
  EXPECT_EQ(Click(211), (Calls{"R45@0", "R46@0"}));  // part 8 is still selected
}

TEST_P(PidPage, OnlyTheExactPasswordWritesAndTheFieldIsEmptiedEitherWay) {
  const int b = GetParam().firstByte;
  Show();
  const Bytes part8 = f.node.Part(8);
  for (const char* wrong : {"", "kobalt", "KOBALT", "Kobalt ", "Kobal"}) {
    EXPECT_EQ(Write("9", "9", "9", wrong), Calls{}) << wrong;
    EXPECT_EQ(Messages(), (Texts{"Wrong Password"})) << wrong;
    EXPECT_EQ(f.platform.Messages()[0].request.flags, fw::kMbOk);
    EXPECT_EQ(Text(226), "") << wrong;
    EXPECT_EQ(Pid(), (Texts{"9", "9", "9"}));  // kept for the next try
  }
  EXPECT_EQ(f.node.Part(8), part8);

  f.node.SetSelectedPart(3);
  EXPECT_EQ(Write("2.56", "70000", "-5", "Kobalt"),
            (Calls{"R45@0", "W45@200", "R46@400", "W46@400", "R45@400", "R46@400"}));
  EXPECT_EQ(Messages(), Texts{});
  EXPECT_EQ(
      f.node.Part(8),
      With(part8, {{b, 0}, {b + 1, 25}, {b + 2, 0xFF}, {b + 3, 0xFF}, {b + 4, 0}, {b + 5, 0}}));
  EXPECT_EQ(Pid(), (Texts{"2.5", "65535", "0"}));  // clamped, not cut to 4464
  EXPECT_EQ(Text(226), "");
  EXPECT_EQ(Text(210), "Write");

  EXPECT_EQ(Write("7000", "1", "1", ""), Calls{});  // each write needs the password again
  EXPECT_EQ(Write("7000", "1", "1", "Kobalt"),
            (Calls{"R45@0", "R46@0", "W46@0", "R45@0", "R46@0"}));
  EXPECT_EQ(Pid(), (Texts{"6553.5", "1", "1"}));
}

TEST_P(PidPage, RandomWritesTouchOnlyItsBytes) {
  std::vector<PageByte> owned;
  for (int i = 0; i < 6; ++i) owned.push_back(PageByte::Part(8, GetParam().firstByte + i));
  bool password = false;
  RandomWriteOptions options;
  options.checkCalls = [&](const std::vector<sim::HostCall>& calls) {
    EXPECT_TRUE(password || calls.empty()) << "the node was reached without the password";
  };
  const auto stats = RunRandomWrites(
      f, *page, owned,
      [&](std::mt19937& rng, fw::CPropertyPage& p) {
        for (int id : {213, 217, 221}) p.SetItemText(id, RandomFieldText(rng));
        password = rng() % 8 != 0;
        p.SetItemText(226, password ? "Kobalt" : RandomFieldText(rng));
      },
      options);
  EXPECT_EQ(stats.trials, 1000);
  EXPECT_GT(stats.withWrites, 500);
  EXPECT_GT(stats.withoutWrites, 100);
}

INSTANTIATE_TEST_SUITE_P(Twins, PidPage, ::testing::ValuesIn(kTwins),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
