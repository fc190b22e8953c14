#include "nmea/polling.h"

#include <gtest/gtest.h>

#include "support/fakes.h"
#include "support/sentences.h"

namespace koralin {
namespace {

using test::Nmea;

const std::string kRmc = test::Rmc() + "\r\n";

// The program reading port 3, polled by its timer.
struct Polled : test::TestRig {
  Polled() {
    ReadyToDecode(3);
    comm1.Open(3, "4800,N,8,1", 1024, 512);
    app.form1.tmrPolling.SetInterval(1500);
    app.form1.tmrPolling.SetEnabled(true);
  }
  void Tick(const std::string& text = "") {
    comm1.Feed(text);
    clock.Advance(1500);
  }
};

TEST(Polling, FourCharactersAreNeededToReadAndInputOffStopsPolling) {
  const std::tuple<std::string, Colour, bool> cases[] = {
      {"", colour::kRed, false}, {"abc", colour::kRed, false}, {"abcd", colour::kWhite, true}};
  for (const auto& [waiting, lockBack, read] : cases) {
    Polled p;
    p.Tick(waiting);
    EXPECT_EQ(p.app.form1.lblLock.BackColor(), lockBack) << waiting;
    EXPECT_EQ(p.comm1.InBufferCount() == 0, read || waiting.empty()) << waiting;
    EXPECT_EQ(p.app.poll.RxTextDoppler, read ? waiting : "") << waiting;
  }
  Polled p;
  p.app.settings.ComPortIn = 0;
  p.Tick(kRmc);
  EXPECT_FALSE(p.app.form1.tmrPolling.Enabled());
  EXPECT_EQ(p.comm1.InBufferCount(), static_cast<int>(kRmc.size()));
}

TEST(Polling, SentenceSplitOverTwoPollsIsDecodedOnTheSecond) {
  for (const bool verify : {true, false}) {
    Polled p;
    p.app.form1.mnuCrcCheck.SetChecked(verify);
    p.Tick(kRmc.substr(0, 30));
    EXPECT_EQ(p.app.form1.lblLock.Caption(), "Old data");
    p.Tick(kRmc.substr(30));
    EXPECT_EQ(p.app.form1.lblLock.Caption(), "Rx ok");
    EXPECT_EQ(p.app.fix.LatitudeText, "4807.04N");
    EXPECT_EQ(p.app.poll.RxTextDoppler, kRmc.substr(30));
  }
}

TEST(Polling, ReadAndDecodingErrorsGoToTheInputErrorReport) {
  for (const bool readFails : {true, false}) {
    Polled p;
    p.Tick(kRmc);
    if (readFails) p.comm1.failRead = RunTimeError(57, "/dev/ttyUSB0: Device disappeared");
    p.Tick(Nmea("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,231394,003.1,W") + "\r\n");  // month 13
    if (!readFails) p.Tick("\r\n\r\n");  // the first sentence is the one carried over, so it comes next
    EXPECT_EQ(p.app.lastInputError.procName, "getGPSinput");
    EXPECT_EQ(p.app.lastInputError.description, readFails ? "/dev/ttyUSB0: Device disappeared" : "Subscript out of range");
    EXPECT_EQ(p.app.lastInputError.port, 3);
    EXPECT_EQ(p.app.unexpectedCount, 0);
    // A sentence that failed halfway leaves no values of the one before.
    EXPECT_EQ(p.app.fix.CourseText + p.app.fix.SpeedKnotsText + p.app.fix.UtcTimeText, readFails ? "084.4\xb0" "022.4" "12:35:19" : "");
    p.Tick();  // reported once: the input is off now
    EXPECT_EQ(p.dialogs.boxes.size(), 1u);
    EXPECT_FALSE(p.comm1.IsOpen());
  }
}

TEST(Polling, CompassTextOnTheOutputPortIsGatheredToThirtyOne) {
  Polled p;
  p.app.form1.mnuHCHDTinp.SetChecked(true);
  p.app.settings.ComPortOut = 2;
  p.comm2.Open(2, "4800,N,8,1", 1024, 512);
  p.comm2.Feed(std::string(25, 'a'));
  p.Tick();
  p.comm2.Feed("bcdef");
  p.Tick();
  EXPECT_EQ(p.app.poll.RxTextHCHDT.size(), 30u);  // 30 or fewer: still gathering
  p.comm2.Feed("0123");  // fewer than 5 waiting: not read
  p.Tick();
  EXPECT_EQ(p.app.poll.RxTextHCHDT.size(), 30u);
  p.comm2.Feed("4");
  p.Tick();
  EXPECT_EQ(p.app.poll.RxTextHCHDT, std::string(10, 'a') + "bcdef01234");
  p.comm2.Close();  // a closed compass port clears the entry and is reported
  p.comm2.failRead = RunTimeError(err::kPortNotOpen);
  p.Tick();
  EXPECT_FALSE(p.app.form1.mnuHCHDTinp.Checked());
  EXPECT_EQ(p.app.lastOutputError.procName, "getHCHDTinput");
  EXPECT_EQ(p.app.lastOutputError.port, 2);
}

// Hostile text: nothing may escape or grow without bound, and the last good
// values stay on screen.
TEST(Polling, HostileTextKeepsTheLastGoodValues) {
  std::string dfNoise;
  while (dfNoise.size() < 10000) dfNoise += "DF%[";
  std::vector<std::string> texts = {"%12\r\n", "DF1\r\n", "$DFBRG\r\n", "%1x3/4 DF12 $DFBRG99\r\n",
                                    "[] [x] [[[]]] DF\r\n", std::string(10000, '%'), dfNoise, "$GPGGA,1,2,3*\r\n",
                                    std::string(5000, '$'), std::string(10000, ','), std::string("\0\xff\xb0*,,,,", 9)};
  for (const char* s : {"HCHDT", "HCHDT,", "HCHDT,,", "HCHDT,9e999,T", "GPGGA,,,,,,,,,1e308,M",
                        "GPGGA,,,,,,,,,9e999,M", "PGRMZ,1e308,m", "PGRMZ,9e999,f", "GPGSA", "GPGSA,A,9e999"})
    texts.push_back(Nmea(s) + "\r\n");
  for (const bool verify : {true, false}) {
    Polled p;
    p.app.form1.mnuCrcCheck.SetChecked(verify);
    p.app.form1.mnuLockCheck.SetChecked(true);
    p.Tick(Nmea("GPGGA,1,2,N,3,E,1,06,1.40,545.4,M,47.2,M,,") + "\r\n" + Nmea("HCHDT,123.4,T") + "\r\n%123/4\r\n");
    const std::string flux = p.app.heading.FluxHeadingText;
    ASSERT_EQ(p.app.form1.lblHeight1.Caption(), "1789 ft");
    for (const std::string& t : texts) {
      p.Tick(t);
      EXPECT_EQ(p.app.heading.DopplerBearing, "%123") << t.substr(0, 40);
      EXPECT_EQ(p.app.heading.FluxHeadingText, flux) << t.substr(0, 40);
      // Unchecked, "$GPGGA,1,2,3*" is a sentence without altitude.
      EXPECT_TRUE(!verify || p.app.form1.lblHeight1.Caption() == "1789 ft") << t.substr(0, 40);
      EXPECT_LE(p.app.poll.RxText.size(), 1024 + t.size()) << t.substr(0, 40);
      EXPECT_LE(p.app.poll.RxHistory.size(), 500 + 2 + 1024 + t.size()) << t.substr(0, 40);
    }
    EXPECT_EQ(p.app.unexpectedCount, 0) << p.app.lastUnexpected;
    EXPECT_EQ(p.app.lastInputError.count, 0) << p.app.lastInputError.description;
  }
  // A broken $GPRMC may at worst be reported as an input error.
  for (const std::string& t : {"$GPRMC," + std::string(40, '9') + ",A,4807.038,N,01131.000,E,1,2,230394,,W*00",
                               std::string("\0\0\0\0$GPRMC\0,,", 14), std::string("$GPRMC,1e999,A,9e99,N,9e99,E,9e9,9e9,0,0,W*"),
                               std::string("$GPRMC,,,,,,,,,,,,,,,,,,,,,*")}) {
    for (const bool verify : {true, false}) {
      Polled p;
      p.app.form1.mnuCrcCheck.SetChecked(verify);
      p.Tick(t);
      p.Tick();
      EXPECT_EQ(p.app.unexpectedCount, 0) << p.app.lastUnexpected;
    }
  }
}

}  // namespace
}  // namespace koralin
