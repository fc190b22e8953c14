#include "qt/instance_lock.h"

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "common/error.h"

namespace koralin::qt {

namespace {

// The file at path is still the one open: a copy ending removes its file
// before it lets the lock go, so a lock taken in between is on a file gone.
bool StillThere(const std::string& path, int fd) {
  struct stat held {}, now {};
  return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &now) == 0 && held.st_dev == now.st_dev &&
         held.st_ino == now.st_ino;
}

}  // namespace

bool InstanceLock::Take() {
  if (file_.Fd() >= 0) return true;
  for (int attempt = 0; attempt < 3; ++attempt) {
    OpenFile file = OpenPlainFile(path_, O_RDWR | O_CREAT);
    if (::flock(file.Fd(), LOCK_EX | LOCK_NB) != 0) {
      if (errno == EWOULDBLOCK) return false;
      throw FileError(errno);
    }
    if (!StillThere(path_, file.Fd())) continue;
    // Who holds it, for a person looking; the lock does not need it.
    try {
      file.Truncate(0);
      file.Write(std::to_string(::getpid()) + "\n");
    } catch (const RunTimeError&) {
    }
    file_ = std::move(file);
    return true;
  }
  return false;
}

void InstanceLock::Release() {
  if (file_.Fd() < 0) return;
  ::unlink(path_.c_str());
  file_ = OpenFile();
}

}  // namespace koralin::qt
