// The instance lock koralin-gps.lock in the settings folder.
#pragma once

#include <string>

#include "common/text_file.h"

namespace koralin::qt {

// Held as an advisory lock (flock) on the file, which the system lets go
// however the process ends: a lock left by a crash or a power cut, even an
// empty one, never keeps a later start out, and only a live copy holds it.
// The file is opened as every file of the program is (OpenPlainFile), so a
// FIFO, a folder or a device in its place is refused, never waited on.
class InstanceLock {
 public:
  explicit InstanceLock(std::string path) : path_(std::move(path)) {}
  // True when this copy holds the lock (now or already); false when a live
  // copy does. Anything but a regular file raises RunTimeError naming it.
  bool Take();
  // Removes the file and lets the lock go.
  void Release();

 private:
  std::string path_;
  OpenFile file_;
};

}  // namespace koralin::qt
