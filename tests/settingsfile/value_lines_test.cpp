// The two layers under every NodeSettings file: lines (LF or CR LF, any length, a read error
// kept apart from the end of the file) and the value lines' texts and bytes.
#include "settingsfile/value_lines.h"

#include <gtest/gtest.h>

#include "settingsfile/line_reader.h"
#include "tests/settingsfile/temp_folder.h"

using settingsfile_test::StrInt;

namespace {

using Lines = std::vector<std::string>;

// The lines of `text` from memory and from a file that reads `goodBytes` bytes and then fails
// (npos: no failure); both readers must give the same lines.
Lines ReadLines(const std::string& text, size_t goodBytes = std::string::npos) {
  Lines fromText, fromFile;
  std::string line;
  if (goodBytes == std::string::npos) {
    TextLineReader reader(text);
    while (reader.Next(line)) fromText.push_back(line);
  }
  settingsfile_test::FailingSource source{text, goodBytes};
  std::FILE* file = settingsfile_test::OpenFailingFile(source);
  FileLineReader reader(file);
  while (reader.Next(line)) fromFile.push_back(line);
  EXPECT_EQ(reader.Failed(), goodBytes < text.size());
  EXPECT_FALSE(reader.Next(line));  // and stays at its end
  std::fclose(file);
  EXPECT_EQ(goodBytes == std::string::npos ? fromText : fromFile, fromFile) << text.substr(0, 40);
  return fromFile;
}

TEST(LineReader, LineEndsLongLinesAndReadErrors) {
  // Far longer than the file reader's buffer; beyond what is kept, the rest of the line is read
  // and dropped, never made a line.
  const std::string longLine = "* " + std::string(10000, 'x') + " 1, 2";
  const std::string huge(LineReader::kMaxKept + 5000, '7');
  const std::pair<std::string, Lines> kCases[] = {
      {"- a\n\n* b c\n1, 2\n", {"- a", "", "* b c", "1, 2"}},
      {"- a\r\n\n* b c\r\n1, 2", {"- a", "", "* b c", "1, 2"}},  // mixed, last line unended
      {"a\rb\r\r\n\r", {"a\rb\r", "\r"}},  // only a CR directly before the LF is dropped
      {"", {}},
      {"\n", {""}},
      {"a\n" + longLine + "\r\nb\n", {"a", longLine, "b"}},
      {huge + "\r\nnext\n", {huge.substr(0, LineReader::kMaxKept), "next"}},
  };
  for (const auto& [text, lines] : kCases) EXPECT_EQ(ReadLines(text), lines);

  // A read error in the middle of the value line, at a buffer's end, or at once: no line is
  // cut short.
  const std::string text = "- a\r\n* b\r\n12, 0, 0, 0\r\n";
  for (size_t goodBytes : {12, 10}) EXPECT_EQ(ReadLines(text, goodBytes), (Lines{"- a", "* b"}));
  EXPECT_EQ(ReadLines(text, 0), Lines{});
}

TEST(ValueLines, WriterPrintsSignedBytesAndUnsignedWords) {
  std::vector<uint8_t> record = StrInt({0xFE, 0xFB50});
  record[29] = record[30] = 0xFF;
  EXPECT_EQ(FormatStrIntLine(record.data()),
            "-2, 64336, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 65535\n\n");
  const uint8_t count[2] = {0xFF, 0xFE}, time[4] = {4, 0x80, 0x7F, 0xFF};
  EXPECT_EQ(FormatCountLine(count), "65534\n\n");
  EXPECT_EQ(FormatTimePassedLine(time), "4, -128, 127, -1\n\n");
}

TEST(ValueLines, ParsersFollowTheFieldRules) {
  const std::pair<const char*, std::vector<int>> strInts[] = {
      {"0, 1800, 300, , , 1800, 300, , , 0, 0, 0, 0, 0, 0, 0", {0, 1800, 300, 0, 0, 1800, 300}},
      // Negative and over-range words keep their low 16 bits; fractions are cut toward zero;
      // no number is 0; the last field runs to the end of the line.
      {"-1, -200, 65336, 70000, 1.9, -1.9, abc, 1e3, , , , , , , , 300",
       {255, 65336, 65336, 4464, 1, 65535, 0, 1000, 0, 0, 0, 0, 0, 0, 0, 300}},
      // A middle field that no comma ends is empty, even when a number stands there; a comma
      // takes the character after it along, space or not.
      {"5, 6, 7", {5, 6}},
      {"1,22,333", {1, 2}},
      {"5", {}},
      {"7,", {7}},
  };
  for (const auto& [line, values] : strInts) {
    const StrIntRecord record = ParseStrIntRecord(line);
    EXPECT_EQ(std::vector<uint8_t>(record.begin(), record.end()), StrInt(values)) << line;
  }
  EXPECT_EQ(ParseCountRecord(" -200"), (CountRecord{0xFF, 0x38}));
  EXPECT_EQ(ParseTimePassedRecord("300, -1, -128, 127"), (TimePassedRecord{44, 0xFF, 0x80, 127}));
}

// One set bit walked through every position of a record, and its complement.
TEST(ValueLines, EveryStrIntLineTheWriterMakesReadsBackToItsBytes) {
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
