#include "common/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/error.h"

namespace koralin {

namespace {

// Closes the descriptor on every way out.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now, so that a failing close is seen; errno is kept.
  int Close() {
    const int r = ::close(fd_);
    fd_ = -1;
    return r;
  }

 private:
  int fd_;
};

void WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(errno);
    }
    text.remove_prefix(static_cast<std::size_t>(n));
  }
}

// A folder, a FIFO or a device in place of a small text file is refused:
// reading one could block the program or never end.
void RequirePlainFile(const struct stat& st) {
  if (S_ISREG(st.st_mode)) return;
  if (S_ISDIR(st.st_mode)) throw FileError(EISDIR);
  throw RunTimeError(err::kPathFileAccess, ErrorDescription(err::kPathFileAccess) + " (not a plain file)");
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

std::string ReadTextFile(const std::string& path, std::size_t maxBytes) {
  // Opening a FIFO without a writer would wait for one.
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (fd.get() < 0) throw FileError(errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) throw FileError(errno);
  RequirePlainFile(st);
  std::string text;
  char buf[4096];
  while (text.size() < maxBytes) {
    const ssize_t n = ::read(fd.get(), buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(errno);
    }
    if (n == 0) break;
    text.append(buf, static_cast<std::size_t>(n));
  }
  if (text.size() > maxBytes) text.resize(maxBytes);
  return text;
}

std::optional<std::string> ReadSmallFile(const std::string& path, std::size_t maxBytes) {
  // Non-blocking, so that opening a FIFO without a writer returns at once.
  Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat st {};
  if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  if (static_cast<std::size_t>(st.st_size) > maxBytes) return std::nullopt;
  std::string text;
  char buf[4096];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) return text;
    text.append(buf, static_cast<std::size_t>(n));
    if (text.size() > maxBytes) return std::nullopt;  // grew while read
  }
}

void ReplaceFile(const std::string& path, std::string_view text) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) RequirePlainFile(st);
  const std::string temp = path + ".tmp";
  try {
    Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (fd.get() < 0) throw FileError(errno);
    WriteAll(fd.get(), text);
    if (::fsync(fd.get()) != 0 && errno != EINVAL) throw FileError(errno);
    if (fd.Close() != 0) throw FileError(errno);
    if (::rename(temp.c_str(), path.c_str()) != 0) throw FileError(errno);
  } catch (...) {
    ::unlink(temp.c_str());
    throw;
  }
  // Makes the rename itself survive a power cut; the new file is complete
  // either way, so a failure here is not reported.
  Fd folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() >= 0) ::fsync(folder.get());
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
