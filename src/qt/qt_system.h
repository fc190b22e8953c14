// System services on Linux and Qt.
#pragma once

#include <functional>
#include <memory>

#include "common/system.h"
#include "qt/instance_lock.h"
#include "qt/settings_place.h"

namespace koralin::qt {

class QtSystem : public System {
 public:
  // Settings, log and instance lock live in SettingsFolder().
  QtSystem();
  explicit QtSystem(std::string settingsFolder) : QtSystem(ReadyFolder{std::move(settingsFolder)}) {}
  explicit QtSystem(ReadyFolder settings);
  void Beep() override;
  void Sleep(int ms) override;
  void DoEvents() override;
  double Rnd() override;
  std::string AppPath() override { return appPath_; }
  std::string ExeName() override;
  bool PrevInstance() override;
  bool SettingsWritable() override;
  DateTime Now() override;
  std::string DeviceHolder(const std::string& device) override;
  void ShowSerialPortListing() override;
  // The face's listing window; without one the listing cannot open.
  void SetListingOpener(std::function<void()> open) { openListing_ = std::move(open); }
  // Runs just before the process ends (the notices still open are read).
  void SetBeforeEnd(std::function<void()> f) { beforeEnd_ = std::move(f); }
  void EndProcess(int status) override;

 private:
  std::string appPath_;
  bool writable_;
  InstanceLock lock_;
  int status_ = 0;
  std::function<void()> openListing_;
  std::function<void()> beforeEnd_;
};

}  // namespace koralin::qt
