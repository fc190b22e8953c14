#include "log/log_file.h"

#include <cerrno>
#include <filesystem>
#include <optional>

#include "common/error.h"

namespace koralin {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(int errnoValue, FileUse use) { throw RunTimeError(FileErrorNumber(errnoValue, use)); }

std::optional<std::uintmax_t> RegularFileSize(const std::string& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec) return std::nullopt;
  return size;
}

}  // namespace

long FileErrorNumber(int errnoValue, FileUse use) {
  switch (errnoValue) {
    case ENOENT:
      return use == FileUse::kRead ? err::kFileNotFound : err::kPathNotFound;
    case ENOTDIR:
      return err::kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return err::kPermissionDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return err::kDiskFull;
    case EMFILE:
    case ENFILE:
      return 67;  // Too many files
    case EIO:
      return 57;  // Device I/O error
    case ENXIO:
    case ENODEV:
      return 68;  // Device unavailable
    default:
      return err::kPathFileAccess;
  }
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::exists(path, ec);
}

void AppendToFile(const std::string& path, std::string_view text) {
  const auto sizeBefore = RegularFileSize(path);
  errno = 0;
  std::ofstream out(path, std::ios::binary | std::ios::app);
  if (!out.is_open()) Fail(errno, FileUse::kWrite);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out.fail()) return;
  const int e = errno;
  std::error_code ec;
  if (sizeBefore) fs::resize_file(path, *sizeBefore, ec);
  Fail(e, FileUse::kWrite);
}

void DeleteFile(const std::string& path) {
  // Only plain files: a folder or a device node chosen by mistake stays.
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  if (fs::exists(st) && !fs::is_regular_file(st)) throw RunTimeError(err::kPathFileAccess);
  if (!fs::remove(path, ec) && ec) Fail(ec.value(), FileUse::kWrite);
}

LineReader::LineReader(const std::string& path) {
  errno = 0;
  in_.open(path, std::ios::binary);
  if (!in_.is_open()) Fail(errno, FileUse::kRead);
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
  if (in_.bad()) Fail(errno, FileUse::kRead);
  return any;
}

}  // namespace koralin
