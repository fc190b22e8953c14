// Sets the PC clock on Linux: directly when the process has the right
// (root or CAP_SYS_TIME), else through systemd-timedated on the system bus,
// where polkit may ask the desktop user; the program goes on meanwhile. A
// refusal is RunTimeError 70 with a text that says why.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/clock_setter.h"

namespace koralin::qt {

// What the time service answered: an empty name is success.
struct BusReply {
  std::string errorName;
  std::string message;
};
using BusAnswer = std::function<void(const BusReply&)>;

// Sets the clock to microseconds since the epoch; returns 0 or an errno.
int SetRealtimeClock(long long usec);
// Asks systemd-timedated on the system bus, waiting up to 2 minutes for the
// user to answer polkit's question; `answer` runs once, with the reply.
void SetTimeOverBus(long long usec, BusAnswer answer);

class LinuxClockSetter : public ClockSetter {
 public:
  using SetRealtime = std::function<int(long long usec)>;
  using SetViaTimedated = std::function<void(long long usec, BusAnswer answer)>;

  explicit LinuxClockSetter(SetRealtime direct = SetRealtimeClock, SetViaTimedated viaBus = SetTimeOverBus);

 protected:
  bool SetDateTime(const DateTime& local, Done answered) override;

 private:
  SetRealtime direct_;
  SetViaTimedated viaBus_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);  // no answer reaches a setter that is gone
};

// Microseconds since the epoch of a local date and time; -1 when the local
// time does not exist.
long long LocalToEpochMicroseconds(const DateTime& local);

}  // namespace koralin::qt
