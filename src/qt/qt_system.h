// System services on Linux and Qt.
#pragma once

#include <QLockFile>
#include <memory>

#include "common/system.h"

namespace koralin::qt {

class QtSystem : public System {
 public:
  // Settings, log and instance lock live in SettingsFolder().
  QtSystem();
  explicit QtSystem(std::string settingsFolder);
  void Beep() override;
  void Sleep(int ms) override;
  void DoEvents() override;
  double Rnd() override;
  std::string AppPath() override { return appPath_; }
  std::string ExeName() override;
  bool PrevInstance() override;
  DateTime Now() override;
  void ShowSerialPortListing() override {}
  void EndProcess() override;

 private:
  std::string appPath_;
  std::unique_ptr<QLockFile> lock_;
};

// The executable's folder when writable, else $XDG_CONFIG_HOME/koralin-gps.
std::string SettingsFolder();

}  // namespace koralin::qt
