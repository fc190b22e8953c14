#include "qt/qt_system.h"

#include <QApplication>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <utility>
#include <unistd.h>

#include "common/error.h"
#include "qt/device_holder.h"
#include "qt/text.h"

namespace koralin::qt {

QtSystem::QtSystem() : QtSystem(SettingsFolder()) {}

QtSystem::QtSystem(ReadyFolder settings) : appPath_(std::move(settings.path)), writable_(settings.writable) {}

void QtSystem::Beep() { QApplication::beep(); }

void QtSystem::Sleep(int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }

void QtSystem::DoEvents() { QCoreApplication::processEvents(); }

std::string QtSystem::DeviceHolder(const std::string& device) { return ProcessHolding(device); }

double QtSystem::Rnd() { return QRandomGenerator::global()->generateDouble(); }

std::string QtSystem::ExeName() { return FromQ(QFileInfo(QCoreApplication::applicationFilePath()).fileName()); }

bool QtSystem::PrevInstance() {
  // Settings that are only read cannot be spoiled by a second copy, and a
  // lock there would be the only file written.
  if (!writable_) return false;
  if (!lock_) {
    lock_ = std::make_unique<QLockFile>(ToQ(appPath_) + "/koralin-gps.lock");
    // Never stale by age while its owner lives; a lock whose process is gone
    // (a crash, a power cut) is taken over.
    lock_->setStaleLockTime(0);
  }
  // Only a lock held by a live process means another copy; a folder where
  // no lock can be made is told by SettingsWritable().
  if (lock_->isLocked() || lock_->tryLock(0)) return false;
  if (lock_->error() != QLockFile::LockFailedError) return false;
  if (LockHasOwner()) return true;
  lock_->removeStaleLockFile();
  return !lock_->tryLock(0) && lock_->error() == QLockFile::LockFailedError;
}

// A live copy writes its pid into the lock right after making it; a lock
// still without one a moment later was left by a copy that died doing so
// (a crash, a power cut), and nobody could ever own it.
bool QtSystem::LockHasOwner() {
  qint64 pid = 0;
  QString host, app;
  for (int look = 0; look < 5; ++look) {
    if (lock_->getLockInfo(&pid, &host, &app)) return true;
    QThread::msleep(20);
  }
  return false;
}

bool QtSystem::SettingsWritable() {
  return writable_ && !appPath_.empty() && ::access(appPath_.c_str(), W_OK | X_OK) == 0;
}

void QtSystem::EndProcess() {
  // The exit may run inside a nested event loop (a modal box, log playback);
  // returning to it would run more of the program, so the process ends here.
  // The exit has saved and closed everything the program owns.
  if (beforeEnd_) std::exchange(beforeEnd_, nullptr)();
  if (lock_ && lock_->isLocked()) lock_->unlock();
  std::fflush(nullptr);
  std::_Exit(0);
}

void QtSystem::ShowSerialPortListing() {
  if (!openListing_) throw RunTimeError(err::kFileNotFound, "no window to show it in");
  openListing_();
}

// The rose asks at every fix; the C library's local time costs a fraction of
// QDateTime's.
DateTime QtSystem::Now() {
  const std::time_t now = std::time(nullptr);
  std::tm t{};
  ::localtime_r(&now, &t);
  return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

}  // namespace koralin::qt
