// Receivers the intake must read as they are: checksums in lower-case hex,
// receivers that send their fix without RMC, and what a poll carries into the next.
#include <gtest/gtest.h>

#include <vector>

#include "app/options_file.h"
#include "common/basic.h"
#include "support/fakes.h"
#include "support/files.h"
#include "support/sentences.h"

namespace koralin {
namespace {

using test::Nmea;

// A program reading port 3 at fast polling, its options read from Options.cfg.
struct Receiver : test::TestRig {
  explicit Receiver(const std::string& options) {
    app.settings.CfgFileName = folder / "Gps.cfg";
    test::WriteFile(folder / "Options.cfg", options);
    LoadOptions(app);
    ReadyToDecode(3);
    comm1.Open(3, "4800,N,8,1", 1024, 512);
    app.form1.mnuCrcCheck.SetChecked(true);
    app.form1.tmrPolling.SetInterval(50);
    app.form1.tmrPolling.SetEnabled(true);
    app.form1.tmrComInTimeOut.SetInterval(10000);
    app.form1.tmrComInTimeOut.SetEnabled(true);
  }
  // The same text once a second for this many seconds.
  void Send(const std::string& text, int seconds) {
    for (int s = 0; s < seconds; ++s) {
      comm1.Feed(text);
      clock.Advance(1000);
    }
  }
  test::TempFolder folder;
};

TEST(Checksums, EitherCaseOfHexUnlessOptionsCfgAsksForUpperCase) {
  const std::string rmc = Nmea("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W");  // *6A
  const std::string lower = rmc.substr(0, rmc.size() - 2) + "6a", wrong = rmc.substr(0, rmc.size() - 2) + "6b";
  // Options.cfg, the sentence received: the sentence taken (relayed as it came), or the caption's note
  const struct { const char* options; std::string sentence, taken; } rows[] = {
      {"", lower, lower}, {"CrcAnyCase=1\n", lower, lower}, {"", wrong, " CRC error !"},
      {"CrcAnyCase=0\n", lower, " CRC error !"}, {"CrcAnyCase=0\n", rmc, rmc},
  };
  for (const auto& r : rows) {
    Receiver rig(r.options);
    rig.Send(r.sentence + "\r\n", 1);
    const bool refused = rig.app.form1.Frame1.Caption().find("CRC error !") != std::string::npos;
    EXPECT_EQ(rig.app.form1.lblGPRMC.Caption() + (refused ? " CRC error !" : ""), r.taken) << r.options << r.sentence;
  }
}

const std::string kGga = Nmea("GPGGA,194100.00,4221.8235522,N,07101.9438007,W,1,04,1.4,6.914,M,-33.057,M,,");
const std::string kGns = Nmea("GNGNS,213712.000,4111.59903,N,11156.54809,W,AANN,13,0.93,01482.5,-016.5,,");
const std::string kGll = Nmea("GNGLL,4111.59903,S,11156.54809,E,213712.000,A,A");
const std::string kVoidRmc = Nmea("GPRMC,123519,V,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W");

TEST(FixWithoutRmc, AfterFiveSecondsWithoutRmcGgaGnsOrGllGiveTheFix) {
  const std::string hdt = Nmea("GPHDT,274.11,T") + "\r\n";
  // Options.cfg, what arrives each second, for how long: what shows (the lock, the fix taken, the rose's
  // heading with "~" the degree sign, and whether the no-input watchdog went off)
  const struct { const char* options; std::string text; int seconds; const char* shown; } rows[] = {
      {"", kGga, 4, "Old data|  |"},
      {"", kGga, 25, "Rx ok|4221.82N 07101.94W 19:41:00|---~"},  // and the watchdog counts it as input
      {"", kGns, 6, "Rx ok|4111.60N 11156.55W 21:37:12|---~"},
      {"", kGll, 6, "Rx ok|4111.60S 11156.55E 21:37:12|---~"},
      {"", Nmea("GPGGA,194100.00,,,,,0,00,,,M,,M,,"), 6, "Rx not ok|  |"},
      {"", kVoidRmc + "\r\n" + kGga, 25, "Rx not ok|  |"},  // an RMC speaks for itself
      {"", hdt + kGga, 6, "Rx ok|4221.82N 07101.94W 19:41:00|274~"},
      {"FixWithoutRmc=0\n", kGga, 25, "Old data|  ||warning"},
  };
  for (const auto& r : rows) {
    Receiver rig(r.options);
    rig.Send(r.text + "\r\n", r.seconds);
    const FixState& fix = rig.app.fix;
    const Form1& f = rig.app.form1;
    EXPECT_EQ(f.lblLock.Caption() + "|" + fix.LatitudeText + " " + fix.LongitudeText + " " + f.lblTime.Caption() + "|" +
                  Replace(f.lblCompass.Caption(), std::string(1, kDegree), "~") + (rig.system.beeps > 0 ? "|warning" : ""),
              r.shown) << r.options << r.text << " for " << r.seconds;
  }
}

// What a poll carries into the next one: a sentence still unfinished, or one
// its own poll could not decode. One with its line end is decoded and relayed
// in the poll that brings it.
std::string Gga(const std::string& time) {
  return test::Nmea("GPGGA," + time + ",4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,") + "\r\n";
}
std::string Rmc(const std::string& time) { return test::Rmc(time) + "\r\n"; }

// A 1 Hz burst that ends with its $GPRMC, as many receivers send it.
std::string Burst(const std::string& time) {
  return Gga(time) + test::Nmea("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1") + "\r\n" + Rmc(time);
}

// Port 3 in, port 1 out with the plain $GPRMC relay; polled by its timer.
struct Relaying : Receiver {
  explicit Relaying(bool verify) : Receiver("AnyTalker=0\n") {
    comm2.Open(1, "4800,N,8,1", 1024, 512), app.settings.ComPortOut = 1;
    app.form1.mnuRMCPlainOut.SetChecked(true), app.form1.mnuCrcCheck.SetChecked(verify);
  }
  // What the output got from this poll.
  std::string Poll(const std::string& text) {
    comm1.Feed(text);
    clock.Advance(50);
    return std::exchange(comm2.written, "");
  }
};

// The polls' texts, and what each poll relays.
TEST(Tail, AFixIsRelayedByThePollThatBringsItsLineEnd) {
  const std::string first = Burst("120000"), a = Rmc("120000"), b = Rmc("120001"), c = Rmc("120002");
  const struct { const char* what; std::vector<std::string> polls, relayed; } cases[] = {
      {"a burst per poll", {first, Burst("120001")}, {a, b}},
      {"the fix split", {first.substr(0, first.size() - 20), first.substr(first.size() - 20)}, {"", a}},
      {"its LF in the next poll", {first.substr(0, first.size() - 1), "\n" + Burst("120001")}, {a, b}},
      // Two in one poll: the decoder takes the first, the second waits...
      {"two in one poll", {a + b, Gga("120002")}, {a, b}},
      // ...unless a newer one comes, which it would only hold up.
      {"two, then a newer", {a + b, c}, {a, c}},
  };
  for (const bool verify : {true, false})
    for (const auto& [what, polls, relayed] : cases) {
      Relaying rig(verify);
      for (std::size_t i = 0; i < polls.size(); ++i) EXPECT_EQ(rig.Poll(polls[i]), relayed[i]) << what << " " << i;
    }
}

// Split anywhere, every fix is relayed once and none is lost. Whole bursts in
// polls of their own: each sentence is decoded, and so logged, once.
TEST(Tail, AnySplitRelaysEachFixOnce) {
  const std::string stream = Burst("120000") + Burst("120001");
  for (const bool verify : {true, false})
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
      Relaying rig(verify);
      rig.app.form1.mnuLoggen.SetChecked(true);
      std::string relayed;
      for (const std::string& text : {stream.substr(0, cut), stream.substr(cut), Gga("120002")})
        relayed += rig.Poll(text);
      EXPECT_EQ(relayed, Rmc("120000") + Rmc("120001")) << "cut at " << cut << (verify ? ", verified" : "");
      if (cut == stream.size() / 2) {
        EXPECT_EQ(rig.app.log.LogBuffer, Rmc("120000") + Gga("120000") + Rmc("120001") + Gga("120001") + Gga("120002"));
      }
    }
}

}  // namespace
}  // namespace koralin
