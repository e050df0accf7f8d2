#include "settingsfile/value_lines.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> Bytes(const StrIntRecord& r) {
  return std::vector<uint8_t>(r.begin(), r.end());
}

TEST(ValueLines, WriterPrintsSignedByteThenUnsignedWords) {
  // Words are printed unsigned (0xFB50 is 64336, not -1200); value 0 is a signed byte.
  uint8_t record[31] = {};
  record[0] = 0xFE;
  record[1] = 0xFB;
  record[2] = 0x50;
  record[29] = 0xFF;
  record[30] = 0xFF;
  EXPECT_EQ(FormatStrIntLine(record),
            "-2, 64336, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 65535\n\n");

  const uint8_t count[2] = {0x00, 0xFF};
  EXPECT_EQ(FormatCountLine(count), "255\n\n");
  const uint8_t big[2] = {0xFF, 0xFE};
  EXPECT_EQ(FormatCountLine(big), "65534\n\n");

  const uint8_t time[4] = {4, 0x80, 0x7F, 0xFF};
  EXPECT_EQ(FormatTimePassedLine(time), "4, -128, 127, -1\n\n");

  // The widest 16-value line: 109 characters.
  uint8_t widest[31];
  for (uint8_t& b : widest) b = 0xFF;
  widest[0] = 0x80;
  const std::string line = FormatStrIntLine(widest);
  EXPECT_EQ(line.size(), 109u + 2u);
}

TEST(ValueLines, FieldOffsetTakesEveryCommaAsTwoCharactersAndStopsAtTheEnd) {
  EXPECT_EQ(FieldOffset("1, 22, 333", 0), 0u);
  EXPECT_EQ(FieldOffset("1, 22, 333", 1), 3u);
  EXPECT_EQ(FieldOffset("1, 22, 333", 2), 7u);
  // Without a space the comma still takes the next character with it: field 1 is "2".
  EXPECT_EQ(FieldOffset("1,22,333", 1), 3u);
  EXPECT_EQ(FieldOffset("1,22,333", 2), 6u);
  EXPECT_EQ(ParseStrIntByte("1,22,333", 2), 2);
  // No comma left: one character further each time, never past the end.
  EXPECT_EQ(FieldOffset("1, 22", 2), 4u);
  EXPECT_EQ(FieldOffset("1, 22", 15), 5u);
  EXPECT_EQ(FieldOffset("7,", 1), 2u);  // the comma is the last character
  EXPECT_EQ(FieldOffset("", 15), 0u);
}

TEST(ValueLines, ParsersFollowTheFieldRules) {
  // Empty fields are 0, like the factory settings' part 5.
  const StrIntRecord part5 =
      ParseStrIntRecord("0, 1800, 300, , , 1800, 300, , , 0, 0, 0, 0, 0, 0, 0");
  EXPECT_EQ(part5[1], 0x07);
  EXPECT_EQ(part5[2], 0x08);
  EXPECT_EQ(part5[5], 0);
  EXPECT_EQ(part5[6], 0);
  EXPECT_EQ(part5[9], 0x07);
  EXPECT_EQ(part5[10], 0x08);
  EXPECT_EQ(part5[11], 0x01);
  EXPECT_EQ(part5[12], 0x2C);

  // Negative and over-range words keep their low 16 bits; fractions are cut toward zero.
  const std::string line = "-1, -200, 65336, 70000, 1.9, -1.9, abc, 1e3, , , , , , , , 300";
  const StrIntRecord r = ParseStrIntRecord(line);
  EXPECT_EQ(r[0], 0xFF);
  EXPECT_EQ(r[1], 0xFF);
  EXPECT_EQ(r[2], 0x38);
  EXPECT_EQ(r[3], 0xFF);
  EXPECT_EQ(r[4], 0x38);
  EXPECT_EQ(r[5], 0x11);
  EXPECT_EQ(r[6], 0x70);
  EXPECT_EQ(r[8], 1);
  EXPECT_EQ(r[9], 0xFF);  // -1
  EXPECT_EQ(r[10], 0xFF);
  EXPECT_EQ(r[12], 0);  // no number
  EXPECT_EQ(r[13], 0x03);
  EXPECT_EQ(r[14], 0xE8);
  EXPECT_EQ(r[29], 0x01);  // the last field runs to the end of the line
  EXPECT_EQ(r[30], 0x2C);
  for (int i = 0; i < 31; ++i) EXPECT_EQ(ParseStrIntByte(line, i), r[static_cast<size_t>(i)]);
  EXPECT_EQ(ParseStrIntByte(line, 31), 0);
  EXPECT_EQ(ParseStrIntByte(line, -1), 0);

  // A middle field that no comma ends is empty, even when a number stands there.
  const StrIntRecord shortLine = ParseStrIntRecord("5, 6, 7");
  EXPECT_EQ(Bytes(shortLine)[0], 5);
  EXPECT_EQ(Bytes(shortLine)[2], 6);
  EXPECT_EQ(Bytes(shortLine)[4], 0);
  // No comma at all: field 0 is empty too.
  EXPECT_EQ(ParseStrIntByte("5", 0), 0);

  EXPECT_EQ(ParseCountByte("255", 0), 0x00);
  EXPECT_EQ(ParseCountByte("255", 1), 0xFF);
  EXPECT_EQ(ParseCountByte(" -200", 0), 0xFF);
  EXPECT_EQ(ParseCountByte(" -200", 7), 0x38);

  EXPECT_EQ(ParseTimePassedRecord("4, 0, 0, 0"), (TimePassedRecord{4, 0, 0, 0}));
  EXPECT_EQ(ParseTimePassedRecord("300, -1, -128, 127"), (TimePassedRecord{44, 0xFF, 0x80, 127}));
  EXPECT_EQ(ParseTimePassedByte("1, 2, 3, 4", 4), 0);
}

// The record with one bit flipped against a fill, formatted and parsed back.
template <class Record, class Format, class Parse>
void ExpectRoundTrip(int bit, uint8_t fill, Format format, Parse parse) {
  Record record;
  record.fill(fill);
  record[static_cast<size_t>(bit / 8)] ^= static_cast<uint8_t>(0x80 >> (bit % 8));
  std::string line = format(record.data());
  ASSERT_EQ(line.substr(line.size() - 2), "\n\n");
  line.resize(line.size() - 2);
  EXPECT_EQ(parse(line), record) << line;
}

TEST(ValueLines, EveryLineTheWriterMakesReadsBackToItsBytes) {
  // One set bit walked through every position, and its complement.
  for (int bit = 0; bit < 31 * 8; ++bit) {
    for (uint8_t fill : {uint8_t{0x00}, uint8_t{0xFF}}) {
      ExpectRoundTrip<StrIntRecord>(bit, fill, FormatStrIntLine, ParseStrIntRecord);
      if (bit < 32) {
        ExpectRoundTrip<TimePassedRecord>(bit, fill, FormatTimePassedLine, ParseTimePassedRecord);
      }
      if (bit < 16) ExpectRoundTrip<CountRecord>(bit, fill, FormatCountLine, ParseCountRecord);
    }
  }
}

}  // namespace
