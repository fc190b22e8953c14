// The intake: polling, decoding, the receiver logs replayed, the fix, heading, bearings and altitude.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "app/altitude_intake.h"
#include "app/fix_intake.h"
#include "app/heading_intake.h"
#include "app/intake.h"
#include "common/basic.h"
#include "display/fix_view.h"
#include "nmea/degrees.h"
#include "support/fakes.h"
#include "support/files.h"
#include "support/sentences.h"

namespace koralin {
namespace {

using test::Nmea;

std::string Deg(const std::string& s) { return Replace(s, "~", std::string(1, kDegree)); }

// $GPRMC with this status, speed and date.
std::string Rmc(const std::string& status, const std::string& speed = "022.4", const std::string& date = "230394") {
  return Nmea("GPRMC,123519," + status + ",4807.038,N,01131.000,E," + speed + ",084.4," + date + ",003.1,W");
}

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

TEST(Polling, FastPollingRestsOnlyOnAQuietSerialLine) {
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
    return rest ? (woken ? "rests, woken at input" : "rests, never woken") : "polls";
  };
  EXPECT_STREQ(rests(nullptr), "rests, woken at input");
  for (const auto& [what, change] : keepPolling) EXPECT_STREQ(rests(change), "polls") << what;
}

TEST(Polling, ADollarWithMoreBehindItIsNoiseAndNotCarried) {
  for (const std::size_t tail : {1023, 1024}) {
    Polled p;
    p.Tick("$" + std::string(tail, 'x'));
    p.Tick("abcd");
    EXPECT_EQ(p.app.poll.RxText.size(), tail == 1023 ? 1028u : 4u);
  }
}

// Hostile text: nothing grows without bound, and the last good values stay
// on screen. (That nothing escapes is the intake fuzzer's to find.)
TEST(Polling, HostileTextGrowsNothingAndLeavesTheLastGoodValues) {
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
              Deg("%123|1789 ft|123.4~F")) << t.substr(0, 40);
    EXPECT_LE(p.app.poll.RxHistory.size() + p.app.poll.RxText.size(), 500 + 2 + 2 * (1024 + t.size()));
  }
  EXPECT_EQ(p.app.unexpectedCount, 0) << p.app.lastUnexpected;
}

// Every field of each decoded sentence spoiled in turn (a number beyond any
// range, a 100-character field) and dates that are no dates: the sentence is
// dropped as a checksum error is, the input stays on, the next poll decodes.
TEST(Sentences, AnUndecodableSentenceIsDroppedAsAChecksumErrorIs) {
  const std::string good[] = {"GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W",
                              "GPGGA,121945,5146.6039,N,00531.2582,E,1,06,1.40,545.4,M,47.2,M,,",
                              "GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1"};
  std::vector<std::pair<std::string, bool>> rows;  // sentence, dropped before decoding
  for (const std::string& body : good)
    for (std::size_t comma = body.find(','); comma != std::string::npos; comma = body.find(',', comma + 1)) {
      const std::string rest = body.substr(std::min(body.find(',', comma + 1), body.size()));
      for (const std::string& bad : {std::string("1e39"), std::string("-9e99"), std::string(100, '7')})
        rows.emplace_back(Nmea(body.substr(0, comma + 1) + bad + rest), true);
    }
  // Month 0 is the table's "Empty" row; day 0 is kept too.
  for (const auto& [date, dropped] : {std::pair{"231394", true}, {"320394", true}, {"230094", false}, {"000394", false}})
    rows.emplace_back(Rmc("A", "022.4", date), dropped);
  const std::string next = Nmea("GPRMC,130000,A,4807.038,N,01131.000,E,1,2,230394,,W") + "\r\n" +
                           Nmea("GPGGA,1,2,N,3,E,1,06,1.40,100,M,,M,,") + "\r\n" + Nmea("GPGSA,A,2") + "\r\n";
  for (const auto& [sentence, dropped] : rows) {
    SCOPED_TRACE(sentence);
    Polled p;
    p.app.form1.mnuLockCheck.SetChecked(true);
    p.Tick(sentence + "\r\n" + Nmea("GPVTG,,T") + "\r\n");
    const bool shown = p.app.form1.lblGPRMC.Caption().find("1e39") != std::string::npos;
    EXPECT_EQ(p.app.form1.Frame1.Caption() == "GPS-NMEA-0183 Bad sentence !", dropped);
    EXPECT_FALSE(dropped && shown);
    p.Tick(next);
    EXPECT_EQ(p.app.form1.lblTime.Caption() + p.app.form1.lblHeight1.Caption() + p.app.form1.Frame1.Caption(),
              "13:00:00328 ftGPS-NMEA-0183 (Locked 2D)");
    EXPECT_TRUE(p.comm1.IsOpen() && p.dialogs.boxes.empty() && p.app.lastInputError.count + p.app.unexpectedCount == 0)
        << p.app.lastInputError.description << p.app.lastUnexpected;
  }
}

// A receiver log through the whole intake, in chunks of random sizes; the
// position shown at the end: degrees, whole minutes and hemisphere ("" for none).
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
  }
  const std::string &lat = rig.app.fix.LatitudeText, &lon = rig.app.fix.LongitudeText;
  if (lat.size() != 8 || lon.size() != 9) return "";
  return lat.substr(0, 4) + lat.substr(7) + " " + lon.substr(0, 5) + lon.substr(8);
}

TEST(Corpus, EveryLogWithAValidRmcEndsWithItsPosition) {
  // Logs not named here report no fix (tnt-revolution is a compass; the Garmins and the Holux say "V").
  const std::map<std::string, std::string> positions = {
      {"bu353-glonass.log", "5541N 03737E"}, {"ericsson-gru04-02-70sec.log", "4111N 11156W"},
      {"hemi.log", "4221N 07101W"}, {"et-332.log", "3940N 07544W"}, {"firefly-II.log", "3715N 12157W"},
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

TEST(ExtractingGPRMC, WhatEachSentenceShowsAndWhereItPlacesTheFix) {
  // shown: the lock, the compass and its text with their colours, and the rose's colour
  const struct { int input; std::string flux, sentence, shown; } cases[] = {
      {1, "", "$GPGGA,1*00\r\n" + Rmc("A") + "\r\n", "Rx ok|084.4~|East green"},
      {1, "", Rmc("V"), "Rx not ok|084.4~|East red"}, {1, "", Rmc(""), "No Rx|084.4~|East green"},
      {1, "", Rmc("X"), "No Rx|084.4~|East green"},   {1, "", Rmc("A", "022.4", ""), "Old data|084.4~|East red"},
      {1, "", test::Nmea("GPRMC,123519,A,4807.038,N"), "Rx ok|084.4~|East green"},  // fewer than 11 commas: not decoded
      {1, "", "$GPRMC,1,2*00", "Old data|084.4~|East red"},
      // Too slow for the GPS course: the flux-gate heading, without its mark.
      {1, "123.4~F", Rmc("A", "000.4"), "Rx ok|123~ cyan|East pink red"},
      {1, "", Rmc("A", "005.0"), "Rx ok|084.4~|East pink green"},  // at the least speed: not moving
      {0, "", "", "Rx off|---~|--- pink red"},  // input off: the zero sentence
  };
  for (const auto& c : cases) {
    test::TestRig d;
    d.ReadyToDecode(c.input);
    d.app.form1.mnuCrcCheck.SetChecked(true);
    d.app.settings.MinGpsSpeedOut = 5;
    ExtractingGPRMC(d.app, Rmc("A"));
    d.app.heading.FluxHeadingText = Deg(c.flux);
    ExtractingGPRMC(d.app, c.sentence);
    const Form1& f = d.app.form1;
    EXPECT_EQ(f.lblLock.Caption() + "|" + f.lblCompass.Caption() +
                  (f.lblCompass.BackColor() == colour::kCyan ? " cyan" : "") + "|" + Trim(f.lblCompassText.Caption()) +
                  (f.lblCompassText.BackColor() == colour::kPink ? " pink " : " ") +
                  (d.app.fix.CourseColour == colour::kGreen ? "green" : "red"), Deg(c.shown)) << c.sentence;
    EXPECT_EQ(f.lblLatitude.Caption() + " " + f.lblLongitude.Caption() + " " + f.lblTime.Caption() + " " +
                  f.lblDate.Caption(), Deg(c.input ? "48~07.04'N 011~31.00'E 12:35:19 23-March-2094"
                                                   : "00~00.00'N 000~00.00'E 00:00:00 00-Empty-2000")) << c.sentence;
  }
}

// Four void fixes in a row zero the speed; an "A" in between restarts the count.
TEST(ExtractingGPRMC, AGoodFixIsKeptAndPublishedAVoidOneSetsTheDateAndFourInARowZeroTheSpeed) {
  test::TestRig d;
  d.ReadyToDecode(1);
  ExtractingGPRMC(d.app, Rmc("A"));
  EXPECT_EQ(d.app.fix.LatitudeText + d.app.fix.LongitudeText + d.app.fix.UtcDateText + d.app.form1.lblLat1.Caption() +
                d.app.form1.lblCompas1.Caption() + std::to_string(d.app.form1.tmrComInTimeOut.Enabled()),
            Deg("4807.04N01131.00E23-03-20944807.04N084.4~1"));
  ExtractingGPRMC(d.app, Rmc("V", "022.4", "240394"));
  EXPECT_EQ(d.app.form1.lblDate.Caption(), "24-March-2094");
  for (int i = 1; i <= 6; ++i) ExtractingGPRMC(d.app, Rmc(i == 3 ? "A" : "V"));  // three, "A", three
  EXPECT_EQ(d.app.fix.SpeedKnotsText, "022.4");
  ExtractingGPRMC(d.app, Rmc("V"));
  EXPECT_EQ(d.app.fix.SpeedKnotsText + std::to_string(d.app.fix.VoidCount), "00");
}

std::string Flux(const std::string& v) { return Deg(v + "~F"); }
std::string Gga(const std::string& altitude, const std::string& unit) {
  return Nmea("GPGGA,121945,5146.6039,N,00531.2582,E,1,06,1.40," + altitude + "," + unit + ",47.2,M,,");
}
std::string Rmz(const std::string& altitude, const std::string& unit) {
  return Nmea("PGRMZ," + altitude + "," + unit + ",3");
}

// The decoders of the heading, the altitude and the bearings, checksums verified.
struct Decoders : ::testing::Test {
  Decoders() { f.mnuCrcCheck.SetChecked(true); }
  bool Compass(const std::string& text) {
    bool found = true;
    ExtractingHCHDT(app, text, found);
    return found;
  }
  // One poll holding text, decoded as the dispatcher does.
  void Altitude(const std::string& text) {
    ExtractingGPGGA(app, text);
    ExtractingPGRMZ(app, text);
  }
  test::TestRig rig;
  App& app = rig.app;
  Form1& f = rig.app.form1;
  HeadingState& h = rig.app.heading;
};

// Once seen, the heading stays until eleven sentences in a row lack the true mark.
TEST_F(Decoders, ACompassSentenceSetsTheFluxHeadingWhichStaysUntilElevenLackTheTrueMark) {
  h.FluxHeadingText = "stale";
  // No compass seen yet: nothing shown.
  EXPECT_EQ(std::to_string(Compass("nothing here")) + h.FluxHeadingText + (f.lblFluxGateCompass.Visible() ? "shown" : ""), "0");
  const std::string s = Nmea("HCHDT,123.4,T");
  app.settings.FluxCompassOffset = 10;
  EXPECT_TRUE(Compass("$GPRMC,junk\r\n" + s + "\r\n"));
  EXPECT_EQ(h.FluxHeadingText + f.lblFluxGateCompass.Caption(), Flux("123.4") + s);
  EXPECT_EQ(GetHeadingText(app), Flux("133"));  // no valid GPS fix: the compass with its offset
  EXPECT_FALSE(Compass("$GPRMC,no compass"));   // once seen, the heading stays
  EXPECT_EQ(h.FluxHeadingText + h.HCHDTSentence + std::to_string(f.lblFluxGateCompass.Visible()), Flux("123.4") + "1");
  EXPECT_TRUE(Compass(Nmea("HCHDT,7,t")));
  for (int i = 1; i <= 10; ++i) EXPECT_TRUE(Compass(Nmea("HCHDT,45.0,M")));
  EXPECT_EQ(h.FluxHeadingText, Flux("007.0"));
  for (int i = 0; i < 20; ++i) Compass(Nmea("HCHDT,45.0,M"));
  EXPECT_EQ(h.FluxHeadingText + std::to_string(h.FluxNoTrueCount), "11");  // held there, so it never runs over
  Compass(Nmea("HCHDT,46.0,T"));
  EXPECT_EQ(h.FluxHeadingText + std::to_string(h.FluxNoTrueCount), Flux("046.0") + "0");
}

TEST_F(Decoders, TheCompassIsRelayedAndReadingItFromTheOutputPortStartsAfresh) {
  app.settings.ComPortOut = 1;
  rig.comm2.Open(1, "4800,N,8,1", 1024, 512);
  f.mnuHCHDTout.SetChecked(true);
  Compass(Nmea("HCHDT,47.0,T"));
  EXPECT_EQ(rig.comm2.written, Nmea("HCHDT,47.0,T") + "\r\n");
  app.poll.RxTextHCHDT = "$HCHDT,1";
  f.mnuHCHDTinp.Click();
  EXPECT_EQ(app.poll.RxTextHCHDT + h.HCHDTSentence + f.lblFluxGateCompass.Caption() + h.FluxHeadingText, Flux("047.0"));
  EXPECT_TRUE(f.tmrPolling.Enabled() && !f.lblFluxGateCompass.Visible());  // the heading itself is kept
  f.tmrPolling.SetEnabled(false);
  f.mnuHCHDTinp.Click();
  EXPECT_FALSE(f.tmrPolling.Enabled());
}

TEST_F(Decoders, TheHeadingIsTheCourseWhenMovingElseTheCompassWithItsOffset) {
  const std::tuple<const char*, const char*, int, std::string, int, std::string> cases[] = {
      {"A", "005.0", 5, Flux("123.4"), 0, Deg("090.0~")},  // at the minimum speed the GPS course wins
      {"A", "4.9", 5, Flux("123.4"), 10, Flux("133")},      {"V", "50", 0, Flux("123.4"), 0, Flux("123")},
      {"A", "4.9", 5, "", 0, Deg("---~")},                 {"A", "0", 1, Flux("355.0"), 10, Flux("5")},
      {"A", "0", 1, Flux("123.5"), 0, Flux("124")},         {"A", "0", 1, Flux("122.5"), 0, Flux("122")},
      {"", "0", 1, Flux("000.0"), -32768, Flux("352")},     {"A", "0", 1, Flux("7"), -5, Flux("2")},
  };
  for (const auto& [status, speed, minSpeed, flux, offset, expected] : cases) {
    app.fix.RmcStatus = status;
    app.fix.SpeedKnotsText = speed;
    app.fix.CourseText = Deg("090.0~");
    app.settings.MinGpsSpeedOut = minSpeed;
    h.FluxHeadingText = flux;
    app.settings.FluxCompassOffset = static_cast<std::int16_t>(offset);
    EXPECT_EQ(GetHeadingText(app), expected) << flux << " " << offset;
  }
}

// Yes aligns the compass with the course when there is data, Cancel keeps the offset, No resets it to zero.
TEST_F(Decoders, TheAlignAnswerAlignsKeepsOrResetsTheOffset) {
  const MsgResult yes = MsgResult::kYes;
  const std::tuple<const char*, const char*, const char*, const char*, MsgResult, int> cases[] = {  // Yes and -7: refused
      {"A", "5.0", "90", "80", yes, 10}, {"A", "5", "10", "350", yes, 20},  {"A", "5", "350", "10", yes, 340},
      {"A", "5", "90", "90.4", yes, 0},  {"A", "5", "0", "359.5", yes, 0},  {"V", "5", "90", "80", yes, -7},
      {"A", "2.4", "90", "80", yes, -7}, {"A", "5", "90", "", yes, -7},     {"", "5", "90", "80", yes, -7},
      {"A", "2.5", "90", "80", yes, -7},  // 2.5 rounds half to even, below 3
      {"A", "2.6", "90", "80", yes, 10}, {"A", "5", "90", "123.6", MsgResult::kCancel, -7},
      {"A", "5", "90", "123.6", MsgResult::kNo, 0}};
  app.settings.MinGpsSpeedOut = 3;
  for (const auto& [status, speed, course, flux, answer, offset] : cases) {
    app.settings.FluxCompassOffset = -7;
    app.fix.RmcStatus = status;
    app.fix.SpeedKnotsText = speed;
    app.fix.CourseText = FormatHeading(course);
    h.FluxHeadingText = *flux ? FormatHeading(flux) + "F" : "";
    rig.dialogs.boxes.clear();
    rig.dialogs.msgAnswers = {answer};
    f.mnuGpsFlux.Click();
    EXPECT_EQ(app.settings.FluxCompassOffset, offset) << status << speed << " " << course << " " << flux;
    ASSERT_EQ(rig.dialogs.boxes.size(), answer == yes && offset == -7 ? 2u : 1u);
    EXPECT_TRUE(rig.dialogs.inputs.empty()) << "a least speed of 3 is not asked again";
    EXPECT_EQ(rig.dialogs.boxes[0].prompt, Deg("Try to synchronise FluxCompass with GpsCompass\r\nFluxCompassOffset = "
                                               "-007~\r\nNo=Reset offset to 0~\r\nMinSpeed= 3  knots"));
    if (answer == MsgResult::kNo) { EXPECT_EQ(h.FluxHeadingText, Deg("124.0~")); }
  }
}

TEST_F(Decoders, PgrmzWinsOverGgaInOnePollAndBadAltitudeTextKeepsIt) {
  Altitude(Gga("545.4", "M") + "\r\n" + Rmz("93", "f") + "\r\n");
  EXPECT_EQ(f.lblAltitude.Caption(), Rmz("93", "f"));
  std::string bad = Gga("100", "M");
  bad.back() = bad.back() == '0' ? '1' : '0';  // wrong checksum
  for (const std::string& text : {std::string(), std::string("$GPGGA,,,"), bad, Gga("1e308", "M"), Rmz("1e308", "m")}) {
    Altitude(text);
    EXPECT_EQ(f.lblHeight1.Caption() + "|" + f.lblHeight.Caption(), "93 ft|93 ft") << text;
  }
}

TEST_F(Decoders, TheAltitudeIsShownInFeetOrMetresFromEitherSentence) {
  const struct { std::string sentence; const char *height1, *feet, *metres; } cases[] = {
      {Gga("545.4", "M"), "1789 ft", "1789 ft", "545.3 m"}, {Gga("20.6", "M"), "68 ft", "68 ft", "20.7 m"},
      // 0.4572 m is 1.5 ft exactly, but the single-precision foot makes it 1.4999...
      {Gga("0.4572", "M"), "1 ft", "1 ft", "0.3 m"}, {Gga("1000", "f"), "1000 ft", "1000 ft", "304.8 m"},
      {Gga("-", "M"), "0 ft", "0 ft", "0 m"}, {Gga("99999999", "M"), "3280837 ft", "3280837 ft", "999999.1 m"},
      {Rmz("93", "f"), "93 ft", "93 ft", "28.3 m"}, {Rmz("93", "m"), "305.1 ft", "305 ft", "93 m"},
      {Rmz("93", ""), "305.1 ft", "305 ft", "93 m"}, {Rmz("0.15", "M"), ".5 ft", "0 ft", "0.2 m"},
      {Rmz("-001", "f"), "-001 ft", "-1 ft", "-0.3 m"}, {Rmz("002.5", "f"), "002.5 ft", "2 ft", "0.8 m"},
      {Rmz("3.5", "F"), "3.5 ft", "4 ft", "1.1 m"},
  };
  for (const auto& c : cases) {
    for (bool metres : {false, true}) {
      f.mnuFeet2Metres.SetChecked(metres);
      f.lblHeight1.SetCaption("lblHeight1");
      Altitude(c.sentence);
      EXPECT_EQ(f.lblAltitude.Caption() + "|" + f.lblHeight1.Caption() + "|" + f.lblHeight.Caption(),
                c.sentence + "|" + c.height1 + "|" + (metres ? c.metres : c.feet));
      EXPECT_TRUE(f.lblAltitude.Visible() && f.lblHeight.Visible()) << c.sentence;
    }
  }
}

// The dispatcher tries "%", "$DFBRG" and "DF" in turn; a poll without a
// bearing hides the labels and keeps the last bearing.
TEST_F(Decoders, TheDispatcherTriesEachBearingPrefixInTurn) {
  const std::pair<const char*, const char*> polls[] = {
      {"$DFBRG200/4", "$DFBRG200/4|1|"}, {"DF032/1 [12]", "DF032|1|[12]"}, {"DF270/0 %12", "DF270|1|"},
      {"%188/7 DF032/1", "%188|1|"}, {"%12 DF", "%188|0|"}};
  for (const auto& [text, shown] : polls) {
    app.poll.RxTextDoppler = text;
    DispatchSentences(app);
    EXPECT_EQ(h.DopplerBearing + "|" + std::to_string(f.lblDoppler.Visible()) + "|" +
                  (f.lblAmplitude.Visible() ? f.lblAmplitude.Caption() : ""),
              shown) << text;
    EXPECT_EQ(f.lblDoppler1.Caption(), f.lblDoppler.Visible() ? h.DopplerBearing : "%188") << text;
  }
}

}  // namespace
}  // namespace koralin
