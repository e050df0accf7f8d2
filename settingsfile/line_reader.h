// Lines of a text file as the download reads them: a line feed ends a line and a carriage
// return directly before it is dropped, so files with either line end read alike. A line is
// always read whole, however long: its tail never turns into a line of its own.
#pragma once

#include <cstdio>
#include <string>
#include <utility>

class LineReader {
 public:
  // Characters kept of one line; the rest of a longer line is read and dropped. Far above any
  // line a NodeSettings file holds; it only bounds the memory a damaged file can take.
  static constexpr size_t kMaxKept = 64 * 1024;

  virtual ~LineReader() = default;
  // The next line without its line end; false at the end of the text. A last line without a
  // line end is a line; nothing after the last line end is not. After a read error there are
  // no more lines: the line the error cut short is not given.
  virtual bool Next(std::string& line);
  // Whether reading stopped at a read error rather than at the end of the text.
  virtual bool Failed() const { return false; }

 protected:
  // The next character, or EOF (at the end and after a read error).
  virtual int Get() = 0;
};

// Reads an open file (opened in binary mode).
class FileLineReader : public LineReader {
 public:
  explicit FileLineReader(std::FILE* file) : file_(file) {}
  bool Failed() const override { return failed_; }

 protected:
  int Get() override;

 private:
  std::FILE* file_;
  bool failed_ = false;
  char buffer_[4096];
  size_t size_ = 0;
  size_t next_ = 0;
};

// Reads text in memory (its own copy).
class TextLineReader : public LineReader {
 public:
  explicit TextLineReader(std::string text) : text_(std::move(text)) {}
  // The same lines as the character-by-character reading, a whole line at a time.
  bool Next(std::string& line) override;

 protected:
  int Get() override {
    return next_ < text_.size() ? static_cast<unsigned char>(text_[next_++]) : EOF;
  }

 private:
  std::string text_;
  size_t next_ = 0;
};
