#include "qt/qt_system.h"

#include <unistd.h>

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QThread>
#include <cstdio>
#include <cstdlib>

#include "qt/text.h"

namespace koralin::qt {

std::string SettingsFolder() {
  const QString exeDir = QCoreApplication::applicationDirPath();
  // The folder must take new files (the temporary settings file, the log,
  // the lock), not just be listed as writable.
  if (::access(QFile::encodeName(exeDir).constData(), W_OK | X_OK) == 0) return FromQ(exeDir);
  const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/koralin-gps";
  QDir().mkpath(config);
  return FromQ(config);
}

QtSystem::QtSystem() : QtSystem(SettingsFolder()) {}

QtSystem::QtSystem(std::string settingsFolder) : appPath_(std::move(settingsFolder)) {}

void QtSystem::Beep() { QApplication::beep(); }

void QtSystem::Sleep(int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }

void QtSystem::DoEvents() { QCoreApplication::processEvents(); }

double QtSystem::Rnd() { return QRandomGenerator::global()->generateDouble(); }

std::string QtSystem::ExeName() { return FromQ(QFileInfo(QCoreApplication::applicationFilePath()).fileName()); }

bool QtSystem::PrevInstance() {
  if (!lock_) {
    lock_ = std::make_unique<QLockFile>(ToQ(appPath_) + "/koralin-gps.lock");
    // Never stale by age while its owner lives; a lock whose process is gone
    // (a crash, a power cut) is taken over.
    lock_->setStaleLockTime(0);
  }
  return !lock_->isLocked() && !lock_->tryLock(0);
}

void QtSystem::EndProcess() {
  // The exit may run inside a nested event loop (a modal box, log playback);
  // returning to it would run more of the program, so the process ends here.
  // The exit has saved and closed everything the program owns.
  if (lock_ && lock_->isLocked()) lock_->unlock();
  std::fflush(nullptr);
  std::_Exit(0);
}

DateTime QtSystem::Now() {
  const QDateTime t = QDateTime::currentDateTime();
  return {t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute(), t.time().second()};
}

}  // namespace koralin::qt
