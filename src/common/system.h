// System services: beep, blocking sleep, letting pending events run, random
// numbers, the program's own file, other instances and the local time.
#pragma once

#include <string>

namespace koralin {

struct DateTime {
  int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
  bool operator==(const DateTime&) const = default;
};

class System {
 public:
  virtual ~System() = default;
  virtual void Beep() = 0;
  // Blocks the thread; no events run meanwhile.
  virtual void Sleep(int ms) = 0;
  // Lets pending window events and due timers run once.
  virtual void DoEvents() = 0;
  // A random number in [0, 1).
  virtual double Rnd() = 0;
  // Folder of the settings and the log, without a trailing "/".
  virtual std::string AppPath() = 0;
  // File name of the program's executable.
  virtual std::string ExeName() = 0;
  // True when another copy already runs on the same settings. Something
  // other than a regular file in the lock's place raises RunTimeError
  // naming it.
  virtual bool PrevInstance() = 0;
  // False when the settings folder cannot be written (nor created).
  virtual bool SettingsWritable() = 0;
  virtual DateTime Now() = 0;
  // The name of another process that has this device open ("gpsd"); "" when
  // none is seen. Cheap enough for a timer, never waits.
  virtual std::string DeviceHolder(const std::string& device) = 0;
  // Opens the listing of the serial devices present.
  virtual void ShowSerialPortListing() = 0;
  // Ends the process with status (0: all went well) once the current event
  // returns; nothing after it runs.
  virtual void EndProcess(int status) = 0;
};

}  // namespace koralin
