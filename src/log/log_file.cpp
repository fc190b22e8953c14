#include "log/log_file.h"

#include <cerrno>
#include <filesystem>
#include <optional>

#include "display/file_errors.h"
#include "common/error.h"

namespace koralin {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(int errnoValue, bool reading) { throw FileError(errnoValue, reading); }

}  // namespace

void AppendToFile(const std::string& path, std::string_view text) {
  OpenFile file = OpenPlainFile(path, O_WRONLY | O_APPEND | O_CREAT);
  const std::size_t sizeBefore = file.Size();
  try {
    file.Write(text);
    file.Close();
  } catch (const RunTimeError&) {
    if (file.Fd() >= 0) file.Truncate(sizeBefore);
    throw;
  }
}

void DeleteFile(const std::string& path) {
  // Only plain files: a folder or a device node chosen by mistake stays.
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  if (fs::exists(st) && !fs::is_regular_file(st)) throw RunTimeError(err::kPathFileAccess);
  if (!fs::remove(path, ec) && ec) Fail(ec.value(), false);
}

LineReader::LineReader(const std::string& path) : file_(OpenPlainFile(path, O_RDONLY)) {}

int LineReader::Get() {
  if (at_ == end_) {
    at_ = 0;
    end_ = file_.Read(buf_, sizeof buf_);
    if (end_ == 0) return -1;
  }
  return static_cast<unsigned char>(buf_[at_++]);
}

bool LineReader::Next(std::string& line) {
  line.clear();
  bool any = false;
  for (int c = Get(); c >= 0; c = Get()) {
    any = true;
    if (c == '\n') return true;
    if (c == '\r') {
      // A CR LF is one line end: the LF is taken too.
      if (at_ == end_ && Get() >= 0) --at_;
      if (at_ < end_ && buf_[at_] == '\n') ++at_;
      return true;
    }
    if (line.size() < kMaxLine) line += static_cast<char>(c);
  }
  return any;
}

}  // namespace koralin
