// Sets the PC clock on Linux: directly when the process has the right
// (root or CAP_SYS_TIME), else through systemd-timedated on the system bus,
// where polkit may ask the desktop user. A refusal raises RunTimeError 70
// with a text that says why.
#pragma once

#include <functional>
#include <string>

#include "app/clock_setter.h"

namespace koralin::qt {

// What the time service answered: an empty name is success.
struct BusReply {
  std::string errorName;
  std::string message;
};

class LinuxClockSetter : public ClockSetter {
 public:
  // Sets the clock to microseconds since the epoch; returns 0 or an errno.
  using SetRealtime = std::function<int(long long usec)>;
  using SetViaTimedated = std::function<BusReply(long long usec)>;

  LinuxClockSetter();
  LinuxClockSetter(SetRealtime direct, SetViaTimedated viaBus);
  void SetDateTime(const DateTime& local) override;

 private:
  SetRealtime direct_;
  SetViaTimedated viaBus_;
};

// Microseconds since the epoch of a local date and time; -1 when the local
// time does not exist.
long long LocalToEpochMicroseconds(const DateTime& local);

}  // namespace koralin::qt
