// Which way the clock is set and what a refusal says. Nothing here touches
// the machine's clock: both ways are stand-ins.
#include "qt/linux_clock_setter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "common/error.h"

namespace koralin {
namespace {

TEST(LinuxClockSetter, ChoosesTheWayAndSaysWhyItWasRefused) {
  setenv("TZ", "UTC", 1), tzset();  // the time below is UTC whatever the machine's zone
  const std::vector<long long> when{1767227415LL * 1000000};  // 2026-01-01 00:30:15
  // Directly when allowed, through the time service only without the right.
  const struct {
    int direct;
    const char* busError;
    const char* says;  // nothing: set
  } cases[] = {
      {0, "", nullptr},
      {EPERM, "", nullptr},
      {EINVAL, "", "The PC clock was not set"},
      {EPERM, "org.freedesktop.DBus.Error.AccessDenied", "lacks the right to set the clock"},
      {EPERM, "org.freedesktop.PolicyKit1.Error.NotAuthorized", "lacks the right to set the clock"},
      {EPERM, "org.freedesktop.timedate1.AutomaticTimeSyncEnabled", "timedatectl set-ntp false"},
      {EPERM, "org.freedesktop.DBus.Error.ServiceUnknown", "systemd-timedated"},
      {EPERM, "org.freedesktop.DBus.Error.NoServer", "CAP_SYS_TIME"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.direct << " " << c.busError);
    std::vector<long long> direct, bus;
    qt::LinuxClockSetter setter([&](long long usec) { return direct.push_back(usec), c.direct; },
                                [&](long long usec) { return bus.push_back(usec), qt::BusReply{c.busError, "no"}; });
    std::string said;
    try {
      setter.SetDateTime({2026, 1, 1, 0, 30, 15});
    } catch (const RunTimeError& e) {
      EXPECT_EQ(e.Number(), 70);
      EXPECT_EQ(e.Description().rfind("The PC clock was not set", 0), 0u);
      said = e.Description();
    }
    EXPECT_EQ(direct, when);
    EXPECT_EQ(bus, c.direct == EPERM ? when : std::vector<long long>{});
    EXPECT_EQ(said.empty(), !c.says);
    EXPECT_NE(said.find(c.says ? c.says : ""), std::string::npos) << said;
  }
  unsetenv("TZ"), tzset();
}

}  // namespace
}  // namespace koralin
