#include "qt/pty_port.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "common/error.h"

namespace koralin::qt {

namespace {

std::string LinkTarget(const std::string& path) {
  char buf[256];
  const ssize_t n = ::readlink(path.c_str(), buf, sizeof buf - 1);
  return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

// The link a crashed run left behind may be replaced; any other file is
// the user's and stays.
bool IsPtyLink(const std::string& path) { return LinkTarget(path).rfind("/dev/pts/", 0) == 0; }

}  // namespace

void PtyPort::Open(int port, const std::string& settings, int, int) {
  if (IsOpen()) throw RunTimeError(err::kPortAlreadyOpen);
  Remember(port, settings);
  const std::string& path = target_.path;
  auto fail = [&](const std::string& why) {
    const std::string text = target_.text + ": " + why;
    Close();
    throw RunTimeError(err::kInvalidPort, text);
  };
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0) {
    if (!IsPtyLink(path)) fail(path + " exists and is not a pty link - choose another path");
    ::unlink(path.c_str());
  }
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
  char name[128] = {};
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
      ::ptsname_r(master_, name, sizeof name) != 0)
    fail(std::string("no pseudo-terminal: ") + std::strerror(errno));
  slaveName_ = name;
  slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
  termios t{};
  if (slave_ >= 0 && ::tcgetattr(slave_, &t) == 0) {
    ::cfmakeraw(&t);  // bytes pass unchanged: a CR stays a CR
    ::tcsetattr(slave_, TCSANOW, &t);
  }
  if (::symlink(name, path.c_str()) != 0) fail("cannot make the link: " + std::string(std::strerror(errno)));
  pending_.clear();
}

void PtyPort::Close() {
  if (!slaveName_.empty() && LinkTarget(target_.path) == slaveName_) ::unlink(target_.path.c_str());
  slaveName_.clear();
  if (slave_ >= 0) ::close(slave_);
  if (master_ >= 0) ::close(master_);
  slave_ = master_ = -1;
}

void PtyPort::Take() {
  if (!IsOpen()) throw RunTimeError(err::kPortNotOpen);
  char buf[4096];
  for (int i = 0; i < 16; ++i) {
    const ssize_t n = ::read(master_, buf, sizeof buf);
    if (n <= 0) return;
    Keep(buf, static_cast<std::size_t>(n));
  }
}

void PtyPort::Flush() {
  while (!pending_.empty()) {
    const ssize_t n = ::write(master_, pending_.data(), pending_.size());
    if (n <= 0) return;  // the reader is behind; the rest waits
    pending_.erase(0, static_cast<std::size_t>(n));
  }
}

void PtyPort::Write(std::string_view text) {
  if (!IsOpen()) throw RunTimeError(err::kPortNotOpen);
  Flush();
  // A sentence that does not fit beside what waits is dropped whole, so the
  // reader only ever sees complete sentences.
  if (pending_.size() + text.size() > kClientBacklog) {
    ++dropped_;
    return;
  }
  pending_.append(text);
  Flush();
}

}  // namespace koralin::qt
