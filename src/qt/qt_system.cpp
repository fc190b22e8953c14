#include "qt/qt_system.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QThread>

#include "common/error.h"
#include "qt/text.h"

namespace koralin::qt {

std::string SettingsFolder() {
  const QString exeDir = QCoreApplication::applicationDirPath();
  if (QFileInfo(exeDir).isWritable()) return FromQ(exeDir);
  const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/koralin-gps";
  QDir().mkpath(config);
  return FromQ(config);
}

QtSystem::QtSystem() : appPath_(SettingsFolder()) {}

void QtSystem::Beep() { QApplication::beep(); }

void QtSystem::Sleep(int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }

void QtSystem::DoEvents() { QCoreApplication::processEvents(); }

double QtSystem::Rnd() { return QRandomGenerator::global()->generateDouble(); }

std::string QtSystem::ExeName() { return FromQ(QFileInfo(QCoreApplication::applicationFilePath()).fileName()); }

bool QtSystem::PrevInstance() {
  if (!lock_) {
    lock_ = std::make_unique<QLockFile>(ToQ(appPath_) + "/koralin-gps.lock");
    lock_->setStaleLockTime(0);  // a lock left by a crash is taken over
  }
  return !lock_->isLocked() && !lock_->tryLock(0);
}

void QtSystem::ShowSerialPortListing() {
  if (!openListing_) throw RunTimeError(err::kFileNotFound, "no window to show it in");
  openListing_();
}

void QtSystem::EndProcess() { QCoreApplication::exit(0); }

DateTime QtSystem::Now() {
  const QDateTime t = QDateTime::currentDateTime();
  return {t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute(), t.time().second()};
}

}  // namespace koralin::qt
