// The two layers under every NodeSettings file: lines (LF or CR LF, any length, a read error
// kept apart from the end of the file) and the value lines' texts and bytes.
#include "settingsfile/value_lines.h"

#include <gtest/gtest.h>

#include "settingsfile/line_reader.h"
#include "tests/settingsfile/temp_folder.h"

using settingsfile_test::StrInt;

namespace {

using Lines = std::vector<std::string>;

Lines AllLines(LineReader& reader) {
  Lines lines;
  std::string line;
  while (reader.Next(line)) lines.push_back(line);
  return lines;
}

Lines TextLines(const std::string& text) {
  TextLineReader reader(text);
  return AllLines(reader);
}

// The file reader over a file that reads `goodBytes` bytes and then fails (all: no failure).
Lines FileLines(const std::string& text, size_t goodBytes = std::string::npos) {
  settingsfile_test::FailingSource source{text, goodBytes};
  std::FILE* file = settingsfile_test::OpenFailingFile(source);
  FileLineReader reader(file);
  Lines lines = AllLines(reader);
  EXPECT_EQ(reader.Failed(), goodBytes < text.size());
  std::string line = "left";
  EXPECT_FALSE(reader.Next(line));  // and stays at its end
  EXPECT_EQ(line, "");
  std::fclose(file);
  return lines;
}

TEST(LineReader, LineEndsLongLinesAndReadErrors) {
  const Lines expected = {"- a", "", "* b c", "1, 2"};
  EXPECT_EQ(TextLines("- a\n\n* b c\n1, 2\n"), expected);
  EXPECT_EQ(TextLines("- a\r\n\r\n* b c\r\n1, 2\r\n"), expected);
  EXPECT_EQ(FileLines("- a\r\n\n* b c\r\n1, 2"), expected);  // mixed, last line unended
  // Only a carriage return directly before the line feed is dropped.
  EXPECT_EQ(TextLines("a\rb\r\r\n\r"), (Lines{"a\rb\r", "\r"}));
  EXPECT_TRUE(TextLines("").empty());
  EXPECT_EQ(TextLines("\n"), Lines{""});

  // Far longer than the file reader's buffer and than the 99 and 114 characters of a line.
  const std::string longLine = "* " + std::string(10000, 'x') + " 1, 2";
  EXPECT_EQ(TextLines("a\n" + longLine + "\r\nb\n"), (Lines{"a", longLine, "b"}));
  EXPECT_EQ(FileLines("a\n" + longLine + "\r\nb\n"), (Lines{"a", longLine, "b"}));
  // Beyond what is kept, the rest of the line is read and dropped, never made a line.
  const std::string huge(LineReader::kMaxKept + 5000, '7');
  EXPECT_EQ(FileLines(huge + "\r\nnext\n"), (Lines{huge.substr(0, LineReader::kMaxKept), "next"}));

  // A read error in the middle of the value line, at a buffer's end, or at once: no line is
  // cut short.
  const std::string text = "- a\r\n* b\r\n12, 0, 0, 0\r\n";
  EXPECT_EQ(FileLines(text, 12), (Lines{"- a", "* b"}));
  EXPECT_EQ(FileLines(text, 10), (Lines{"- a", "* b"}));
  EXPECT_EQ(FileLines(text, 0), Lines{});
}

TEST(ValueLines, WriterPrintsSignedBytesAndUnsignedWords) {
  // Words are printed unsigned (0xFB50 is 64336, not -1200); value 0 is a signed byte.
  std::vector<uint8_t> record = StrInt({0xFE, 0xFB50});
  record[29] = record[30] = 0xFF;
  EXPECT_EQ(FormatStrIntLine(record.data()),
            "-2, 64336, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 65535\n\n");
  const uint8_t counts[2][2] = {{0x00, 0xFF}, {0xFF, 0xFE}};
  EXPECT_EQ(FormatCountLine(counts[0]), "255\n\n");
  EXPECT_EQ(FormatCountLine(counts[1]), "65534\n\n");
  const uint8_t time[4] = {4, 0x80, 0x7F, 0xFF};
  EXPECT_EQ(FormatTimePassedLine(time), "4, -128, 127, -1\n\n");
  // The widest 16-value line: 109 characters.
  std::vector<uint8_t> widest(31, 0xFF);
  widest[0] = 0x80;
  EXPECT_EQ(FormatStrIntLine(widest.data()).size(), 109u + 2u);
}

TEST(ValueLines, ParsersFollowTheFieldRules) {
  const std::pair<const char*, std::vector<int>> strInts[] = {
      // Empty fields are 0, like the factory settings' part 5.
      {"0, 1800, 300, , , 1800, 300, , , 0, 0, 0, 0, 0, 0, 0", {0, 1800, 300, 0, 0, 1800, 300}},
      // Negative and over-range words keep their low 16 bits; fractions are cut toward zero;
      // no number is 0; the last field runs to the end of the line.
      {"-1, -200, 65336, 70000, 1.9, -1.9, abc, 1e3, , , , , , , , 300",
       {255, 65336, 65336, 4464, 1, 65535, 0, 1000, 0, 0, 0, 0, 0, 0, 0, 300}},
      // A middle field that no comma ends is empty, even when a number stands there; a comma
      // takes the character after it along, space or not.
      {"5, 6, 7", {5, 6}},
      {"1,22,333", {1, 2}},
      {"5", {}},  // no comma at all: field 0 is empty too
      {"7,", {7}},
  };
  for (const auto& [line, values] : strInts) {
    const StrIntRecord record = ParseStrIntRecord(line);
    EXPECT_EQ(std::vector<uint8_t>(record.begin(), record.end()), StrInt(values)) << line;
    for (int i = -1; i <= 31; ++i) {
      EXPECT_EQ(ParseStrIntByte(line, i), i < 0 || i > 30 ? 0 : record[static_cast<size_t>(i)]);
    }
  }
  EXPECT_EQ(ParseCountRecord("255"), (CountRecord{0x00, 0xFF}));
  EXPECT_EQ(ParseCountRecord(" -200"), (CountRecord{0xFF, 0x38}));
  EXPECT_EQ(ParseCountByte(" -200", 7), 0x38);  // any byte but the first is the low one
  EXPECT_EQ(ParseTimePassedRecord("4, 0, 0, 0"), (TimePassedRecord{4, 0, 0, 0}));
  EXPECT_EQ(ParseTimePassedRecord("300, -1, -128, 127"), (TimePassedRecord{44, 0xFF, 0x80, 127}));
  EXPECT_EQ(ParseTimePassedByte("1, 2, 3, 4", 4), 0);
}

// Counts and time-passed records are short enough for the literal rows above.
TEST(ValueLines, EveryStrIntLineTheWriterMakesReadsBackToItsBytes) {
  // One set bit walked through every position, and its complement.
  for (int bit = 0; bit < 31 * 8; ++bit) {
    for (uint8_t fill : {uint8_t{0x00}, uint8_t{0xFF}}) {
      StrIntRecord record;
      record.fill(fill);
      record[static_cast<size_t>(bit / 8)] ^= static_cast<uint8_t>(0x80 >> (bit % 8));
      const std::string line = FormatStrIntLine(record.data());
      ASSERT_EQ(line.substr(line.size() - 2), "\n\n");
      EXPECT_EQ(ParseStrIntRecord(line.substr(0, line.size() - 2)), record) << line;
    }
  }
}

}  // namespace
