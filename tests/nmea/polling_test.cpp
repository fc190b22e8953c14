#include "nmea/polling.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "common/basic.h"
#include "nmea/sentence.h"
#include "support/fakes.h"
#include "support/files.h"
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

// Fast polling rests on a quiet serial line only: anything a tick would act on
// keeps it polling.
TEST(Polling, FastPollingRestsOnlyOnAQuietOpenSerialInput) {
  using Change = void (*)(Polled&);
  const std::pair<const char*, Change> keepPolling[] = {
      {"port cannot tell", [](Polled& p) { p.comm1.canWake = false; }},
      {"characters waiting", [](Polled& p) { p.comm1.Feed("ab"); }},
      {"slow polling", [](Polled& p) { p.app.form1.tmrPolling.SetInterval(1000); }},
      {"demo input", [](Polled& p) { p.app.settings.ComPortIn = -1; }},
      {"input lost", [](Polled& p) { p.app.serial.InLost = true; }},
      {"compass input", [](Polled& p) { p.app.form1.mnuHCHDTinp.SetChecked(true); }},
      {"lock not red yet", [](Polled& p) { p.app.form1.lblLock.SetBackColor(colour::kWhite); }},
      {"a fix this tick", [](Polled& p) { p.app.fix.GPRMCFound = true; }},
      {"port closed", [](Polled& p) { p.comm1.Close(); }},
  };
  const auto rests = [](Change change) {
    Polled p;
    p.app.form1.tmrPolling.SetInterval(50);
    p.comm1.canWake = true;
    p.Tick();
    if (change) change(p);
    bool woken = false;
    const bool rest = p.app.form1.tmrPolling.mayRest([&woken] { woken = true; });
    if (p.comm1.wake) p.comm1.wake();
    return rest && woken;
  };
  EXPECT_TRUE(rests(nullptr));
  for (const auto& [what, change] : keepPolling) EXPECT_FALSE(rests(change)) << what;
}

TEST(Polling, SentenceSplitOverTwoPollsIsDecodedOnTheSecond) {
  for (const bool verify : {true, false}) {
    Polled p;
    p.app.form1.mnuCrcCheck.SetChecked(verify);
    p.Tick(kRmc.substr(0, 30));
    EXPECT_EQ(p.app.form1.lblLock.Caption(), "Old data");
    p.Tick(kRmc.substr(30));
    EXPECT_EQ(p.app.form1.lblLock.Caption() + p.app.fix.LatitudeText + p.app.poll.RxTextDoppler,
              "Rx ok4807.04N" + kRmc.substr(30));
  }
  for (const std::size_t tail : {1023, 1024}) {  // a "$" with more behind it is noise and not carried
    Polled p;
    p.Tick("$" + std::string(tail, 'x'));
    p.Tick("abcd");
    EXPECT_EQ(p.app.poll.RxText.size(), tail == 1023 ? 1028u : 4u);
  }
}

// Every field of each decoded sentence spoiled in turn (a number beyond any
// range, a 100-character field) and dates that are no dates: the sentence is
// dropped as a checksum error is, the input stays on, the next poll decodes.
TEST(Polling, UndecodableSentencesAreDroppedAndOnlyAPortFaultSwitchesTheInputOff) {
  const std::string good[] = {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W",
                              "GPGGA,121945,5146.6039,N,00531.2582,E,1,06,1.40,545.4,M,47.2,M,,",
                              "GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1"};
  std::vector<std::pair<std::string, bool>> rows;  // sentence body, dropped before decoding
  for (const std::string& body : good) {
    std::vector<std::string> fields;
    for (std::size_t from = 0, comma = 0; comma != std::string::npos; from = comma + 1)
      fields.push_back(body.substr(from, (comma = body.find(',', from)) - from));
    for (std::size_t i = 1; i < fields.size(); ++i)
      for (const std::string& bad : {std::string("1e39"), std::string("-9e99"), std::string(100, '7')}) {
        std::string spoilt = fields[0];
        for (std::size_t j = 1; j < fields.size(); ++j) spoilt += "," + (j == i ? bad : fields[j]);
        rows.emplace_back(spoilt, true);
      }
  }
  for (const char* date : {"231394", "320394", "230094"})
    rows.emplace_back("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4," + std::string(date) + ",003.1,W",
                      std::string(date) != "230094");  // month 0 is the table's "Empty" row
  const std::string next = Nmea("GPRMC,130000,A,4807.038,N,01131.000,E,1,2,230394,,W") + "\r\n" +
                           Nmea("GPGGA,1,2,N,3,E,1,06,1.40,100,M,,M,,") + "\r\n" + Nmea("GPGSA,A,2") + "\r\n";
  for (const bool clockPending : {false, true})
    for (const auto& [body, dropped] : rows) {
      SCOPED_TRACE(body + (clockPending ? " (clock setting pending)" : ""));
      Polled p;
      p.app.form1.mnuLockCheck.SetChecked(true);
      if (clockPending) p.app.shell.ClockOffsetPending = 1;
      p.Tick(Nmea(body) + "\r\n" + Nmea("GPVTG,,T") + "\r\n");
      if (dropped) {
        EXPECT_EQ(p.app.form1.Frame1.Caption(), "GPS-NMEA-0183 Bad sentence !");
        EXPECT_EQ(p.app.form1.lblGPRMC.Caption().find("1e39"), std::string::npos);
      }
      p.Tick(next);
      EXPECT_EQ(p.app.form1.lblTime.Caption() + p.app.form1.lblHeight1.Caption() + p.app.form1.Frame1.Caption(),
                "13:00:00328 ftGPS-NMEA-0183 (Locked 2D)");
      EXPECT_TRUE(p.comm1.IsOpen() && p.dialogs.boxes.empty() && p.app.lastInputError.count + p.app.unexpectedCount == 0)
          << p.app.lastInputError.description << p.app.lastUnexpected;
    }
  Polled faulty;  // only a port fault switches the input off
  faulty.comm1.failRead = RunTimeError(57, "/dev/ttyUSB0: Device disappeared");
  faulty.Tick(kRmc);
  faulty.Tick();  // reported once: the input is off now
  const ErrorRecord& fault = faulty.app.lastInputError;
  EXPECT_EQ(fault.procName + " " + std::to_string(fault.port) + " " + fault.description,
            "getGPSinput 3 /dev/ttyUSB0: Device disappeared");
  EXPECT_TRUE(faulty.dialogs.boxes.size() == 1 && !faulty.comm1.IsOpen());
}

// Hostile text: nothing grows without bound, and the last good values stay
// on screen. (That nothing escapes is the intake fuzzer's to find.)
TEST(Polling, HostileTextKeepsTheLastGoodValues) {
  std::vector<std::string> texts = {"%1x3/4 DF12 $DFBRG99\r\n", "[] [x] [[[]]] DF\r\n", std::string(10000, '%'),
                                    "$GPGGA,1,2,3*\r\n", std::string(5000, '$'), std::string(10000, ',')};
  for (const char* s : {"HCHDT,", "HCHDT,9e999,T", "GPGGA,,,,,,,,,1e308,M", "PGRMZ,9e999,f", "GPGSA,A,9e999"})
    texts.push_back(Nmea(s) + "\r\n");
  Polled p;  // checksums verified; unverified intake meets real receivers' text in the corpus replay
  p.app.form1.mnuCrcCheck.SetChecked(true);
  p.app.form1.mnuLockCheck.SetChecked(true);
  p.Tick(Nmea("GPGGA,1,2,N,3,E,1,06,1.40,545.4,M,47.2,M,,") + "\r\n" + Nmea("HCHDT,123.4,T") + "\r\n%123/4\r\n");
  for (const std::string& t : texts) {
    p.Tick(t);
    EXPECT_EQ(p.app.heading.DopplerBearing + "|" + p.app.form1.lblHeight1.Caption() + "|" + p.app.heading.FluxHeadingText,
              "%123|1789 ft|123.4" + std::string(1, kDegree) + "F") << t.substr(0, 40);
    EXPECT_LE(p.app.poll.RxHistory.size() + p.app.poll.RxText.size(), 500 + 2 + 2 * (1024 + t.size()));
  }
  EXPECT_EQ(p.app.unexpectedCount, 0) << p.app.lastUnexpected;
}

TEST(Polling, LockTextsInTheFrameCaptionWhileTheLockCheckIsOn) {
  test::TestRig rig;
  Form1& f = rig.app.form1;
  f.mnuCrcCheck.SetChecked(true);
  f.mnuLockCheck.Click();
  const std::pair<std::string, const char*> cases[] = {
      {"1", " (Not locked)"}, {"2", " (Locked 2D)"}, {"0", " "}, {"x", " "}, {"34", " (Very good lock 3D)"}, {"", " "}};
  std::string spinner;  // turns once per decoding
  for (const auto& [mode, lock] : cases) {
    rig.app.poll.RxText = "junk" + test::Nmea("GPGSA,A," + mode + ",04,05,,,");
    DispatchSentences(rig.app);
    EXPECT_EQ(f.Frame1.Caption(), std::string("GPS-NMEA-0183") + lock) << mode;
    spinner += f.lblTurnPrompt.Caption();
  }
  EXPECT_EQ(spinner, "0/-\\0/");
  f.mnuLockCheck.Click();  // switched off: the lock text goes and no longer comes back
  EXPECT_EQ(f.Frame1.Caption(), "GPS-NMEA-0183");
  DispatchSentences(rig.app);
  EXPECT_EQ(f.Frame1.Caption(), "GPS-NMEA-0183");
}

const std::string kGood = test::Rmc();  // ...,W*6A
constexpr const char* kZero = "$GPRMC,000000,A,0000.0000,N,00000.0000,E,0.000,0.000,000000,0.000,W,A*68";

TEST(GetSentence, FindsChecksAndCuts) {
  const struct { bool verify; std::string text, expected; } cases[] = {
      {true, "$GPGGA,1,2*00\r\n" + kGood + "\r\n$GPRMC,1,2,3*00\r\n", kGood},  // the first one only
      {true, "$GPGGA,123519,4807.038,N*00", ""}, {true, kGood.substr(0, kGood.size() - 1), ""},  // one character after the star
      {true, "$GPRMC,123519,A,4807.038,N,01131.000,E", ""},
      {true, "$GPRMC,,V,,,,,,,,,,N*53", "$GPRMC,,V,,,,,,,,,,N*53"}, {false, kGood + "\r\n", kGood.substr(0, kGood.size() - 3)},
      {false, "$GPRMC,1,2", ""}, {false, "$GPRMC,1*2", "$GPRMC,1"},  // unchecked: cut before the star, ten characters at least
      {false, "$GPRMC" + std::string(90, 'x'), "$GPRMC" + std::string(72, 'x')}, {false, "$GPRMC,1\r\n,2*", "$GPRMC,1,2"},
  };
  for (const auto& c : cases) {
    test::TestRig rig;
    rig.app.form1.mnuCrcCheck.SetChecked(c.verify);
    EXPECT_EQ(GetSentence(rig.app, "$GPRMC", c.text), c.expected) << c.text;
    EXPECT_EQ(rig.app.form1.Frame1.Caption(), "GPS NMEA-0183") << c.text;
  }
  test::TestRig rig;  // only a checksum that does not match is reported, in the frame
  rig.app.form1.mnuCrcCheck.SetChecked(true);
  EXPECT_EQ(GetSentence(rig.app, "$GPRMC", kGood.substr(0, kGood.size() - 1) + "B") + rig.app.form1.Frame1.Caption(),
            "GPS-NMEA-0183 CRC error !");
}

TEST(CrcOk, AcceptsOnlyUpperCaseHexOfTheBody) {
  const std::pair<std::string, bool> cases[] = {
      {kGood, true}, {kZero, false},  // the body's checksum is 09
      {"$GPRMC,,V,,,,,,,,,,N*53", true}, {"$GPRMC,,V,,,,,,,,,,N*5", false}, {"$PSRF100,1*0E", false},
      {"$A,23456*3", false}, {"$ABCDEFG*41", false}, {"short*0", false}, {"no dollar here at all*00", false},
      {"$GPRMC,,V,,,,,,,,,,N", false}, {kGood.substr(0, kGood.size() - 1) + "a", false},
      {"$GPXYZ,p,0*C", true}, {"$GPXYZ,p,0*0C", true}, {"$GPXYZ,p,0*0c", false},  // single-digit checksums
      {"$GPXYZ,p,0*C\r\n", true}, {"$GPXYZ,p,0*C.", true},
  };
  for (const auto& [sentence, ok] : cases) EXPECT_EQ(CrcOk(sentence), ok) << sentence;
}

TEST(FindSentence, AnyTalkerStandsForTwoUpperCaseLetters) {
  const struct { bool anyTalker; const char* prefix; std::string text; std::size_t at; } cases[] = {
      {true, "$GPRMC", "x$GNRMC,1", 2}, {false, "$GPRMC", "$GNRMC,1", 0}, {true, "$GPRMC", "$GPSRMC,1$gnRMC,1$G1RMC,1$GRMC,1", 0},
      {true, "$GPRMC", "$GARMC,1$GPRMC,1", 1},  // the first in the text wins
      {true, "$HCHDT", "$IIHDT,1", 1}, {true, "$GP", "ab$BDGSV,1", 3},  // the baud search's test
      {true, "$PGRMZ", "$GNRMZ,1", 0},  // a maker's own sentence keeps its name
  };
  for (const auto& c : cases) {
    test::TestRig rig;
    rig.app.form1.mnuAnyTalker.SetChecked(c.anyTalker);
    EXPECT_EQ(FindSentence(rig.app, c.prefix, c.text), c.at) << c.anyTalker << " " << c.prefix << " " << c.text;
    EXPECT_EQ(FindSentence(rig.app, "$GP", "$GPGSV,1$GPRMC", 3), 9u) << "from the third character on";
  }
}

// Real receiver logs through the whole intake, in chunks of random sizes:
// the one replay of the recorded logs in the suite.
// The position shown at the end of a replay: degrees, whole minutes and
// hemisphere of latitude and longitude ("" when none was shown).
std::string Play(const std::string& log, bool verify, unsigned seed) {
  Polled rig;
  Form1& f = rig.app.form1;
  f.mnuCrcCheck.SetChecked(verify);
  f.mnuLockCheck.SetChecked(true);
  f.mnuAnyTalker.SetChecked(true);
  f.tmrPolling.SetInterval(50);
  std::mt19937 random(seed);
  for (std::size_t at = 0, n; at < log.size(); at += n) {
    n = std::min<std::size_t>(random() % 300 + 1, log.size() - at);
    rig.comm1.Feed(log.substr(at, n));
    rig.clock.Advance(50);
    EXPECT_EQ(rig.app.unexpectedCount, 0) << rig.app.lastUnexpected;
    EXPECT_LE(rig.app.poll.RxText.size(), 1024 + 300 + 4);
  }
  const std::string &lat = rig.app.fix.LatitudeText, &lon = rig.app.fix.LongitudeText;
  if (lat.size() != 8 || lon.size() != 9) return "";
  return lat.substr(0, 4) + lat.substr(7) + " " + lon.substr(0, 5) + lon.substr(8);
}

TEST(Corpus, EveryLogWithAValidRmcEndsWithItsPosition) {
  // Logs not named here hold no valid RMC of any talker.
  const std::map<std::string, std::string> positions = {
      {"bu353-glonass.log", "5541N 03737E"}, {"et-332.log", "3940N 07544W"}, {"firefly-II.log", "3715N 12157W"},
      {"foretrex-201.log", "5504N 01025E"}, {"furuno_gl_ga.log", "5957N 01100E"}, {"garmin15x.log", "3238N 10822W"},
      {"gpsdf.log", "4404N 12118W"}, {"isync.log", "4153N 08738W"}, {"mtk-3301.log", "5212N 00653E"},
      {"nl402u.log", "5405N 01049E"}, {"nmea-rtk.log", "4134N 09345W"}, {"polarx2.log", "3844N 00908W"},
      {"quectel-eg25-g.log", "3645N 03124E"}, {"quectel-l76k-nmea.log", "4739N 12219W"},
      {"saab-r4.log", "5012N 00806W"}, {"skytraq-PX1172RH_DS.log", "4404N 12118W"}, {"sl869.log", "3340S 15117E"},
      {"st-teseo-liv4f.log", "4723N 00045E"}, {"triton400.log", "2638N 08011W"}, {"ublox-8.log", "4404N 12118W"},
      {"ublox-zed-f9p-nmea.log", "4552S 17030E"}, {"unicore-um621.log", "4404N 12118W"},
      {"venus634lp.log", "5355N 02730E"},
  };
  const auto logs = test::CorpusLogs();
  if (logs.empty()) GTEST_SKIP() << "no receiver logs at " << KORALIN_CORPUS_DIR;
  for (const auto& path : logs) {
    const std::string name = path.filename().string(), log = test::ReadFile(path.string());
    const auto expected = positions.find(name);
    for (const bool verify : {true, false}) {
      // Unchecked sentences are cut at 78 characters: the RTK log's RMCs lose their last fields.
      const bool none = expected == positions.end() || (!verify && name == "nmea-rtk.log");
      EXPECT_EQ(Play(log, verify, verify ? 1u : 2u), none ? "" : expected->second) << name << (verify ? " verified" : "");
    }
  }
}

}  // namespace
}  // namespace koralin
