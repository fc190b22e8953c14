#include "qt/linux_clock_setter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "common/error.h"

namespace koralin {
namespace {

// Nothing here touches the machine's clock: both ways are stand-ins.
struct Ways {
  int directResult = 0;
  qt::BusReply busReply;
  std::vector<long long> direct, bus;
  qt::LinuxClockSetter Setter() {
    return qt::LinuxClockSetter([this](long long usec) { return direct.push_back(usec), directResult; },
                                [this](long long usec) { return bus.push_back(usec), busReply; });
  }
};

class ClockSetterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tz = std::getenv("TZ");
    savedTz_ = tz ? tz : "";
    hadTz_ = tz != nullptr;
    setenv("TZ", "UTC", 1);
    tzset();
  }
  void TearDown() override {
    if (hadTz_)
      setenv("TZ", savedTz_.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }

 private:
  std::string savedTz_;
  bool hadTz_ = false;
};

constexpr DateTime kWhen{2026, 1, 1, 0, 30, 15};
constexpr long long kWhenUsec = 1767227415LL * 1000000;

TEST_F(ClockSetterTest, SetsTheClockDirectlyWhenAllowed) {
  Ways w;
  w.Setter().SetDateTime(kWhen);
  EXPECT_EQ(w.direct, std::vector<long long>{kWhenUsec});
  EXPECT_TRUE(w.bus.empty());
}

TEST_F(ClockSetterTest, AsksTheTimeServiceWithoutTheRight) {
  Ways w;
  w.directResult = EPERM;
  w.Setter().SetDateTime(kWhen);
  EXPECT_EQ(w.bus, std::vector<long long>{kWhenUsec});
}

TEST_F(ClockSetterTest, ARefusalSaysWhy) {
  const struct {
    const char* errorName;
    const char* says;
  } cases[] = {
      {"org.freedesktop.DBus.Error.AccessDenied", "lacks the right to set the clock"},
      {"org.freedesktop.PolicyKit1.Error.NotAuthorized", "lacks the right to set the clock"},
      {"org.freedesktop.timedate1.AutomaticTimeSyncEnabled", "timedatectl set-ntp false"},
      {"org.freedesktop.DBus.Error.ServiceUnknown", "systemd-timedated"},
      {"org.freedesktop.DBus.Error.NoServer", "CAP_SYS_TIME"},
  };
  for (const auto& c : cases) {
    Ways w;
    w.directResult = EPERM;
    w.busReply = {c.errorName, "refused"};
    try {
      w.Setter().SetDateTime(kWhen);
      ADD_FAILURE() << c.errorName;
    } catch (const RunTimeError& e) {
      EXPECT_EQ(e.Number(), 70);
      EXPECT_NE(e.Description().find(c.says), std::string::npos) << e.Description();
      EXPECT_EQ(e.Description().rfind("The PC clock was not set", 0), 0u);
    }
  }
}

TEST_F(ClockSetterTest, OtherFailuresAreNotSentToTheTimeService) {
  Ways w;
  w.directResult = EINVAL;
  EXPECT_THROW(w.Setter().SetDateTime(kWhen), RunTimeError);
  EXPECT_TRUE(w.bus.empty());
}

}  // namespace
}  // namespace koralin
