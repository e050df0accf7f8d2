// Where hd7_3settings writes: an output file is never one of the files it reads, and a write
// that did not reach standard output is a failure, not a success.
#pragma once

#include <cstdio>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

// Whether `output` is the same file as one of `inputs`, by the file's identity (another
// spelling, a link or, on Windows, another case is the same file). Says so on `err`. An output
// that is not there yet is never an input.
bool OutputIsAnInput(const std::string& output, const std::vector<std::string>& inputs,
                     std::ostream& err);

// Writes `text` to the file at `path` whole or not at all; false, with the reason on `err`,
// when it could not (a file there is left as it was).
bool WriteOutputFile(const std::string& path, const std::string& text, std::ostream& err);

// Flushes `out` and tells whether everything written to it arrived; if not, says "write error"
// with the reason on `err`.
bool StandardOutputWritten(std::ostream& out, std::ostream& err);

// Standard output through the C runtime, keeping the reason (errno) of the first write that
// failed, so that the message can name it ("No space left on device").
class StdioOutput : public std::streambuf {
 public:
  explicit StdioOutput(std::FILE* file) : file_(file) {}
  int Error() const { return error_; }
  // Flushes the file: false (with Error() set) when something written did not arrive. The
  // file stays open: the runtime flushes its standard streams once more at exit.
  bool Finish();

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;
  int sync() override;

 private:
  void Failed();  // keeps errno as the reason, unless one is kept already
  std::FILE* file_;
  int error_ = 0;
};

// The program's end: standard output flushed; the exit code `code`, or 2 with "write error" on
// `err` when that fails and no write error was told yet.
int FinishStandardOutput(StdioOutput& output, int code, std::ostream& err);
