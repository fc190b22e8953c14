// The program's own files (settings, port map, options, lock, log, played
// log): how each is opened, and whole-file reads and writes of the small
// ones. Failures raise RunTimeError with the number of the cause (see
// FileError).
#pragma once

#include <fcntl.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace koralin {

// An open file of the program; closed with the object.
class OpenFile {
 public:
  explicit OpenFile(int fd = -1) : fd_(fd) {}
  OpenFile(OpenFile&& o) noexcept : fd_(o.fd_) { o.fd_ = -1; }
  OpenFile& operator=(OpenFile&& o) noexcept;
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  ~OpenFile();
  int Fd() const { return fd_; }
  // Up to n bytes into buf; 0 at the end of the file.
  std::size_t Read(char* buf, std::size_t n);
  void Write(std::string_view text);
  std::size_t Size() const;
  // Cuts the file back to size bytes; false when that failed.
  bool Truncate(std::size_t size);
  // Closes now, so that a failing close is seen.
  void Close();

 private:
  int fd_;
};

// The one way every file of the program is opened. Nothing found at path is
// ever waited on (a FIFO, a device), and only a regular file is opened:
// a folder, a FIFO, a device, a socket or a link to nothing raises 75 with
// a description naming the file and what stands there. flags: O_RDONLY,
// O_RDWR or O_WRONLY | O_APPEND, with O_CREAT to make a missing file (never
// through a link to nothing). A missing file raises FileError(ENOENT).
OpenFile OpenPlainFile(const std::string& path, int flags);

// True when something (a file, a folder) exists at path.
bool FileExists(const std::string& path);

// The first maxBytes bytes of the file.
std::string ReadTextFile(const std::string& path, std::size_t maxBytes);

// As ReadTextFile; empty when nothing at all, not even a link, is at path.
std::optional<std::string> ReadTextFileIfAny(const std::string& path, std::size_t maxBytes);

// The first maxLines lines of text, split at LF with the CRs before it
// dropped, so a line reads the same after it was written back with CR LF;
// a last line without an end still counts.
std::vector<std::string> SplitLines(std::string_view text, std::size_t maxLines = SIZE_MAX);

// Replaces the file's contents as one step: the text goes to path & ".tmp",
// is flushed to the disk and renamed over path. On a failure the temporary
// file is removed and the old file is left as it was. Anything but a regular
// file at path is refused as OpenPlainFile refuses it, and left alone.
void ReplaceFile(const std::string& path, std::string_view text);

}  // namespace koralin
