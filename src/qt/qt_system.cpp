#include "qt/qt_system.h"

#include <QApplication>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>
#include <algorithm>
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

QtSystem::QtSystem(ReadyFolder settings)
    : appPath_(std::move(settings.path)), writable_(settings.writable), lock_(appPath_ + "/koralin-gps.lock") {}

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
  try {
    return !lock_.Take();
  } catch (const RunTimeError& e) {
    // Only something else standing in the lock's place refuses the start; a
    // folder where no lock can be made is told by SettingsWritable().
    if (e.Number() == err::kPathFileAccess) throw;
    return false;
  }
}

bool QtSystem::SettingsWritable() {
  return writable_ && !appPath_.empty() && ::access(appPath_.c_str(), W_OK | X_OK) == 0;
}

void QtSystem::EndProcess(int status) {
  // A failed start ends as one, even when a signal ends it while its box is open.
  status_ = std::max(status_, status);
  // The exit may run inside a nested event loop (a modal box, log playback);
  // returning to it would run more of the program, so the process ends here.
  // The exit has saved and closed everything the program owns.
  if (beforeEnd_) std::exchange(beforeEnd_, nullptr)();
  lock_.Release();
  std::fflush(nullptr);
  std::_Exit(status_);
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
