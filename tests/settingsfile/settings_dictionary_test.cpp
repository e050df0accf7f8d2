// The settings dictionary against the pages that write its settings: each entry's field, typed
// into and written, changes exactly the entry's bytes, and the dictionary reads the value back.
#include "settingsfile/settings_dictionary.h"

#include <gtest/gtest.h>

#include <map>
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
    const SettingEntry e{"k", "n", "t", "BL1", 0, 0, 0, size, mask, codec, {}, "set", "clear"};
    EXPECT_EQ(ValueText(e, bytes.data()), text) << static_cast<int>(codec);
  }
  const SettingEntry e{"k", "n", "t", "BL1", 0, 0, 0, 2, 0xFF, C::kHoursMinutes, {}, {}, {}};
  for (int m = 0; m < 256; ++m) {
    const uint8_t bytes[] = {6, static_cast<uint8_t>(m)};
    EXPECT_EQ(ValueText(e, bytes), CalibrationTimeText(6, bytes[1])) << m;
  }
}

// No two entries share a bit or a key, and every entry lies within its record.
TEST(SettingsDictionary, EntriesNeitherOverlapNorLeaveTheirRecord) {
  std::map<std::pair<int, int>, uint8_t> used;
  std::set<std::string> keys;
  for (const SettingEntry& e : SettingsDictionary()) {
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

// The field some entries must find, by control id as the dialogs give them: one or two of each
// run of look-alike entries (days, curve points, P I D, valves, circuits), so that two entries
// whose bytes are swapped show up even where each finds a field of its own kind.
const std::map<std::string, int> kSampleIds = {
    {"bl1.week1.wed.stop", 225},       {"bl2.week2.sat.stop", 239},
    {"bl2.holiday.start", 244},        {"bl1.pir.mon.stop", 380},
    {"bl2.curve.point5.forward", 317}, {"bl2.pid.i", 217},
    {"bl2.valve.mv4.signal", 330},     {"pressure.bl2.stop_pump", 248},
    {"bl1.sensor.bw2.offset", 208},    {"bl1.digital.running", 226}};

// What the engineer types for each kind of value, the bytes the page must store, the text the
// page must show after reading them back and the text the dictionary must make of them.
struct Typed {
  const char* text;
  std::vector<uint8_t> bytes;
  const char* shown;
  const char* dictionary;
};

Typed TypedFor(const SettingEntry& e) {
  const bool start = e.key.size() > 6 && e.key.compare(e.key.size() - 6, 6, ".start") == 0;
  // Calendar times stay within the 8:00 to 16:00 every word starts with: the page's checks pass.
  const std::map<SettingCodec, Typed> typed = {
      {SettingCodec::kTemp, {"-12.3", {0xFB, 0x32}, "-12.3", "-12.30"}},
      {SettingCodec::kTenthsWhole, {"300.5", {0x0B, 0xBD}, "300", "300.5"}},
      {SettingCodec::kTenths, {"30.1", {0x01, 0x2D}, "30.1", "30.1"}},
      {SettingCodec::kWord, {"300", {0x01, 0x2C}, "300", "300"}},
      {SettingCodec::kHalfByte, {"25", {0x32}, "25", "25.0"}},
      {SettingCodec::kSignedByte, {"4", {0x04}, "4", "4"}},
      {SettingCodec::kHoursMinutes, {"6:05", {0x06, 0x05}, "6:05", "6:05"}},
      {SettingCodec::kQuarterHours,
       start ? Typed{"9:15", {0x25}, "9:15", "9:15"} : Typed{"17:45", {0x47}, "17:45", "17:45"}},
      {SettingCodec::kOverride, {nullptr, {0x00, 0x02}, nullptr, "Night"}},
      {SettingCodec::kFlag, {nullptr, {}, nullptr, nullptr}}};
  return typed.at(e.codec);
}

std::vector<uint8_t> RecordOf(const sim::SimulatedNode& node, int record) {
  return record < 6 ? node.Bytes(39 + record) : node.Part(record - 5);
}

void SetRecord(sim::SimulatedNode& node, int record, const std::vector<uint8_t>& bytes) {
  record < 6 ? node.SetBytes(39 + record, bytes) : node.SetPart(record - 5, bytes);
}

void SetRecordByte(sim::SimulatedNode& node, int record, int byte, uint8_t value) {
  std::vector<uint8_t> bytes = RecordOf(node, record);
  bytes[static_cast<size_t>(byte)] = value;
  SetRecord(node, record, bytes);
}

// The factory settings with every circuit function on (so dependent fields can be typed), curves
// of five points, calendar words of 8:00 to 16:00, pump stop times shown without losing tenths;
// then the entry's own bytes cleared (calendar times keep 8:00 to 16:00). Night lowering starts
// off with "Start/stop after room temp" (0x02) off, as the page shows it then.
void Prepare(sim::SimulatedNode& node, const SettingEntry& e) {
  const std::tuple<int, int, uint8_t> baseline[] = {
      {RecordOfPart(1), 2, 0x1F},  {RecordOfPart(1), 4, 0x08},  {RecordOfPart(1), 6, 0x1F},
      {RecordOfPart(1), 10, 0x02}, {RecordOfPart(1), 12, 0x05}, {kRecordTemp1, 0, 5},
      {kRecordTemp2, 0, 5},        {RecordOfPart(3), 4, 50},    {RecordOfPart(3), 12, 50}};
  for (const auto& [record, byte, value] : baseline) SetRecordByte(node, record, byte, value);
  for (int part : {9, 10, 11, 12}) {
    for (int word = 1; word <= 15; ++word) {
      SetRecordByte(node, RecordOfPart(part), 2 * word - 1, 0x40);
      SetRecordByte(node, RecordOfPart(part), 2 * word, 0x20);
    }
  }
  if (e.codec == SettingCodec::kQuarterHours) return;
  for (int i = 0; i < e.size; ++i) {
    const uint8_t old = RecordOf(node, e.record)[static_cast<size_t>(e.byte + i)];
    const uint8_t room = e.key == "bl1.night" || e.key == "bl2.night" ? 0x02 : 0x00;
    SetRecordByte(node, e.record, e.byte + i, static_cast<uint8_t>(old & ~(e.mask | room)));
  }
  if (e.codec == SettingCodec::kSignedByte) SetRecordByte(node, e.record, e.byte, 2);
  // The constant temperatures can be typed only while the curve mode is off.
  if (e.key.find(".constant.") != std::string::npos) {
    SetRecordByte(node, RecordOfPart(1), e.circuit == "BL1" ? 2 : 6, 0x0F);
  }
}

// The page's fields as shown: the edit fields' texts, "checked" for check boxes and radio buttons.
std::map<int, std::string> Fields(NodeFixture& f, fw::CPropertyPage& page) {
  std::map<int, std::string> shown;
  for (const fw::ControlDef& c : page.Template().controls) {
    if (c.kind == fw::ControlKind::kEdit) shown[c.id] = f.driver->Text(c.id);
    if (c.kind == fw::ControlKind::kCheckBox || c.kind == fw::ControlKind::kRadioButton) {
      shown[c.id] = f.driver->Checked(c.id) ? "checked" : "";
    }
  }
  return shown;
}

class DictionaryAgainstPages : public ::testing::TestWithParam<size_t> {};

// Typing the entry's value into its one field and pressing Write changes exactly the entry's
// bytes (bits for flags), to what a Read of them shows on the page; the dictionary reads the
// same value from them.
TEST_P(DictionaryAgainstPages, WriteChangesExactlyTheEntrysBytes) {
  const SettingEntry& e = SettingsDictionary()[GetParam()];
  const Typed typed = TypedFor(e);
  NodeFixture f;
  Prepare(f.node, e);
  f.OpenSheet();
  fw::CPropertyPage& page = *f.sheet->AllPages().at(static_cast<size_t>(e.pageClass - 1));
  try {
    f.Show(page);
  } catch (const std::logic_error&) {  // BL2's antifrost page is in neither page set
    f.sheet->AddPage(&page);
    f.driver->SelectTab(f.sheet->GetPageIndex(&page));
  }
  ASSERT_EQ(page.Caption(), e.tab);

  // The entry's field is the one that a Read of the typed bytes changes (for flags: the check
  // box or radio button it checks), found rather than listed.
  const std::vector<uint8_t> prepared = RecordOf(f.node, e.record);
  std::vector<uint8_t> wanted = prepared;
  for (int i = 0; i < e.size; ++i) {
    uint8_t& byte = wanted[static_cast<size_t>(e.byte + i)];
    byte = e.codec == SettingCodec::kFlag ? byte | e.mask : typed.bytes[static_cast<size_t>(i)];
  }
  const std::map<int, std::string> shownBefore = Fields(f, page);
  SetRecord(f.node, e.record, wanted);
  f.driver->Click(211);
  std::vector<int> changed;
  for (const auto& [field, text] : Fields(f, page)) {
    if (text != shownBefore.at(field) && text != "") changed.push_back(field);
  }
  ASSERT_EQ(changed.size(), 1u) << e.key << ": the fields a Read of its bytes changes";
  const int id = changed[0];
  EXPECT_EQ(id, kSampleIds.count(e.key) != 0 ? kSampleIds.at(e.key) : id) << e.key;
  const std::string shown = f.driver->Text(id);
  EXPECT_EQ(shown, typed.shown != nullptr ? typed.shown : shown) << e.key;  // flags show nothing
  SetRecord(f.node, e.record, prepared);
  f.driver->Click(211);

  std::vector<std::vector<uint8_t>> expected;
  for (int r = 0; r < kFileRecords; ++r) {
    expected.push_back(r == e.record ? wanted : RecordOf(f.node, r));
  }
  ASSERT_TRUE(f.driver->Enabled(id)) << e.key << ": field " << id << " is disabled";
  ASSERT_TRUE(typed.text ? (f.driver->Type(id, typed.text), true) : f.driver->Click(id)) << e.key;
  if (e.pageClass == 27 || e.pageClass == 28) f.driver->Type(226, "Kobalt");  // PID password
  f.driver->Click(210);
  for (int r = 0; r < kFileRecords; ++r) {
    EXPECT_EQ(RecordOf(f.node, r), expected[static_cast<size_t>(r)])
        << e.key << ": " << RecordName(r);
  }
  EXPECT_EQ(ValueText(e, wanted.data()), typed.dictionary ? typed.dictionary : e.setText) << e.key;
}

INSTANTIATE_TEST_SUITE_P(Entries, DictionaryAgainstPages,
                         ::testing::Range<size_t>(0, SettingsDictionary().size()),
                         testing_support::NamedBy([](size_t entry) {
                           return SettingsDictionary()[entry].key;
                         }));

}  // namespace
