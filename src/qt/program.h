// The whole program put together: the model, its timers, the platform's
// adapters and the windows, wired as the program runs them. main.cpp runs it
// as it comes; the tests and benchmarks build the same program with
// stand-ins for what they must not touch (the machine's clock) or want to
// script.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "app/app.h"
#include "qt/timer_driver.h"

namespace koralin::qt {

class DbusBus;
class LinuxClockSetter;
class MqttLink;
class MainWindow;
class QtDialogs;
class QtSystem;
class TargetPort;
class ToolWindows;

class Program {
 public:
  struct Options {
    // Settings, log, lock and ComPorts.cfg; empty: the settings folder rule.
    // The ports always look in the folder of the system in use.
    std::string settingsFolder = {};
    // Published as org.koralin.<busName>; empty: the executable's name.
    QString busName = {};
    // Stand-ins, each null one the real thing.
    System* system = nullptr;
    Dialogs* dialogs = nullptr;
    SerialPort* comm1 = nullptr;
    SerialPort* comm2 = nullptr;
    ClockSetter* clock = nullptr;
    ValuesBus* bus = nullptr;
    TeamLink* team = nullptr;
    // Runs one model timer; null: a Qt timer.
    std::function<void(Timer&)> runTimer = {};
    // The main window, the minimal display and the tool windows; with the
    // real system and boxes also the signals' way out.
    bool windows = true;
  };

  Program();
  explicit Program(Options options);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The program's start: the load builds and shows the windows as the model
  // says; a missing bus is said once on standard error.
  void Start();

  // The real bus, or null when a stand-in publishes.
  DbusBus* Bus() const { return bus_.get(); }
  // Only with windows.
  MainWindow& Window() { return *window_; }
  ToolWindows& Tools() { return *tools_; }

 private:
  // The real parts, each absent where a stand-in serves; before the model,
  // so that they outlive it and the windows built on it.
  std::unique_ptr<QtSystem> system_;
  std::unique_ptr<QtDialogs> dialogs_;
  std::unique_ptr<TargetPort> comm1_, comm2_;
  std::unique_ptr<LinuxClockSetter> clock_;
  std::unique_ptr<DbusBus> bus_;
  std::unique_ptr<MqttLink> team_;

 public:
  App app;

 private:
  TimerDriver timers_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<ToolWindows> tools_;
};

}  // namespace koralin::qt
