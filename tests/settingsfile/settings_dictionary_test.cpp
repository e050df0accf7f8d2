// The settings dictionary against the pages that write its settings: for random values of each
// setting, the page shows what the dictionary reads, and a Write stores exactly the setting's
// bytes.
#include "settingsfile/settings_dictionary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <stdexcept>

#include "pages/circuit/exercise_valve_page.h"
#include "tests/support/case_names.h"
#include "tests/support/fixture.h"

using testing_support::NodeFixture;

namespace {

// The edges of the texts the dictionary adds to the codecs (the typed values below add one
// ordinary value of each codec); the calibration time reads as its page shows it.
TEST(SettingsDictionary, ValueTextsAtTheCodecsEdges) {
  using C = SettingCodec;
  const std::tuple<C, std::vector<uint8_t>, const char*> cases[] = {
      {C::kTemp, {0xFF, 0xFF}, "-0.01"},
      {C::kTenths, {0xFF, 0xFF}, "6553.5"},
      {C::kWord, {0xFF, 0xFF}, "65535"},
      {C::kHalfByte, {0xFF}, "127.5"},
      {C::kSignedByte, {0xFF}, "-1"},
      {C::kQuarterHours, {96}, "24:00"},
      {C::kHoursMinutes, {0xFF, 0x2D}, "-1:45"},
      {C::kOverride, {0x01, 0x01}, "Use manual rotary switch (257)"},
      {C::kFlag, {0xEF}, "clear"},
  };
  for (const auto& [codec, bytes, text] : cases) {
    const uint8_t mask = codec == C::kFlag ? 0x10 : 0xFF;
    const int size = static_cast<int>(bytes.size());
    const SettingField e{"k", "n", 0, 0, size, mask, codec, {}, 0, 1, 0, "set", "clear"};
    EXPECT_EQ(ValueText(e, bytes.data()), text) << static_cast<int>(codec);
  }
  const SettingField e = field::Value("k", "n", 0, 0, 2, C::kHoursMinutes, {}, 0);
  for (int m = 0; m < 256; ++m) {
    const uint8_t bytes[] = {6, static_cast<uint8_t>(m)};
    EXPECT_EQ(ValueText(e, bytes), CalibrationTimeText(6, bytes[1])) << m;
  }
}

// No two entries share a bit or a key, and every entry lies within its record.
TEST(SettingsDictionary, EntriesNeitherOverlapNorLeaveTheirRecord) {
  std::map<std::pair<int, int>, uint8_t> used;
  std::set<std::string_view> keys;
  for (const auto& [e, tab, circuit, pageClass] : SettingsDictionary()) {
    EXPECT_TRUE(keys.insert(e.key).second) << e.key;
    ASSERT_LE(e.byte + e.size, RecordSize(e.record)) << e.key;
    for (int i = 0; i < e.size; ++i) {
      uint8_t& bits = used[{e.record, e.byte + i}];
      EXPECT_EQ(bits & e.mask, 0) << e.key << " overlaps another entry";
      bits |= e.mask;
    }
  }
  for (int r = 0; r < kFileRecords; ++r) {
    EXPECT_EQ(RecordSize(r), r < 6 ? sim::SimulatedNode::SizeOf(39 + r) : 31) << RecordName(r);
  }
}

// Bytes a page accepts and writes back unchanged: the point count 2 to 5, a cascade output up to
// 100 %, calendar times that keep every day's start before its stop (the node holds 8:00 to
// 16:00 around them); any bytes otherwise.
struct Writable {
  SettingCodec codec;
  std::string_view keyEnd;
  int lo;
  int hi;
};
const Writable kWritable[] = {{SettingCodec::kSignedByte, "", 2, 5},
                              {SettingCodec::kHalfByte, "", 0, 200},
                              {SettingCodec::kQuarterHours, ".start", 1, 64},
                              {SettingCodec::kQuarterHours, ".stop", 32, 96}};

std::vector<uint8_t> RandomValue(const SettingField& e, std::mt19937& rng) {
  std::vector<uint8_t> bytes(static_cast<size_t>(e.size));
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(rng() & e.mask);
  for (const Writable& w : kWritable) {
    if (w.codec == e.codec && e.key.size() >= w.keyEnd.size() &&
        e.key.compare(e.key.size() - w.keyEnd.size(), w.keyEnd.size(), w.keyEnd) == 0) {
      bytes[0] = static_cast<uint8_t>(w.lo + static_cast<int>(rng() % (w.hi - w.lo + 1)));
    }
  }
  return bytes;
}

// How the page shows each kind of number: with how many decimals, and whether it cuts the
// value toward zero instead of rounding it. Texts (times, the override) are shown as they are.
struct Shown {
  SettingCodec codec;
  int decimals;
  bool cut;
};
const Shown kShown[] = {
    {SettingCodec::kTemp, 1, false},       {SettingCodec::kTenths, 1, false},
    {SettingCodec::kTenthsWhole, 0, true}, {SettingCodec::kWord, 0, false},
    {SettingCodec::kHalfByte, 0, false},   {SettingCodec::kSignedByte, 0, false}};

std::vector<uint8_t> RecordOf(const sim::SimulatedNode& node, int record) {
  return record < 6 ? node.Bytes(39 + record) : node.Part(record - 5);
}

void SetRecord(sim::SimulatedNode& node, int record, const std::vector<uint8_t>& bytes) {
  record < 6 ? node.SetBytes(39 + record, bytes) : node.SetPart(record - 5, bytes);
}

// Puts `value` into the entry's bytes (for flags: its bits) of the node's record.
void SetValue(sim::SimulatedNode& node, const SettingField& e, const std::vector<uint8_t>& value) {
  std::vector<uint8_t> bytes = RecordOf(node, e.record);
  for (int i = 0; i < e.size; ++i) {
    uint8_t& b = bytes[static_cast<size_t>(e.byte + i)];
    b = static_cast<uint8_t>((b & ~e.mask) | (value[static_cast<size_t>(i)] & e.mask));
  }
  SetRecord(node, e.record, bytes);
}

// Every calendar day from 8:00 to 16:00 and byte 0 of the calendar parts 0, as the calendar
// pages write it.
void Prepare(sim::SimulatedNode& node) {
  for (int part : {9, 10, 11, 12}) {
    std::vector<uint8_t> bytes = node.Part(part);
    bytes[0] = 0;
    for (int word = 1; word <= 15; ++word) {
      bytes[static_cast<size_t>(2 * word - 1)] = 0x40;
      bytes[static_cast<size_t>(2 * word)] = 0x20;
    }
    node.SetPart(part, bytes);
  }
}

// What the page shows for the entry, in the dictionary's terms where it can: a flag's text for
// its control's state, the label of the override button that is on.
std::string PageText(NodeFixture& f, fw::CPropertyPage& page, const SettingField& e) {
  if (e.codec == SettingCodec::kFlag) {
    return std::string(f.driver->Checked(e.controlId) ? e.setText : e.offText);
  }
  if (e.codec == SettingCodec::kOverride) {
    for (const fw::ControlDef& c : page.Template().controls) {
      if (c.kind == fw::ControlKind::kRadioButton && f.driver->Checked(c.id)) return c.text;
    }
    return "(no button on)";
  }
  return f.driver->Text(e.controlId);
}

// Whether the page's text shows the dictionary's value, as the page shows such a number.
bool ShowsValue(const SettingField& e, const std::string& page, const std::string& dictionary) {
  for (const Shown& s : kShown) {
    if (s.codec != e.codec) continue;
    const double exact = std::atof(dictionary.c_str());
    const double shown = std::atof(page.c_str());
    if (s.cut) return shown == std::trunc(exact);
    return std::fabs(shown - exact) <= 0.5 * std::pow(10.0, -s.decimals) + 1e-9;
  }
  // The override: a word the page has no button for shows "Use manual rotary switch", which
  // the dictionary tells with the word after it.
  return dictionary.compare(0, page.size(), page) == 0;
}

class DictionaryAgainstPages : public ::testing::TestWithParam<size_t> {};

TEST_P(DictionaryAgainstPages, PageShowsTheValueAndWritesExactlyItsBytes) {
  const auto& [e, tab, circuit, pageClass] = SettingsDictionary()[GetParam()];
  NodeFixture f;
  Prepare(f.node);
  f.OpenSheet();
  fw::CPropertyPage& page = *f.sheet->AllPages().at(static_cast<size_t>(pageClass - 1));
  try {
    f.Show(page);
  } catch (const std::logic_error&) {  // BL2's antifrost page is in neither page set
    f.sheet->AddPage(&page);
    f.driver->SelectTab(f.sheet->GetPageIndex(&page));
  }
  ASSERT_EQ(page.Caption(), tab);

  std::mt19937 rng(static_cast<uint32_t>(GetParam()));
  for (int sample = 0; sample < 20; ++sample) {
    const std::vector<uint8_t> value = RandomValue(e, rng);
    SetValue(f.node, e, value);
    f.driver->Click(211);
    const std::vector<uint8_t> read = RecordOf(f.node, e.record);
    const std::string dictionary = ValueText(e, read.data());
    const std::string shown = PageText(f, page, e);
    ASSERT_TRUE(ShowsValue(e, shown, dictionary))
        << e.key << ": the page shows \"" << shown << "\", the dictionary \"" << dictionary << "\"";

    // The node's value changes behind the page; a Write puts back what the page shows, in the
    // entry's bytes and nowhere else.
    std::vector<std::vector<uint8_t>> expected;
    for (int r = 0; r < kFileRecords; ++r) expected.push_back(RecordOf(f.node, r));
    std::vector<uint8_t> other = value;
    for (uint8_t& b : other) b = static_cast<uint8_t>(~b);
    SetValue(f.node, e, other);
    if (pageClass == 27 || pageClass == 28) f.driver->Type(226, "Kobalt");  // PID password
    f.driver->Click(210);
    for (int r = 0; r < kFileRecords; ++r) {
      ASSERT_EQ(RecordOf(f.node, r), expected[static_cast<size_t>(r)])
          << e.key << " = " << dictionary << ": " << RecordName(r);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Entries, DictionaryAgainstPages,
                         ::testing::Range<size_t>(0, SettingsDictionary().size()),
                         testing_support::NamedBy([](size_t entry) {
                           return SettingsDictionary()[entry].field.key;
                         }));

}  // namespace
