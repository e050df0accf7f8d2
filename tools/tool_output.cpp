#include "tools/tool_output.h"

#include <cerrno>
#include <cstring>

#include "framework/file_identity.h"
#include "settingsfile/safe_file.h"

namespace {

constexpr int kExitFailed = 2;

void TellWriteError(int error, std::ostream& err) {
  err << "hd7_3settings: write error: standard output: "
      << (error != 0 ? std::strerror(error) : "not all of it was written") << "\n";
}

}  // namespace

bool OutputIsAnInput(const std::string& output, const std::vector<std::string>& inputs,
                     std::ostream& err) {
  for (const std::string& input : inputs) {
    if (!fw::SameFile(output, input)) continue;
    err << "hd7_3settings: the output " << output << " is the input " << input
        << ": nothing written\n";
    return true;
  }
  return false;
}

bool WriteOutputFile(const std::string& path, const std::string& text, std::ostream& err) {
  errno = 0;
  const FileWriteOutcome written = WriteFileSafely(path, text);
  const int error = errno;
  if (written == FileWriteOutcome::kWritten) return true;
  err << "hd7_3settings: "
      << (written == FileWriteOutcome::kWriteFailed ? "write error: " : "cannot write ") << path
      << (error != 0 ? ": " + std::string(std::strerror(error)) : std::string())
      << ": a file there is left as it was\n";
  return false;
}

bool StandardOutputWritten(std::ostream& out, std::ostream& err) {
  out.flush();
  if (out.good()) return true;
  const auto* stdio = dynamic_cast<const StdioOutput*>(out.rdbuf());
  TellWriteError(stdio != nullptr ? stdio->Error() : 0, err);
  return false;
}

void StdioOutput::Failed() {
  if (error_ == 0) error_ = errno != 0 ? errno : EIO;
}

StdioOutput::int_type StdioOutput::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  errno = 0;
  if (std::fputc(c, file_) == EOF) {
    Failed();
    return traits_type::eof();
  }
  return c;
}

std::streamsize StdioOutput::xsputn(const char* text, std::streamsize count) {
  errno = 0;
  const size_t written = std::fwrite(text, 1, static_cast<size_t>(count), file_);
  if (written != static_cast<size_t>(count)) Failed();
  return static_cast<std::streamsize>(written);
}

int StdioOutput::sync() {
  errno = 0;
  if (std::fflush(file_) == 0 && std::ferror(file_) == 0) return 0;
  Failed();
  return -1;
}

bool StdioOutput::Finish() {
  return sync() == 0 && error_ == 0;
}

int FinishStandardOutput(StdioOutput& output, int code, std::ostream& err) {
  const bool told = output.Error() != 0;  // RunSettingsTool said so already
  if (output.Finish() || told) return code;
  TellWriteError(output.Error(), err);
  return kExitFailed;
}
