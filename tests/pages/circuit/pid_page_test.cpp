#include "pages/circuit/pid_page.h"

#include <gtest/gtest.h>

#include "resources/dialog_pid.h"
#include "tests/pages/circuit/page_steps.h"
#include "tests/support/random_write.h"

using testing_support::Calls;
using testing_support::PageByte;
using namespace pid_dialog;

namespace {

struct Twin {
  const char* name;
  int pageIndex;
  int firstByte;  // P, then I, then D
};
void PrintTo(const Twin& t, std::ostream* os) {
  *os << t.name;
}
const Twin kTwins[] = {{"Mv1", 26, 1}, {"Mv2", 27, 13}};

class PidPage : public ::testing::TestWithParam<Twin>, public testing_support::PageSteps {
 protected:
  void SetUp() override { Open(GetParam().pageIndex); }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& m : f.platform.Messages()) {
      texts.push_back(m.request.text);
      EXPECT_EQ(m.request.flags, fw::kMbOk);
    }
    return texts;
  }
  void TypePid(const char* p, const char* i, const char* d) {
    Type(kIdP, p);
    Type(kIdI, i);
    Type(kIdD, d);
  }
  std::vector<std::string> Pid() const { return {Text(kIdP), Text(kIdI), Text(kIdD)}; }
};

TEST_P(PidPage, ReadsPartEightWithoutATimer) {
  const int b = GetParam().firstByte;
  f.node.SetPart(
      8,
      With(f.node.Part(8),
           {{b, 0x00}, {b + 1, 25}, {b + 2, 0xFF}, {b + 3, 0xFF}, {b + 4, 0x01}, {b + 5, 0x00}}));
  EXPECT_EQ(Show(), (Calls{"R45@0", "W45@200", "R46@400"}));
  EXPECT_EQ(Pid(), (std::vector<std::string>{"2.5", "65535", "256"}));
  EXPECT_EQ(Wait(10000), Calls{});
  EXPECT_EQ(Click(kIdRead), (Calls{"R45@0", "R46@0"}));  // part 8 is still selected
  f.node.FailReads(46);
  f.node.SetPart(8, std::vector<uint8_t>(31, 0));
  EXPECT_EQ(Click(kIdRead), (Calls{"R45@0", "R46!@0"}));
  EXPECT_EQ(Pid(), (std::vector<std::string>{"2.5", "65535", "256"}));
}

TEST_P(PidPage, OnlyTheExactPasswordWritesAndTheFieldIsEmptiedEitherWay) {
  const int b = GetParam().firstByte;
  Show();
  const auto part8 = f.node.Part(8);
  for (const char* wrong : {"", "kobalt", "KOBALT", "Kobalt ", " Kobalt", "Kobal"}) {
    TypePid("9", "9", "9");
    Type(kIdPassword, wrong);
    EXPECT_EQ(Click(kIdWrite), Calls{}) << wrong;
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Wrong Password"})) << wrong;
    EXPECT_EQ(Text(kIdPassword), "") << wrong;
    EXPECT_EQ(Pid(), (std::vector<std::string>{"9", "9", "9"}));  // kept to be written later
    EXPECT_EQ(Text(kIdWrite), "Write");
    f.platform.ClearMessages();
  }
  EXPECT_EQ(f.node.Part(8), part8);

  TypePid("2.56", "70000", "-5");
  Type(kIdPassword, "Kobalt");
  f.node.SetSelectedPart(3);
  EXPECT_EQ(Click(kIdWrite),
            (Calls{"R45@0", "W45@200", "R46@400", "W46@400", "R45@400", "R46@400"}));
  EXPECT_EQ(Messages(), std::vector<std::string>{});
  EXPECT_EQ(
      f.node.Part(8),
      With(part8,
           {{b, 0x00}, {b + 1, 25}, {b + 2, 0xFF}, {b + 3, 0xFF}, {b + 4, 0x00}, {b + 5, 0x00}}));
  EXPECT_EQ(Pid(), (std::vector<std::string>{"2.5", "65535", "0"}));
  EXPECT_EQ(Text(kIdPassword), "");
  EXPECT_EQ(Text(kIdWrite), "Write");

  // The password gates one write: the next needs it again.
  TypePid("7000", "1", "1");
  EXPECT_EQ(Click(kIdWrite), Calls{});
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Wrong Password"}));
  Type(kIdPassword, "Kobalt");
  EXPECT_EQ(Click(kIdWrite), (Calls{"R45@0", "R46@0", "W46@0", "R45@0", "R46@0"}));
  EXPECT_EQ(Pid(), (std::vector<std::string>{"6553.5", "1", "1"}));  // clamped, not 14464
}

TEST_P(PidPage, FailedReadWritesNothingButStillReads) {
  Show();
  Type(kIdPassword, "Kobalt");
  f.node.FailReads(46);
  EXPECT_EQ(Click(kIdWrite), (Calls{"R45@0", "R46!@0", "R45@0", "R46!@0"}));
  EXPECT_EQ(Text(kIdPassword), "");
}

TEST_P(PidPage, RandomWritesTouchOnlyItsBytes) {
  const Twin& t = GetParam();
  std::vector<PageByte> owned;
  for (int i = 0; i < 6; ++i) owned.push_back(PageByte::Part(8, t.firstByte + i));
  bool password = false;
  testing_support::RandomWriteOptions options;
  options.checkCalls = [&](const std::vector<sim::HostCall>& calls) {
    if (!password) {
      EXPECT_TRUE(calls.empty()) << "the node was reached without the password";
    }
  };
  const auto stats = testing_support::RunRandomWrites(
      f, *page, owned,
      [&](std::mt19937& rng, fw::CPropertyPage& p) {
        for (int id : {kIdP, kIdI, kIdD}) p.SetItemText(id, testing_support::RandomFieldText(rng));
        password = std::uniform_int_distribution<int>(0, 9)(rng) != 0;
        p.SetItemText(kIdPassword, password ? "Kobalt" : testing_support::RandomFieldText(rng));
      },
      options);
  EXPECT_EQ(stats.trials, 1000);
  EXPECT_GT(stats.withWrites, 500);
  EXPECT_GT(stats.withFailedReads, 50);
  EXPECT_GT(stats.withoutWrites, 100);
}

INSTANTIATE_TEST_SUITE_P(Twins, PidPage, ::testing::ValuesIn(kTwins),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
