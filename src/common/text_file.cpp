#include "common/text_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "common/error.h"

namespace koralin {

namespace {

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISLNK(mode)) return "a link to nothing";
  return "no regular file";
}

// Reading one of these could wait for ever or never end; writing one would
// lose the text.
[[noreturn]] void Refuse(const std::string& path, mode_t mode) {
  throw RunTimeError(err::kPathFileAccess, ErrorDescription(err::kPathFileAccess) + " (" + NameOf(path) + " is " +
                                               KindOf(mode) + ", not a regular file)");
}

// The open failed: a link to nothing, or (a folder opened for writing, a
// FIFO without a reader) what stands there, is refused by its kind.
[[noreturn]] void Failed(const std::string& path, int errnum, bool reading) {
  struct stat st {};
  if (errnum == ENOENT && ::lstat(path.c_str(), &st) == 0) Refuse(path, S_IFLNK);
  if ((errnum == EISDIR || errnum == ENXIO) && ::stat(path.c_str(), &st) == 0) Refuse(path, st.st_mode);
  throw FileError(errnum, reading);
}

void RequireRegular(const std::string& path, int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) throw FileError(errno);
  if (!S_ISREG(st.st_mode)) Refuse(path, st.st_mode);
}

}  // namespace

OpenFile& OpenFile::operator=(OpenFile&& o) noexcept {
  std::swap(fd_, o.fd_);
  return *this;
}

OpenFile::~OpenFile() {
  if (fd_ >= 0) ::close(fd_);
}

std::size_t OpenFile::Read(char* buf, std::size_t n) {
  for (;;) {
    const ssize_t got = ::read(fd_, buf, n);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) throw FileError(errno, true);
  }
}

void OpenFile::Write(std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd_, text.data(), text.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(errno);
    }
    text.remove_prefix(static_cast<std::size_t>(n));
  }
}

std::size_t OpenFile::Size() const {
  struct stat st {};
  return ::fstat(fd_, &st) == 0 ? static_cast<std::size_t>(st.st_size) : 0;
}

bool OpenFile::Truncate(std::size_t size) { return ::ftruncate(fd_, static_cast<off_t>(size)) == 0; }

void OpenFile::Close() {
  const int r = ::close(std::exchange(fd_, -1));
  if (r != 0) throw FileError(errno);
}

OpenFile OpenPlainFile(const std::string& path, int flags) {
  const bool reading = (flags & O_ACCMODE) == O_RDONLY;
  // Non-blocking, so that a FIFO without a writer is opened (and refused) at
  // once; a regular file takes no notice of the flag.
  const int how = (flags & ~O_CREAT) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  int fd = ::open(path.c_str(), how);
  struct stat st {};
  if (fd < 0 && errno == ENOENT && (flags & O_CREAT) && ::lstat(path.c_str(), &st) != 0)
    fd = ::open(path.c_str(), how | O_CREAT | O_EXCL, 0666);
  if (fd < 0) Failed(path, errno, reading);
  OpenFile file(fd);
  RequireRegular(path, fd);
  return file;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

std::string ReadTextFile(const std::string& path, std::size_t maxBytes) {
  OpenFile file = OpenPlainFile(path, O_RDONLY);
  std::string text;
  char buf[4096];
  while (text.size() < maxBytes) {
    const std::size_t n = file.Read(buf, sizeof buf);
    if (n == 0) break;
    text.append(buf, n);
  }
  if (text.size() > maxBytes) text.resize(maxBytes);
  return text;
}

std::optional<std::string> ReadTextFileIfAny(const std::string& path, std::size_t maxBytes) {
  try {
    return ReadTextFile(path, maxBytes);
  } catch (const RunTimeError& e) {
    // 53 is only a file missing altogether: a link to nothing is refused.
    if (e.Number() == err::kFileNotFound) return std::nullopt;
    throw;
  }
}

void ReplaceFile(const std::string& path, std::string_view text) {
  // Only looked at (O_PATH), never opened: what stands there may be a FIFO.
  if (OpenFile there(::open(path.c_str(), O_PATH | O_CLOEXEC)); there.Fd() >= 0) RequireRegular(path, there.Fd());
  else if (errno != ENOENT) throw FileError(errno);
  else if (struct stat st {}; ::lstat(path.c_str(), &st) == 0) Refuse(path, S_IFLNK);
  const std::string temp = path + ".tmp";
  try {
    OpenFile file(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (file.Fd() < 0) throw FileError(errno);
    file.Write(text);
    if (::fsync(file.Fd()) != 0 && errno != EINVAL) throw FileError(errno);
    file.Close();
    if (::rename(temp.c_str(), path.c_str()) != 0) throw FileError(errno);
  } catch (...) {
    ::unlink(temp.c_str());
    throw;
  }
  // Makes the rename itself survive a power cut; the new file is complete
  // either way, so a failure here is not reported.
  OpenFile folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Fd() >= 0) ::fsync(folder.Fd());
}

std::vector<std::string> SplitLines(std::string_view text, std::size_t maxLines) {
  std::vector<std::string> lines;
  while (!text.empty() && lines.size() < maxLines) {
    const std::size_t end = text.find('\n');
    std::string line(text.substr(0, end));
    while (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

}  // namespace koralin
