#include "settingsfile/line_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/settingsfile/failing_file.h"
#include "tests/settingsfile/temp_folder.h"

namespace {

std::vector<std::string> AllLines(LineReader& reader) {
  std::vector<std::string> lines;
  std::string line;
  while (reader.Next(line)) lines.push_back(line);
  return lines;
}

std::vector<std::string> TextLines(const std::string& text) {
  TextLineReader reader(text);
  return AllLines(reader);
}

std::vector<std::string> FileLines(const std::string& text) {
  settingsfile_test::TempFolder folder;
  const std::string path = folder.Write("lines.txt", text);
  std::FILE* file = std::fopen(path.c_str(), "rb");
  EXPECT_NE(file, nullptr);
  if (file == nullptr) return {};
  FileLineReader reader(file);
  std::vector<std::string> lines = AllLines(reader);
  std::fclose(file);
  return lines;
}

TEST(LineReader, LineFeedOrCarriageReturnLineFeedEndALine) {
  const std::vector<std::string> expected = {"- a", "", "* b c", "1, 2"};
  EXPECT_EQ(TextLines("- a\n\n* b c\n1, 2\n"), expected);
  EXPECT_EQ(TextLines("- a\r\n\r\n* b c\r\n1, 2\r\n"), expected);
  EXPECT_EQ(FileLines("- a\r\n\n* b c\r\n1, 2"), expected);  // mixed, last line unended
  // Only a carriage return directly before the line feed is dropped.
  EXPECT_EQ(TextLines("a\rb\r\r\n\r"), (std::vector<std::string>{"a\rb\r", "\r"}));
  EXPECT_TRUE(TextLines("").empty());
  EXPECT_EQ(TextLines("\n"), (std::vector<std::string>{""}));
}

TEST(LineReader, LongLinesStayOneLine) {
  // Far longer than the file reader's buffer and than the 99 and 114 characters of a line.
  const std::string longLine = "* " + std::string(10000, 'x') + " 1, 2";
  const std::vector<std::string> expected = {"a", longLine, "b"};
  EXPECT_EQ(TextLines("a\n" + longLine + "\r\nb\n"), expected);
  EXPECT_EQ(FileLines("a\n" + longLine + "\r\nb\n"), expected);

  // Beyond what is kept, the rest of the line is read and dropped, never made a line.
  const std::string huge(LineReader::kMaxKept + 5000, '7');
  const std::vector<std::string> cut = FileLines(huge + "\r\nnext\n");
  ASSERT_EQ(cut.size(), 2u);
  EXPECT_EQ(cut[0], huge.substr(0, LineReader::kMaxKept));
  EXPECT_EQ(cut[1], "next");
}

TEST(LineReader, AReadErrorIsNoEndOfFileAndCutsNoLineShort) {
  using settingsfile_test::FailingSource;
  const std::string text = "- a\r\n* b\r\n12, 0, 0, 0\r\n";
  // The error comes in the middle of the value line, at a buffer's end, or not at all.
  const std::vector<std::pair<size_t, std::vector<std::string>>> cases = {
      {12, {"- a", "* b"}},
      {10, {"- a", "* b"}},
      {0, {}},
      {text.size(), {"- a", "* b", "12, 0, 0, 0"}},
  };
  for (const auto& [goodBytes, lines] : cases) {
    FailingSource source{text, goodBytes};
    std::FILE* file = settingsfile_test::OpenFailingFile(source);
    ASSERT_NE(file, nullptr);
    FileLineReader reader(file);
    EXPECT_EQ(AllLines(reader), lines) << goodBytes;
    EXPECT_EQ(reader.Failed(), goodBytes < text.size()) << goodBytes;
    std::string line = "left";
    EXPECT_FALSE(reader.Next(line));  // and stays at its end
    EXPECT_EQ(line, "");
    std::fclose(file);
  }
}

}  // namespace
