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

std::optional<std::uintmax_t> RegularFileSize(const std::string& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec) return std::nullopt;
  return size;
}

}  // namespace

void AppendToFile(const std::string& path, std::string_view text) {
  const auto sizeBefore = RegularFileSize(path);
  errno = 0;
  std::ofstream out(path, std::ios::binary | std::ios::app);
  if (!out.is_open()) Fail(errno, false);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out.fail()) return;
  const int e = errno;
  std::error_code ec;
  if (sizeBefore) fs::resize_file(path, *sizeBefore, ec);
  Fail(e, false);
}

void DeleteFile(const std::string& path) {
  // Only plain files: a folder or a device node chosen by mistake stays.
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  if (fs::exists(st) && !fs::is_regular_file(st)) throw RunTimeError(err::kPathFileAccess);
  if (!fs::remove(path, ec) && ec) Fail(ec.value(), false);
}

LineReader::LineReader(const std::string& path) {
  errno = 0;
  in_.open(path, std::ios::binary);
  if (!in_.is_open()) Fail(errno, true);
}

bool LineReader::Next(std::string& line) {
  line.clear();
  bool any = false;
  char c = 0;
  for (;;) {
    errno = 0;
    if (!in_.get(c)) break;
    any = true;
    if (c == '\n') return true;
    if (c == '\r') {
      if (in_.peek() == '\n') in_.get(c);
      return true;
    }
    if (line.size() < kMaxLine) line += c;
  }
  if (in_.bad()) Fail(errno, true);
  return any;
}

}  // namespace koralin
