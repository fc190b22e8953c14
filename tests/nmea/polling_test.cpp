#include "nmea/polling.h"

#include <gtest/gtest.h>

#include "display/compass.h"
#include "nmea/gprmc.h"
#include "nmea/sentence.h"
#include "support/fakes.h"

namespace koralin {
namespace {

const std::string kRmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n";

// The program reading port 3, polled by its timer.
struct Polled : test::TestRig {
  Polled() {
    ReadyToDecode(3);
    comm1.Open(3, "4800,N,8,1", 1024, 512);
    app.form1.tmrPolling.SetInterval(1500);
    app.form1.tmrPolling.SetEnabled(true);
  }
  void Tick() { clock.Advance(1500); }
};

TEST(Polling, InputOffSwitchesThePollingOff) {
  Polled p;
  p.app.settings.ComPortIn = 0;
  p.comm1.Feed(kRmc);
  p.Tick();
  EXPECT_FALSE(p.app.form1.tmrPolling.Enabled());
  EXPECT_EQ(p.comm1.InBufferCount(), static_cast<int>(kRmc.size()));
}

TEST(Polling, FourCharactersAreNeededToRead) {
  const struct {
    std::string waiting;
    Colour lockBack;
    bool read;
  } cases[] = {{"", colour::kRed, false}, {"abc", colour::kRed, false}, {"abcd", colour::kWhite, true}};
  for (const auto& c : cases) {
    Polled p;
    p.comm1.Feed(c.waiting);
    p.Tick();
    EXPECT_EQ(p.app.form1.lblLock.BackColor(), c.lockBack) << c.waiting;
    EXPECT_EQ(p.comm1.InBufferCount() == 0, c.read || c.waiting.empty()) << c.waiting;
    EXPECT_EQ(p.app.poll.RxTextDoppler, c.read ? c.waiting : "") << c.waiting;
  }
}

TEST(Polling, SentenceSplitOverTwoPollsIsDecodedOnTheSecond) {
  for (const bool verify : {true, false}) {
    Polled p;
    p.app.form1.mnuCrcCheck.SetChecked(verify);
    p.comm1.Feed(kRmc.substr(0, 30));
    p.Tick();
    EXPECT_FALSE(p.app.fix.GPRMCFound);
    EXPECT_EQ(p.app.form1.lblLock.Caption(), "Old data");
    p.comm1.Feed(kRmc.substr(30));
    p.Tick();
    EXPECT_TRUE(p.app.fix.GPRMCFound);
    EXPECT_EQ(p.app.form1.lblLock.Caption(), "Rx ok");
    EXPECT_EQ(p.app.fix.LatitudeText, "4807.04N");
    EXPECT_EQ(p.app.poll.RxTextDoppler, kRmc.substr(30));
  }
}

TEST(Polling, HistoryStaysBounded) {
  Polled p;
  const std::string noise(300, 'x');
  p.comm1.Feed("$" + noise);
  p.Tick();
  for (int i = 0; i < 50; ++i) {
    p.comm1.Feed(noise);
    p.Tick();
    EXPECT_LE(p.app.poll.RxHistory.size(), 500 + 2 + 1024 + noise.size());
    EXPECT_LE(p.app.poll.RxText.size(), 1024 + noise.size());
  }
}

TEST(Polling, ReadAndDecodingErrorsGoToTheInputErrorReport) {
  for (const bool readFails : {true, false}) {
    Polled p;
    if (readFails) p.comm1.failRead = RunTimeError(57, "/dev/ttyUSB0: Device disappeared");
    // Month 13 is outside the month table.
    p.comm1.Feed(AddCrc("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,231394,003.1,W*"));
    p.Tick();
    EXPECT_EQ(p.app.lastInputError.procName, "getGPSinput");
    EXPECT_EQ(p.app.lastInputError.description,
              readFails ? "/dev/ttyUSB0: Device disappeared" : "Subscript out of range");
    EXPECT_EQ(p.app.lastInputError.port, 3);
    EXPECT_EQ(p.app.unexpectedCount, 0);
  }
}

TEST(Polling, CompassTextOnTheOutputPortIsGatheredToThirtyOne) {
  Polled p;
  p.app.form1.mnuHCHDTinp.SetChecked(true);
  p.app.settings.ComPortOut = 2;
  p.comm2.Open(2, "4800,N,8,1", 1024, 512);
  p.comm2.Feed(std::string(25, 'a'));
  p.Tick();
  EXPECT_EQ(p.app.poll.RxTextHCHDT, std::string(25, 'a'));
  p.comm2.Feed("bcdef");
  p.Tick();
  EXPECT_EQ(p.app.poll.RxTextHCHDT.size(), 30u);  // 30 or fewer: still gathering
  p.comm2.Feed("0123");  // fewer than 5 waiting: not read
  p.Tick();
  EXPECT_EQ(p.app.poll.RxTextHCHDT.size(), 30u);
  p.comm2.Feed("4");
  p.Tick();
  EXPECT_EQ(p.app.poll.RxTextHCHDT, std::string(10, 'a') + "bcdef01234");
}

TEST(Polling, CompassPortClosedClearsTheMenuAndReports) {
  Polled p;
  p.app.form1.mnuHCHDTinp.SetChecked(true);
  p.app.settings.ComPortOut = 2;
  p.comm2.failRead = RunTimeError(err::kPortNotOpen);
  p.Tick();
  EXPECT_FALSE(p.app.form1.mnuHCHDTinp.Checked());
  EXPECT_EQ(p.app.lastOutputError.procName, "getHCHDTinput");
  EXPECT_EQ(p.app.lastOutputError.port, 2);
}

TEST(Polling, FastModeTogglesTheInterval) {
  test::TestRig rig;
  MenuItem& m = rig.app.form1.mnuPollingSpeed;
  m.Click();
  EXPECT_TRUE(m.Checked());
  EXPECT_EQ(rig.app.form1.tmrPolling.Interval(), 50);
  EXPECT_EQ(rig.app.settings.PollingInterval, 50);
  m.Click();
  EXPECT_EQ(rig.app.form1.tmrPolling.Interval(), 1500);
}

TEST(Polling, BadInputNeverEscapes) {
  const std::string inputs[] = {
      std::string(10000, ','),
      std::string("\0\0\0\0$GPRMC\0,,", 14),
      "$GPRMC," + std::string(40, '9') + ",A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*00",
      "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,231394,003.1,W",
      "$GPRMC,1e999,A,9e99,N,9e99,E,9e9,9e9,0,0,W*",
      "$GPRMC,,,,,,,,,,,,,,,,,,,,,*",
      "\xff\xfe\xb0$$$$****,,,,",
  };
  for (const bool verify : {true, false}) {
    for (const auto& in : inputs) {
      Polled p;
      p.app.form1.mnuCrcCheck.SetChecked(verify);
      p.comm1.Feed(in);
      p.Tick();
      p.Tick();
      EXPECT_EQ(p.app.unexpectedCount, 0) << p.app.lastUnexpected;
    }
  }
}

}  // namespace
}  // namespace koralin
