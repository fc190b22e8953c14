// A feed logged and played back gives the decoders the same sequence of
// fixes as the feed itself.
#include <gtest/gtest.h>

#include "log/logging.h"
#include "log_rig.h"
#include "nmea/polling.h"
#include "nmea/sentence.h"
#include "support/sentences.h"

namespace koralin {
namespace {

using test::LogRig;
using test::ReadFile;

// What a user sees of each fix, in order, without repeats.
using Seen = std::vector<std::vector<std::string>>;

void Look(App& app, Seen& seen) {
  const Form1& f = app.form1;
  if (!app.fix.GPRMCFound || f.lblLock.Caption() != "Rx ok") return;
  std::vector<std::string> now{f.lblGPRMC.Caption(), f.lblLatitude.Caption(), f.lblLongitude.Caption(),
                               f.lblTime.Caption(),  f.lblDate.Caption(),     f.lblSpeed.Caption(),
                               f.lblCompass.Caption()};
  if (seen.empty() || seen.back() != now) seen.push_back(std::move(now));
}

std::string Rmc(int n, const char* checksum = nullptr) {
  const std::string body = "GPRMC,12" + std::to_string(3000 + n) + ",A,48" + std::to_string(10 + n % 50) +
                           ".038,N,011" + std::to_string(10 + n % 40) + ".000,E,0" + std::to_string(10 + n) +
                           ".4,0" + std::to_string(10 + 2 * n) + ".4,230394,003.1,W";
  return checksum ? "$" + body + "*" + checksum : test::Nmea(body);
}

// Fifty polls of a receiver that mixes good fixes with what a real line
// brings: silence, noise, bearings, text after the checksum, bad checksums,
// void fixes and two sentences in one poll.
std::string ScriptedPoll(int tick) {
  switch (tick % 8) {
    case 0: return Rmc(tick) + "\r\n";
    case 1: return "";
    case 2: return "%3" + std::to_string(10 + tick) + "/9\r\n" + Rmc(tick) + "\r\n";
    case 3: return Rmc(tick) + "7F junk after the checksum\r\n";
    case 4: return Rmc(tick, "00") + "\r\n";
    case 5: return "$GPRMC,123600,V,,,,,,,230394,,*" + std::string("\r\n");
    case 6: return Rmc(tick) + "\r\n" + Rmc(tick + 100) + "\r\n";
    default: return "line noise $GP" + Rmc(tick) + "\r\n";
  }
}

struct RoundTrip {
  Seen live, played;
  std::string log;
};

RoundTrip LogAndPlay(bool verify) {
  RoundTrip r;
  LogRig rig;
  App& app = rig.app;
  app.form1.mnuCrcCheck.SetChecked(verify);
  const std::string path = rig.folder / "trip.log";
  rig.StartLogging(path);
  app.settings.ComPortIn = -1;
  for (int tick = 0; tick < 50; ++tick) {
    app.poll.RxText = app.poll.RxTextAltitude = app.poll.RxTextDoppler = ScriptedPoll(tick);
    DispatchSentences(app);
    Look(app, r.live);
  }
  app.form1.mnuLoggen.Click();
  r.log = ReadFile(path);

  LogRig player;
  player.app.form1.mnuCrcCheck.SetChecked(verify);
  player.app.settings.PollingInterval = 50;
  player.system.onDoEvents = [&] { Look(player.app, r.played); };
  player.Play(path);
  return r;
}

TEST(RoundTrip, ScriptedFeedPlaysBackTheSameFixes) {
  for (const bool verify : {true, false}) {
    SCOPED_TRACE(verify ? "checksums verified" : "checksums not verified");
    const RoundTrip r = LogAndPlay(verify);
    EXPECT_GE(r.live.size(), 25u);
    EXPECT_EQ(r.played, r.live);
    // Text after a checksum is not logged.
    EXPECT_EQ(r.log.find("junk"), std::string::npos);
    // Without verification a bad checksum is accepted, and logged corrected.
    EXPECT_EQ(r.log.find(Rmc(4, "00")), std::string::npos);
    EXPECT_EQ(r.log.find(Rmc(4)) != std::string::npos, !verify);
  }
}

}  // namespace
}  // namespace koralin
