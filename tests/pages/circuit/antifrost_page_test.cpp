#include "pages/circuit/antifrost_page.h"

#include <gtest/gtest.h>

#include "resources/dialog_antifrost.h"
#include "tests/pages/circuit/page_harness.h"
#include "tests/support/random_write.h"

using circuit_test::Calls;
using circuit_test::Fill;
using circuit_test::PageHarness;
using testing_support::PageByte;
using namespace antifrost_dialog;

namespace {

struct Twin {
  const char* name;
  int pageIndex;  // among the sheet's 36 pages
  int flagByte;   // part 1
  int startByte;  // part 2
  int stopByte;
  int returnByte;
  int outdoor;     // host index
  int statusByte;  // of host index 37
};

void PrintTo(const Twin& t, std::ostream* os) {
  *os << t.name;
}

const Twin kTwins[] = {
    {"Bl1", 16, 2, 19, 21, 27, 15, 1},
    {"Bl2", 17, 4, 23, 25, 29, 18, 0},
};

const int kFields[] = {424, 422, 426, 214, 207};

class AntifrostPage : public ::testing::TestWithParam<Twin>, public PageHarness {
 protected:
  void SetUp() override { Open(GetParam().pageIndex); }
  Calls Expect(const Calls& calls) const { return Fill(calls, {{'o', GetParam().outdoor}}); }
  std::vector<bool> FieldsEnabled() const {
    std::vector<bool> on;
    for (int id : kFields) on.push_back(f.driver->Enabled(id));
    return on;
  }
};

TEST_P(AntifrostPage, HostTrafficAndPausesOfEveryOperation) {
  struct Row {
    const char* what;
    int selectorBefore;
    std::function<Calls(AntifrostPage&)> run;
    Calls expected;
  };
  const Row rows[] = {
      {"show, selector elsewhere",
       0,
       [](AntifrostPage& t) { return t.Show(); },
       {"R$o@0", "R37@0", "R45@0", "W45@200", "R46@400", "W45@600", "R46@800"}},
      {"show, part 1 selected",
       1,
       [](AntifrostPage& t) { return t.Show(); },
       {"R$o@0", "R37@0", "R45@0", "R46@0", "W45@200", "R46@400"}},
      {"tick", 2, [](AntifrostPage& t) { return t.Tick(); }, {"R$o@2000", "R37@2000"}},
      {"read",
       2,
       [](AntifrostPage& t) { return t.Click(kIdRead); },
       {"R45@0", "W45@200", "R46@400", "W45@600", "R46@800"}},
      {"write",
       1,
       [](AntifrostPage& t) { return t.Click(kIdWrite); },
       {"R45@0", "R46@0", "W46@0", "W45@200", "R46@400", "W46@400", "R45@400", "W45@600", "R46@800",
        "W45@1000", "R46@1200"}},
      {"check box", 2, [](AntifrostPage& t) { return t.Click(kIdEnabled); }, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Hide();
    f.Show(*page);
    if (std::string(row.what).rfind("show", 0) == 0) Hide();
    f.node.SetSelectedPart(row.selectorBefore);
    EXPECT_EQ(row.run(*this), Expect(row.expected));
  }
}

TEST_P(AntifrostPage, WriteChangesOnlyTheEnableFlagOfPartOne) {
  const Twin& t = GetParam();
  const std::vector<uint8_t> factory2 = f.node.Part(2);
  struct Row {
    uint8_t before;
    bool checked;
    uint8_t after;
  };
  for (const Row& row : {Row{0xFF, false, 0xF7}, Row{0x00, true, 0x08}, Row{0xF7, true, 0xFF},
                         Row{0x17, false, 0x17}}) {
    std::vector<uint8_t> part1(31);
    for (size_t i = 0; i < part1.size(); ++i) part1[i] = static_cast<uint8_t>(0xA0 + i);
    part1[static_cast<size_t>(t.flagByte)] = row.before;
    f.node.SetPart(1, part1);
    page->SetCheck(kIdEnabled, row.checked);
    f.driver->Click(kIdWrite);
    std::vector<uint8_t> expected = part1;
    expected[static_cast<size_t>(t.flagByte)] = row.after;
    EXPECT_EQ(f.node.Part(1), expected) << int{row.before} << " " << row.checked;
    EXPECT_EQ(f.driver->Checked(kIdEnabled), row.checked);  // read back
  }
  EXPECT_EQ(f.node.Part(2), factory2);  // the fields show what part 2 holds: written unchanged
}

TEST_P(AntifrostPage, ClearBoxDisablesTheFieldsButTheyAreStillWrittenAndRefreshed) {
  const Twin& t = GetParam();
  std::vector<uint8_t> part1 = f.node.Part(1);
  part1[static_cast<size_t>(t.flagByte)] = 0x08;
  f.node.SetPart(1, part1);
  f.driver->Click(kIdRead);
  ASSERT_TRUE(f.driver->Checked(kIdEnabled));
  EXPECT_EQ(FieldsEnabled(), std::vector<bool>(5, true));
  f.driver->Click(kIdEnabled);
  EXPECT_EQ(FieldsEnabled(), std::vector<bool>(5, false));

  // Decision 3: 150 degrees is stored as 100.00, not as a word that reads back negative.
  page->SetItemText(kIdStart, "-5.5");
  page->SetItemText(kIdStop, "21.579");
  page->SetItemText(kIdReturn, "150");
  f.driver->Click(kIdWrite);
  const std::vector<uint8_t> part2 = f.node.Part(2);
  EXPECT_EQ(PageHarness::WordAt(part2, t.startByte), 0xFDDA);
  EXPECT_EQ(PageHarness::WordAt(part2, t.stopByte), 2157);
  EXPECT_EQ(PageHarness::WordAt(part2, t.returnByte), 10000);
  EXPECT_EQ(f.node.Part(1)[static_cast<size_t>(t.flagByte)] & 0x08, 0);
  EXPECT_EQ(f.driver->Text(kIdStart), "-5.5");
  EXPECT_EQ(f.driver->Text(kIdStop), "21.6");
  EXPECT_EQ(f.driver->Text(kIdReturn), "100.0");
  EXPECT_EQ(FieldsEnabled(), std::vector<bool>(5, false));

  f.node.SetBytes(t.outdoor, PageHarness::Word(0xFC18));  // -10.00
  f.node.SetByte(37, t.statusByte, 0x40);
  Tick();
  EXPECT_EQ(f.driver->Text(kIdActualOutdoor), "-10.0");
  EXPECT_EQ(f.driver->Text(kIdStatus), "Heat");
}

TEST_P(AntifrostPage, StatusIsHeatOnlyWhileItsFlagIsSet) {
  const Twin& t = GetParam();
  struct Row {
    uint8_t own;
    uint8_t other;  // the other circuit's byte of host index 37
    const char* text;
  };
  for (const Row& row : {Row{0x40, 0x00, "Heat"}, Row{0xFF, 0x00, "Heat"}, Row{0xBF, 0x40, "Off"},
                         Row{0x00, 0xFF, "Off"}}) {
    std::vector<uint8_t> status(2);
    status[static_cast<size_t>(t.statusByte)] = row.own;
    status[static_cast<size_t>(1 - t.statusByte)] = row.other;
    f.node.SetBytes(37, status);
    Tick();
    EXPECT_EQ(f.driver->Text(kIdStatus), row.text) << int{row.own};
  }
  f.node.FailReads(37);
  f.node.SetBytes(37, {0, 0});
  Tick();
  EXPECT_EQ(f.driver->Text(kIdStatus), "Off");  // left as it was
}

TEST_P(AntifrostPage, RandomWritesTouchOnlyTheFlagAndTheThreeTemperatures) {
  const Twin& t = GetParam();
  std::vector<PageByte> owned = {PageByte::Part(1, t.flagByte, 0x08)};
  for (int byte : {t.startByte, t.stopByte, t.returnByte}) {
    owned.push_back(PageByte::Part(2, byte));
    owned.push_back(PageByte::Part(2, byte + 1));
  }
  testing_support::RandomWriteOptions options;
  options.seed += static_cast<uint32_t>(t.pageIndex);
  const auto stats = testing_support::RunRandomWrites(
      f, *page, owned,
      [](std::mt19937& rng, fw::CPropertyPage& p) {
        p.SetCheck(kIdEnabled, std::uniform_int_distribution<int>(0, 1)(rng) != 0);
        for (int id : {kIdStart, kIdStop, kIdReturn}) {
          p.SetItemText(id, testing_support::RandomFieldText(rng));
        }
      },
      options);
  EXPECT_EQ(stats.trials, options.trials);
  EXPECT_GT(stats.withWrites, options.trials / 2);
  EXPECT_GT(stats.withFailedReads, 20);
}

INSTANTIATE_TEST_SUITE_P(Twins, AntifrostPage, ::testing::ValuesIn(kTwins),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
