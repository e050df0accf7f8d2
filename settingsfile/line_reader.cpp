#include "settingsfile/line_reader.h"

#include <algorithm>

bool LineReader::Next(std::string& line) {
  line.clear();
  bool any = false;
  bool cut = false;
  for (int c = Get(); c != EOF; c = Get()) {
    any = true;
    if (c == '\n') {
      if (!cut && !line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
    if (line.size() < kMaxKept) {
      line.push_back(static_cast<char>(c));
    } else {
      cut = true;
    }
  }
  if (Failed()) {
    line.clear();
    return false;
  }
  return any;
}

int FileLineReader::Get() {
  if (next_ == size_) {
    if (failed_) return EOF;
    size_ = std::fread(buffer_, 1, sizeof buffer_, file_);
    next_ = 0;
    // A read error is not the end of the file: it is kept, and nothing after it is read.
    if (std::ferror(file_)) failed_ = true;
    if (size_ == 0) return EOF;
  }
  return static_cast<unsigned char>(buffer_[next_++]);
}

bool TextLineReader::Next(std::string& line) {
  line.clear();
  if (next_ >= text_.size()) return false;
  const size_t end = text_.find('\n', next_);
  const size_t length = (end == std::string::npos ? text_.size() : end) - next_;
  line.assign(text_, next_, std::min(length, kMaxKept));
  next_ = end == std::string::npos ? text_.size() : end + 1;
  // A CR directly before the LF is dropped, unless the line was cut before it.
  if (end != std::string::npos && length <= kMaxKept && !line.empty() && line.back() == '\r') {
    line.pop_back();
  }
  return true;
}
