#include "pages/circuit/temperatures_page.h"

#include <gtest/gtest.h>

#include "tests/pages/circuit/page_harness.h"
#include "tests/support/random_write.h"

using circuit_test::Calls;
using circuit_test::PageHarness;
using testing_support::PageByte;

namespace {

struct Twin {
  const char* name;
  int pageIndex;
  int forwardIndex;
  int returnIndex;
  int forwardOffsetByte;  // part 2
  int returnOffsetByte;
  std::vector<int> forwardGroup;  // measured value and offset first
  std::vector<int> returnGroup;
  bool supervision;
};

void PrintTo(const Twin& t, std::ostream* os) {
  *os << t.name;
}

const Twin kTwins[] = {
    {"Bl1", 18, 13, 12, 3, 5, {256, 207, 257, 260, 261}, {258, 208, 259, 262}, true},
    {"Bl2", 19, 17, 16, 11, 13, {259, 215}, {216, 217}, false},
};

class TemperaturesPage : public ::testing::TestWithParam<Twin>, public PageHarness {
 protected:
  void SetUp() override { Open(GetParam().pageIndex); }
  std::vector<bool> Enabled(const std::vector<int>& ids) const {
    std::vector<bool> on;
    for (int id : ids) on.push_back(f.driver->Enabled(id));
    return on;
  }
};

TEST_P(TemperaturesPage, HostTrafficAndPausesOfEveryOperation) {
  const bool bl1 = GetParam().supervision;
  struct Row {
    const char* what;
    int selectorBefore;
    std::function<Calls(TemperaturesPage&)> run;
    Calls bl1;
    Calls bl2;
  };
  const Row rows[] = {
      {"show",
       0,
       [](TemperaturesPage& t) { return t.Show(); },
       {"R13@0", "R12@0", "R37@0", "R45@0", "W45@200", "R46@400", "W45@600", "R39@800", "R46@800",
        "R13@800", "R12@800"},
       {"R17@0", "R16@0", "R45@0", "W45@200", "R46@400", "R17@400", "R16@400"}},
      {"tick",
       2,
       [](TemperaturesPage& t) { return t.Tick(); },
       {"R13@2000", "R12@2000", "R37@2000"},
       {"R17@2000", "R16@2000"}},
      {"read, part 2 selected",
       2,
       [](TemperaturesPage& t) { return t.Click(211); },
       {"R45@0", "R46@0", "W45@200", "R39@400", "R46@400"},
       {"R45@0", "R46@0"}},
      {"read, part 3 selected",
       3,
       [](TemperaturesPage& t) { return t.Click(211); },
       {"R45@0", "W45@200", "R46@400", "W45@600", "R39@800", "R46@800"},
       {"R45@0", "W45@200", "R46@400"}},
      {"write",
       2,
       [](TemperaturesPage& t) { return t.Click(210); },
       {"R45@0", "R46@0", "W46@0", "W45@200", "R46@400", "W46@400", "R39@400", "W39@400", "R45@400",
        "W45@600", "R46@800", "W45@1000", "R39@1200", "R46@1200"},
       {"R45@0", "R46@0", "W46@0", "R45@0", "R46@0"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Hide();
    if (std::string(row.what) != "show") f.Show(*page);
    f.node.SetSelectedPart(row.selectorBefore);
    EXPECT_EQ(row.run(*this), bl1 ? row.bl1 : row.bl2);
  }
}

TEST_P(TemperaturesPage, SensorBelowMinus200IsAbsentAndGreysItsGroupOnShow) {
  const Twin& t = GetParam();
  struct Row {
    int word;
    bool present;
  };
  const Row rows[] = {{0xB1E0, true},   // -200.00
                      {0xB1DF, false},  // -200.01
                      {0x2711, false},  // -555.35
                      {0x2710, true},   // 100.00
                      {0x0000, true},   // 0.00
                      {0xFFFF, true}};  // -0.01
  for (const Row& row : rows) {
    for (bool forward : {true, false}) {
      SCOPED_TRACE(std::to_string(row.word) + (forward ? " forward" : " return"));
      Hide();
      f.node.SetBytes(t.forwardIndex, Word(forward ? row.word : 2000));
      f.node.SetBytes(t.returnIndex, Word(forward ? 2000 : row.word));
      f.Show(*page);
      const std::vector<int>& own = forward ? t.forwardGroup : t.returnGroup;
      const std::vector<int>& other = forward ? t.returnGroup : t.forwardGroup;
      EXPECT_EQ(Enabled(own), std::vector<bool>(own.size(), row.present));
      EXPECT_EQ(Enabled(other), std::vector<bool>(other.size(), true));
    }
  }
  // Only showing the page checks: a tick leaves the grey; a failed read leaves it on the next
  // show too.
  Hide();
  f.node.SetBytes(t.returnIndex, Word(0xB1DF));
  f.Show(*page);
  f.node.SetBytes(t.returnIndex, Word(2000));
  Tick();
  EXPECT_EQ(f.driver->Text(t.returnGroup[0]), "20.0");
  EXPECT_EQ(Enabled(t.returnGroup), std::vector<bool>(t.returnGroup.size(), false));
  Hide();
  f.node.FailReads(t.returnIndex);
  f.Show(*page);
  EXPECT_EQ(Enabled(t.returnGroup), std::vector<bool>(t.returnGroup.size(), false));
  EXPECT_EQ(Enabled(t.forwardGroup), std::vector<bool>(t.forwardGroup.size(), true));
}

TEST_P(TemperaturesPage, OffsetsAreWrittenTruncatedAndClamped) {
  const Twin& t = GetParam();
  const std::vector<uint8_t> before = f.node.Part(2);
  page->SetItemText(t.forwardGroup[1], "-5.5");
  page->SetItemText(t.returnGroup[1], "-900");  // decision 3: -555.35, the lowest temperature
  f.driver->Click(210);
  std::vector<uint8_t> expected = before;
  expected[static_cast<size_t>(t.forwardOffsetByte)] = 0xFD;
  expected[static_cast<size_t>(t.forwardOffsetByte) + 1] = 0xDA;
  expected[static_cast<size_t>(t.returnOffsetByte)] = 0x27;
  expected[static_cast<size_t>(t.returnOffsetByte) + 1] = 0x11;
  EXPECT_EQ(f.node.Part(2), expected);
  EXPECT_EQ(f.driver->Text(t.forwardGroup[1]), "-5.5");
  EXPECT_EQ(f.driver->Text(t.returnGroup[1]), "-555.4");
}

TEST_P(TemperaturesPage, RandomWritesTouchOnlyThePagesValues) {
  const Twin& t = GetParam();
  std::vector<PageByte> owned;
  for (int byte : {t.forwardOffsetByte, t.returnOffsetByte}) {
    owned.push_back(PageByte::Part(2, byte));
    owned.push_back(PageByte::Part(2, byte + 1));
  }
  if (t.supervision) {
    for (int byte = 13; byte <= 16; ++byte) owned.push_back(PageByte::Part(3, byte));
    for (int byte = 23; byte <= 26; ++byte) owned.push_back(PageByte::Nv(39, byte));
  }
  std::vector<int> fields = {t.forwardGroup[1], t.returnGroup[1]};
  if (t.supervision) fields.insert(fields.end(), {257, 260, 259, 262});
  testing_support::RandomWriteOptions options;
  options.seed += static_cast<uint32_t>(t.pageIndex);
  const auto stats = testing_support::RunRandomWrites(
      f, *page, owned,
      [&](std::mt19937& rng, fw::CPropertyPage& p) {
        for (int id : fields) p.SetItemText(id, testing_support::RandomFieldText(rng));
      },
      options);
  EXPECT_EQ(stats.trials, options.trials);
  EXPECT_GT(stats.withWrites, options.trials / 2);
  EXPECT_GT(stats.withFailedReads, 20);
}

INSTANTIATE_TEST_SUITE_P(Twins, TemperaturesPage, ::testing::ValuesIn(kTwins),
                         [](const auto& info) { return std::string(info.param.name); });

// The circuit 1 page's own groups: low forward temperature and return temperature.
class TemperaturesPageBl1 : public ::testing::Test, public PageHarness {
 protected:
  void SetUp() override { Open(18); }
};

TEST_F(TemperaturesPageBl1, MinutesAreWholeAndNeverWrapAround) {
  struct Row {
    const char* typed;
    int stored;
    const char* shown;
  };
  // Decision 3: a negative time is 0 and a time beyond the word is 65535.
  for (const Row& row : {Row{"90.9", 90, "90"}, Row{"-1", 0, "0"}, Row{"70000", 65535, "65535"},
                         Row{"abc", 0, "0"}, Row{"65535.9", 65535, "65535"}}) {
    page->SetItemText(260, row.typed);
    f.driver->Click(210);
    EXPECT_EQ(WordAt(f.node.Part(3), 15), row.stored) << row.typed;
    EXPECT_EQ(f.driver->Text(260), row.shown) << row.typed;
  }
}

TEST_F(TemperaturesPageBl1, ReturnLimitKeepsTheRestOfTheHeatingCurveRecord) {
  std::vector<uint8_t> curve(31);
  for (size_t i = 0; i < curve.size(); ++i) curve[i] = static_cast<uint8_t>(0x31 + 7 * i);
  f.node.SetBytes(39, curve);
  const std::vector<uint8_t> curve2 = f.node.Bytes(40);
  f.driver->Click(211);
  page->SetItemText(259, "33.5");
  page->SetItemText(262, "-2.25");
  page->SetItemText(257, "12.34");
  f.driver->Click(210);
  std::vector<uint8_t> expected = curve;
  expected[23] = 0x0D;  // 3350
  expected[24] = 0x16;
  expected[25] = 0xFF;  // -225
  expected[26] = 0x1F;
  EXPECT_EQ(f.node.Bytes(39), expected);
  EXPECT_EQ(f.node.Bytes(40), curve2);
  EXPECT_EQ(WordAt(f.node.Part(3), 13), 1234);
  EXPECT_EQ(f.driver->Text(259), "33.5");
  EXPECT_EQ(f.driver->Text(262), "-2.3");
}

TEST_F(TemperaturesPageBl1, LowTempStatusFollowsMaskEightOfByteZero) {
  struct Row {
    std::vector<uint8_t> status;
    const char* text;
  };
  for (const Row& row : {Row{{0x08, 0x00}, "Low temp"}, Row{{0xFF, 0xFF}, "Low temp"},
                         Row{{0xF7, 0xFF}, "High temp"}, Row{{0x00, 0x08}, "High temp"}}) {
    f.node.SetBytes(37, row.status);
    Tick();
    EXPECT_EQ(f.driver->Text(261), row.text) << int{row.status[0]};
  }
}

}  // namespace
