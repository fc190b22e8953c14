// A feed logged and played back gives the decoders the same sequence of
// fixes as the feed itself.
#include <gtest/gtest.h>

#include "log/logging.h"
#include "log_rig.h"
#include "nmea/polling.h"
#include "support/sentences.h"

namespace koralin {
namespace {

// What a user sees of each fix, in order, without repeats.
void Look(const App& app, std::vector<std::string>& seen) {
  const Form1& f = app.form1;
  if (!app.fix.GPRMCFound || f.lblLock.Caption() != "Rx ok") return;
  const std::string now = f.lblGPRMC.Caption() + f.lblLatitude.Caption() + f.lblLongitude.Caption() +
                          f.lblTime.Caption() + f.lblDate.Caption() + f.lblSpeed.Caption() + f.lblCompass.Caption();
  if (seen.empty() || seen.back() != now) seen.push_back(now);
}

std::string Rmc(int n, const char* checksum = nullptr) {
  const std::string body = "GPRMC,12" + std::to_string(3000 + n) + ",A,48" + std::to_string(10 + n % 50) +
                           ".038,N,011" + std::to_string(10 + n % 40) + ".000,E,0" + std::to_string(10 + n) +
                           ".4,0" + std::to_string(10 + 2 * n) + ".4,230394,003.1,W";
  return checksum ? "$" + body + "*" + checksum : test::Nmea(body);
}

// Polls of a receiver that mixes good fixes with what a real line brings:
// silence, noise, bearings, text after the checksum, bad checksums, void
// fixes and two sentences in one poll.
std::string ScriptedPoll(int tick) {
  switch (tick % 8) {
    case 0: return Rmc(tick) + "\r\n";
    case 1: return "";
    case 2: return "%3" + std::to_string(10 + tick) + "/9\r\n" + Rmc(tick) + "\r\n";
    case 3: return Rmc(tick) + "7F junk after the checksum\r\n";
    case 4: return Rmc(tick, "00") + "\r\n";
    case 5: return "$GPRMC,123600,V,,,,,,,230394,,*\r\n";
    case 6: return Rmc(tick) + "\r\n" + Rmc(tick + 100) + "\r\n";
    default: return "line noise $GP" + Rmc(tick) + "\r\n";
  }
}

TEST(RoundTrip, ScriptedFeedPlaysBackTheSameFixes) {
  for (const bool verify : {true, false}) {
    SCOPED_TRACE(verify ? "checksums verified" : "checksums not verified");
    std::vector<std::string> live, played;
    test::LogRig rig;
    rig.app.form1.mnuCrcCheck.SetChecked(verify);
    const std::string path = rig.folder / "trip.log";
    rig.StartLogging(path);
    rig.app.settings.ComPortIn = -1;
    for (int tick = 0; tick < 50; ++tick) {
      PollTexts& p = rig.app.poll;
      p.RxText = p.RxTextAltitude = p.RxTextDoppler = ScriptedPoll(tick);
      DispatchSentences(rig.app);
      Look(rig.app, live);
    }
    rig.app.form1.mnuLoggen.Click();
    test::LogRig player;
    player.app.form1.mnuCrcCheck.SetChecked(verify);
    player.app.settings.PollingInterval = 50;
    player.system.onDoEvents = [&] { Look(player.app, played); };
    player.Play(path);
    EXPECT_GE(live.size(), 25u);
    EXPECT_EQ(played, live);
    const std::string log = test::ReadFile(path);
    EXPECT_EQ(log.find("junk"), std::string::npos) << "text after a checksum is not logged";
    // Without verification a bad checksum is accepted, and logged corrected.
    EXPECT_EQ(log.find(Rmc(4, "00")), std::string::npos);
    EXPECT_EQ(log.find(Rmc(4)) != std::string::npos, !verify);
  }
}

}  // namespace
}  // namespace koralin
