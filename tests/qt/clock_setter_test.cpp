#include "qt/linux_clock_setter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <optional>
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

// The test's times are UTC whatever the machine's zone.
class ClockSetterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* tz = std::getenv("TZ")) savedTz_ = tz;
    setenv("TZ", "UTC", 1);
    tzset();
  }
  void TearDown() override {
    savedTz_ ? (void)setenv("TZ", savedTz_->c_str(), 1) : (void)unsetenv("TZ");
    tzset();
  }

 private:
  std::optional<std::string> savedTz_;
};

constexpr DateTime kWhen{2026, 1, 1, 0, 30, 15};
constexpr long long kWhenUsec = 1767227415LL * 1000000;

// Directly when allowed, through the time service without the right; other
// failures never reach the time service.
TEST_F(ClockSetterTest, ChoosesTheWayByTheDirectResult) {
  using V = std::vector<long long>;
  const struct {
    int directResult;
    V bus;
    bool throws;
  } cases[] = {{0, {}, false}, {EPERM, {kWhenUsec}, false}, {EINVAL, {}, true}};
  for (const auto& c : cases) {
    Ways w;
    w.directResult = c.directResult;
    bool threw = false;
    try {
      w.Setter().SetDateTime(kWhen);
    } catch (const RunTimeError&) {
      threw = true;
    }
    EXPECT_EQ(threw, c.throws) << c.directResult;
    EXPECT_EQ(w.direct, V{kWhenUsec});
    EXPECT_EQ(w.bus, c.bus) << c.directResult;
  }
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

}  // namespace
}  // namespace koralin
