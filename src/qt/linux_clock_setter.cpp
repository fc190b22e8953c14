#include "qt/linux_clock_setter.h"

#include <time.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include "common/error.h"
#include "qt/text.h"

namespace koralin::qt {

namespace {

// The user may take a while to answer the password question of polkit.
constexpr int kBusTimeoutMs = 120000;

std::string RefusalText(const BusReply& r) {
  const std::string& n = r.errorName;
  const std::string cause = r.message.empty() ? n : r.message;
  if (n.find("AutomaticTimeSyncEnabled") != std::string::npos)
    return "The PC clock was not set: automatic time synchronisation (NTP) is on. "
           "Switch it off first with: timedatectl set-ntp false";
  if (n.find("AccessDenied") != std::string::npos || n.find("NotAuthorized") != std::string::npos ||
      n.find("InteractiveAuthorizationRequired") != std::string::npos)
    return "The PC clock was not set: this program lacks the right to set the clock, and the system "
           "refused the request (" + cause + ").";
  if (n.find("ServiceUnknown") != std::string::npos || n.find("NoServer") != std::string::npos ||
      n.find("Disconnected") != std::string::npos)
    return "The PC clock was not set: this program lacks the right to set the clock (run it as root or "
           "give it CAP_SYS_TIME), and the system's time service (systemd-timedated) cannot be reached (" +
           cause + ").";
  return "The PC clock was not set: this program lacks the right to set the clock, and the system's time "
         "service failed (" + cause + ").";
}

std::optional<RunTimeError> Refusal(const BusReply& reply) {
  if (reply.errorName.empty()) return std::nullopt;
  return RunTimeError(err::kPermissionDenied, RefusalText(reply));
}

}  // namespace

int SetRealtimeClock(long long usec) {
  timespec ts{};
  ts.tv_sec = static_cast<time_t>(usec / 1000000);
  ts.tv_nsec = static_cast<long>(usec % 1000000) * 1000;
  return ::clock_settime(CLOCK_REALTIME, &ts) == 0 ? 0 : errno;
}

void SetTimeOverBus(long long usec, BusAnswer answer) {
  QDBusConnection bus = QDBusConnection::systemBus();
  if (!bus.isConnected()) return answer({"org.freedesktop.DBus.Error.NoServer", FromQ(bus.lastError().message())});
  QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.timedate1", "/org/freedesktop/timedate1",
                                                     "org.freedesktop.timedate1", "SetTime");
  call << QVariant::fromValue(static_cast<qlonglong>(usec)) << false << true;
  call.setInteractiveAuthorizationAllowed(true);
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kBusTimeoutMs));
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [answer](QDBusPendingCallWatcher* w) {
    w->deleteLater();
    const QDBusMessage reply = w->reply();
    if (reply.type() == QDBusMessage::ErrorMessage) return answer({FromQ(reply.errorName()), FromQ(reply.errorMessage())});
    answer({});
  });
}

LinuxClockSetter::LinuxClockSetter(SetRealtime direct, SetViaTimedated viaBus)
    : direct_(std::move(direct)), viaBus_(std::move(viaBus)) {}

bool LinuxClockSetter::SetDateTime(const DateTime& local, Done answered) {
  const long long usec = LocalToEpochMicroseconds(local);
  if (usec < 0) throw RunTimeError(err::kInvalidCall, "The PC clock was not set: the time does not exist here.");
  const int e = direct_(usec);
  if (e == 0) return true;
  if (e != EPERM) throw RunTimeError(err::kPermissionDenied, std::string("The PC clock was not set: ") + std::strerror(e));
  // An answer before the call returns (no system bus) is told at once.
  struct Waiting {
    bool returned = false;
    std::optional<BusReply> early;
  };
  auto waiting = std::make_shared<Waiting>();
  viaBus_(usec, [waiting, alive = std::weak_ptr<bool>(alive_), answered = std::move(answered)](const BusReply& r) {
    if (!waiting->returned) waiting->early = r;
    else if (!alive.expired()) answered(Refusal(r));
  });
  waiting->returned = true;
  if (!waiting->early) return false;
  if (const auto refusal = Refusal(*waiting->early)) throw *refusal;
  return true;
}

long long LocalToEpochMicroseconds(const DateTime& local) {
  std::tm tm{};
  tm.tm_year = local.year - 1900;
  tm.tm_mon = local.month - 1;
  tm.tm_mday = local.day;
  tm.tm_hour = local.hour;
  tm.tm_min = local.minute;
  tm.tm_sec = local.second;
  tm.tm_isdst = -1;  // the zone's rules decide summer time
  const time_t t = std::mktime(&tm);
  if (t == static_cast<time_t>(-1)) return -1;
  return static_cast<long long>(t) * 1000000;
}

}  // namespace koralin::qt
