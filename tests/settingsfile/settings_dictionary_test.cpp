#include "settingsfile/settings_dictionary.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>

#include "control/page_classes.h"
#include "tests/support/fixture.h"

using testing_support::BareSheet;
using testing_support::NodeFixture;

namespace {

// ------------------------------------------------------------------ the codecs, by example

struct CodecCase {
  SettingCodec codec;
  std::vector<uint8_t> bytes;
  const char* text;
};

TEST(SettingsDictionary, ValueTextsOfEachCodec) {
  const CodecCase cases[] = {
      {SettingCodec::kTemp, {0x27, 0x10}, "100.00"},
      {SettingCodec::kTemp, {0x27, 0x11}, "-555.35"},
      {SettingCodec::kTemp, {0xFD, 0xDA}, "-5.50"},
      {SettingCodec::kTemp, {0xFF, 0xFF}, "-0.01"},
      {SettingCodec::kTenthsWhole, {0x00, 0xEF}, "23.9"},
      {SettingCodec::kTenths, {0xFF, 0xFF}, "6553.5"},
      {SettingCodec::kWord, {0xFF, 0xFF}, "65535"},
      {SettingCodec::kHalfByte, {0xFF}, "127.5"},
      {SettingCodec::kSignedByte, {0xFF}, "-1"},
      {SettingCodec::kQuarterHours, {96}, "24:00"},
      {SettingCodec::kQuarterHours, {0xFF}, "16383:45"},
      {SettingCodec::kHoursMinutes, {6, 5}, "6:05"},
      {SettingCodec::kHoursMinutes, {0xFF, 0x2D}, "-1:45"},
      {SettingCodec::kOverride, {0x00, 0x06}, "Occupied"},
      {SettingCodec::kOverride, {0x00, 0xFF}, "Use manual rotary switch"},
      {SettingCodec::kOverride, {0x01, 0x01}, "Use manual rotary switch (257)"},
  };
  for (const CodecCase& c : cases) {
    SettingEntry e{"k",  "n",     "t", "BL1", 0, 0, 0, static_cast<int>(c.bytes.size()),
                   0xFF, c.codec, {},  {},    {}};
    EXPECT_EQ(ValueText(e, c.bytes.data()), c.text) << static_cast<int>(c.codec);
  }
  SettingEntry flag{"k", "n", "t", "", 0, 0, 0, 1, 0x10, SettingCodec::kFlag, {}, "set", "clear"};
  const uint8_t on = 0x10, off = 0xEF;
  EXPECT_EQ(ValueText(flag, &on), "set");
  EXPECT_EQ(ValueText(flag, &off), "clear");
}

// No two entries share a bit, and every entry lies within its record.
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
  EXPECT_EQ(SettingsDictionary().size(), 190u);
}

// ------------------------------------------------------------------ against the pages

// The field of each entry on its page, by control id as the dialogs give them. Flags name the
// check box, or the radio button that sets the bits.
std::map<std::string, int> FieldIds() {
  std::map<std::string, int> ids = {
      {"switch.override", 335},  // "Night": writes 2
      {"exercise.pump", 224},
      {"exercise.valve", 225},
      {"digital.running", 226},
      {"digital.waiting", 227},
      {"digital.calibration", 228},
      {"antifrost", 209},
      {"antifrost.start", 424},
      {"antifrost.stop", 422},
      {"antifrost.return", 426},
      {"curve.mode", 292},
      {"curve.points", 293},
      {"curve.night_offset", 265},
      {"constant.day", 266},
      {"constant.night", 267},
      {"night", 268},
      {"night.room", 269},
      {"night.room_setpoint", 270},
      {"pid.p", 213},
      {"pid.i", 217},
      {"pid.d", 221},
      {"valve.cascade", 246},
      {"valve.cascade_output", 280},
  };
  for (int point = 1; point <= 5; ++point) {
    ids["curve.point" + std::to_string(point) + ".outdoor"] = 311 + point;
    ids["curve.point" + std::to_string(point) + ".forward"] = 322 - point;
  }
  std::map<std::string, int> all;
  for (const auto& [key, id] : ids) {
    all["bl1." + key] = id;
    all["bl2." + key] = id;
  }
  const std::map<std::string, int> own = {
      {"bl1.valve.mv1.signal", 302},
      {"bl1.valve.mv1.invert", 303},
      {"bl1.valve.mv3.signal", 310},
      {"bl1.valve.mv3.invert", 311},
      {"bl2.valve.mv2.signal", 362},
      {"bl2.valve.mv2.invert", 367},
      {"bl2.valve.mv4.signal", 330},
      {"bl2.valve.mv4.invert", 368},
      {"bl1.sensor.bw1.offset", 207},
      {"bl1.sensor.bw2.offset", 208},
      {"bl1.low_forward.offset", 257},
      {"bl1.low_forward.time", 260},
      {"bl1.return.max", 259},
      {"bl1.return.ddb", 262},
      {"bl2.sensor.bw3.offset", 215},
      {"bl2.sensor.bw4.offset", 217},
      {"bl1.summer_stop", 272},
      {"bl1.summer_stop.temperature", 273},
      {"bl1.summer_stop.pump_time", 274},
      {"bl2.winter_stop", 201},
      {"bl2.winter_stop.temperature", 273},
      {"bl2.winter_stop.pump_time", 274},
      {"bl2.dewpoint.advance", 218},
      {"bl2.dewpoint.regulator_offset", 242},
      {"bl2.dewpoint.close_offset", 244},
      {"outdoor.offset", 213},
      {"pressure.sensor", 224},
      {"pressure.min", 215},
      {"pressure.max", 216},
      {"pressure.offset", 218},
      {"pressure.bl1.setpoint", 213},
      {"pressure.bl2.setpoint", 212},
      {"pressure.bl1.monitor", 207},
      {"pressure.bl1.stop_pump", 246},
      {"pressure.bl2.monitor", 209},
      {"pressure.bl2.stop_pump", 248},
  };
  all.insert(own.begin(), own.end());
  all.erase("bl1.winter_stop");
  // Calendars: start and stop field of each word, from Sunday's word 1 to the holiday's 15.
  const int week[15][2] = {{240, 241}, {242, 243}, {208, 209}, {218, 219}, {220, 221},
                           {222, 223}, {224, 225}, {226, 227}, {228, 229}, {230, 231},
                           {232, 233}, {234, 235}, {236, 237}, {238, 239}, {244, 245}};
  const int pir[7][2] = {{392, 393}, {381, 380}, {382, 383}, {384, 385},
                         {386, 387}, {388, 389}, {390, 391}};
  const char* days[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
  for (const char* c : {"bl1", "bl2"}) {
    for (int day = 0; day < 7; ++day) {
      for (int calendar = 1; calendar <= 2; ++calendar) {
        const int* f = week[2 * day + calendar - 1];
        const std::string key =
            std::string(c) + ".week" + std::to_string(calendar) + "." + days[day];
        all[key + ".start"] = f[0];
        all[key + ".stop"] = f[1];
      }
      all[std::string(c) + ".pir." + days[day] + ".start"] = pir[day][0];
      all[std::string(c) + ".pir." + days[day] + ".stop"] = pir[day][1];
    }
    all[std::string(c) + ".holiday.start"] = week[14][0];
    all[std::string(c) + ".holiday.stop"] = week[14][1];
  }
  return all;
}

// What the engineer types for each kind of value, the bytes the page must store, the text the
// page must show after reading them back and the text the dictionary must make of them.
struct Typed {
  const char* text;
  std::vector<uint8_t> bytes;
  const char* shown;
  const char* dictionary;
};

Typed TypedFor(const SettingEntry& e) {
  switch (e.codec) {
    case SettingCodec::kTemp:
      return {"-12.3", {0xFB, 0x32}, "-12.3", "-12.30"};
    case SettingCodec::kTenthsWhole:
      return {"300.5", {0x0B, 0xBD}, "300", "300.5"};
    case SettingCodec::kTenths:
      return {"30.1", {0x01, 0x2D}, "30.1", "30.1"};
    case SettingCodec::kWord:
      return {"300", {0x01, 0x2C}, "300", "300"};
    case SettingCodec::kHalfByte:
      return {"25", {0x32}, "25", "25.0"};
    case SettingCodec::kSignedByte:
      return {"4", {0x04}, "4", "4"};
    case SettingCodec::kHoursMinutes:
      return {"6:05", {0x06, 0x05}, "6:05", "6:05"};
    case SettingCodec::kQuarterHours:
      // Within the 8:00 to 16:00 every calendar word starts with, so the page's checks pass.
      return e.key.size() > 6 && e.key.compare(e.key.size() - 6, 6, ".start") == 0
                 ? Typed{"9:15", {0x25}, "9:15", "9:15"}
                 : Typed{"17:45", {0x47}, "17:45", "17:45"};
    case SettingCodec::kOverride:
      return {nullptr, {0x00, 0x02}, nullptr, "Night"};
    case SettingCodec::kFlag:
      return {nullptr, {}, nullptr, nullptr};
  }
  return {};
}

std::unique_ptr<fw::CPropertyPage> MakePage(int n) {
  switch (n) {
    // clang-format off
    case 5: return std::make_unique<CPage5PropPage>();
    case 6: return std::make_unique<CPage6PropPage>();
    case 7: return std::make_unique<CPage7PropPage>();
    case 8: return std::make_unique<CPage8PropPage>();
    case 9: return std::make_unique<CPage9PropPage>();
    case 10: return std::make_unique<CPage10PropPage>();
    case 11: return std::make_unique<CPage11PropPage>();
    case 12: return std::make_unique<CPage12PropPage>();
    case 17: return std::make_unique<CPage17PropPage>();
    case 18: return std::make_unique<CPage18PropPage>();
    case 19: return std::make_unique<CPage19PropPage>();
    case 20: return std::make_unique<CPage20PropPage>();
    case 21: return std::make_unique<CPage21PropPage>();
    case 22: return std::make_unique<CPage22PropPage>();
    case 23: return std::make_unique<CPage23PropPage>();
    case 24: return std::make_unique<CPage24PropPage>();
    case 25: return std::make_unique<CPage25PropPage>();
    case 26: return std::make_unique<CPage26PropPage>();
    case 27: return std::make_unique<CPage27PropPage>();
    case 28: return std::make_unique<CPage28PropPage>();
    case 29: return std::make_unique<CPage29PropPage>();
    case 30: return std::make_unique<CPage30PropPage>();
    case 31: return std::make_unique<CPage31PropPage>();
    // clang-format on
    default:
      return nullptr;
  }
}

std::vector<uint8_t> RecordOf(const sim::SimulatedNode& node, int record) {
  return record < 6 ? node.Bytes(39 + record) : node.Part(record - 5);
}

void SetRecordByte(sim::SimulatedNode& node, int record, int byte, uint8_t value) {
  std::vector<uint8_t> bytes = RecordOf(node, record);
  bytes[static_cast<size_t>(byte)] = value;
  if (record < 6) {
    node.SetBytes(39 + record, bytes);
  } else {
    node.SetPart(record - 5, bytes);
  }
}

// The node every entry starts from: the factory settings with every circuit function on, so
// that the fields that depend on them can be typed in (night lowering, antifrost of both
// circuits, analog pressure sensor, cascade of both circuits), curves of five points, calendar
// words of 8:00 to 16:00, and pump stop times that a page shows without losing tenths.
void Baseline(sim::SimulatedNode& node) {
  SetRecordByte(node, RecordOfPart(1), 2, 0x1F);
  SetRecordByte(node, RecordOfPart(1), 4, 0x08);
  SetRecordByte(node, RecordOfPart(1), 6, 0x1F);
  SetRecordByte(node, RecordOfPart(1), 10, 0x02);
  SetRecordByte(node, RecordOfPart(1), 12, 0x05);
  SetRecordByte(node, kRecordTemp1, 0, 5);
  SetRecordByte(node, kRecordTemp2, 0, 5);
  SetRecordByte(node, RecordOfPart(3), 4, 50);
  SetRecordByte(node, RecordOfPart(3), 12, 50);
  for (int part : {9, 10, 11, 12}) {
    for (int word = 1; word <= 15; ++word) {
      SetRecordByte(node, RecordOfPart(part), 2 * word - 1, 0x40);
      SetRecordByte(node, RecordOfPart(part), 2 * word, 0x20);
    }
  }
}

// The entry's own bytes before the change: clear bits, 0, two curve points; calendar times keep
// the baseline's.
void Before(sim::SimulatedNode& node, const SettingEntry& e) {
  if (e.codec == SettingCodec::kQuarterHours) return;
  for (int i = 0; i < e.size; ++i) {
    const uint8_t old = RecordOf(node, e.record)[static_cast<size_t>(e.byte + i)];
    SetRecordByte(node, e.record, e.byte + i, static_cast<uint8_t>(old & ~e.mask));
  }
  if (e.codec == SettingCodec::kSignedByte) SetRecordByte(node, e.record, e.byte, 2);
  // The constant temperatures can be typed only while the curve mode is off.
  if (e.key.find(".constant.") != std::string::npos) {
    const int flagByte = e.circuit == "BL1" ? 2 : 6;
    SetRecordByte(node, RecordOfPart(1), flagByte, 0x0F);
  }
}

class DictionaryAgainstPages : public ::testing::TestWithParam<size_t> {};

TEST(SettingsDictionary, EveryEntryHasItsFieldInThePagesTable) {
  const std::map<std::string, int> ids = FieldIds();
  std::set<std::string> keys;
  for (const SettingEntry& e : SettingsDictionary()) {
    keys.insert(e.key);
    EXPECT_EQ(ids.count(e.key), 1u) << e.key;
  }
  for (const auto& [key, id] : ids) EXPECT_EQ(keys.count(key), 1u) << key;
}

// Changing the entry's one field on its page and pressing Write changes exactly the entry's
// bytes (bits for flags), to what the typed value is; a Read then shows it on the page, and the
// dictionary reads the same value from the bytes.
// Fields the page changes along with the one clicked: switching night lowering off also clears
// "Start/stop after room temp" (mask 0x02 of the same byte), as the engineer sees it happen.
uint8_t LinkedMask(const std::string& key) {
  return key == "bl1.night" || key == "bl2.night" ? 0x02 : 0x00;
}

TEST_P(DictionaryAgainstPages, WriteChangesExactlyTheEntrysBytes) {
  const SettingEntry& e = SettingsDictionary()[GetParam()];
  std::unique_ptr<fw::CPropertyPage> page = MakePage(e.pageClass);
  ASSERT_NE(page, nullptr) << e.key;
  if (dynamic_cast<CPlainPropertyPage*>(page.get()) != nullptr) {
    GTEST_SKIP() << "CPage" << e.pageClass << "PropPage (" << e.tab
                 << ") is not built on this branch yet";
  }
  const int id = FieldIds().at(e.key);
  const Typed typed = TypedFor(e);

  NodeFixture f;
  Baseline(f.node);
  Before(f.node, e);
  BareSheet sheet(f.node);
  sheet.AddPage(page.get());
  fw::headless::SheetDriver driver(sheet, f.platform);
  driver.Open();

  std::vector<std::vector<uint8_t>> before;
  for (int r = 0; r < kFileRecords; ++r) before.push_back(RecordOf(f.node, r));

  ASSERT_TRUE(driver.Enabled(id)) << e.key << ": field " << id << " is disabled";
  if (typed.text != nullptr) {
    driver.Type(id, typed.text);
  } else {
    ASSERT_TRUE(driver.Click(id)) << e.key;
  }
  if (e.pageClass == 27 || e.pageClass == 28) driver.Type(226, "Kobalt");  // PID password
  driver.Click(210);

  for (int r = 0; r < kFileRecords; ++r) {
    const std::vector<uint8_t> after = RecordOf(f.node, r);
    for (size_t i = 0; i < after.size(); ++i) {
      const bool own =
          r == e.record && static_cast<int>(i) >= e.byte && static_cast<int>(i) < e.byte + e.size;
      const uint8_t changed = after[i] ^ before[static_cast<size_t>(r)][i];
      EXPECT_EQ(changed & (own ? static_cast<uint8_t>(~(e.mask | LinkedMask(e.key))) : 0xFF), 0)
          << e.key << ": " << RecordName(r) << " byte " << i << " changed as well";
    }
  }
  const std::vector<uint8_t> record = RecordOf(f.node, e.record);
  if (e.codec == SettingCodec::kFlag) {
    EXPECT_EQ(record[static_cast<size_t>(e.byte)] & e.mask, e.mask) << e.key;
    EXPECT_EQ(ValueText(e, record.data()), e.setText) << e.key;
  } else {
    const std::vector<uint8_t> stored(record.begin() + e.byte, record.begin() + e.byte + e.size);
    EXPECT_EQ(stored, typed.bytes) << e.key;
    EXPECT_EQ(ValueText(e, record.data()), typed.dictionary) << e.key;
  }

  driver.Click(211);
  if (typed.shown != nullptr) {
    EXPECT_EQ(driver.Text(id), typed.shown) << e.key;
  } else {
    EXPECT_TRUE(driver.Checked(id)) << e.key;
  }
}

INSTANTIATE_TEST_SUITE_P(Entries, DictionaryAgainstPages,
                         ::testing::Range<size_t>(0, SettingsDictionary().size()),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                           std::string name = SettingsDictionary()[info.param].key;
                           for (char& c : name) {
                             if (c == '.') c = '_';
                           }
                           return name;
                         });

}  // namespace
