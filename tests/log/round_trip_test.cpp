// A feed logged and played back gives the decoders the same sequence of
// fixes as the feed itself.
#include <gtest/gtest.h>

#include <functional>

#include "log/demo.h"
#include "log/logging.h"
#include "log_rig.h"
#include "nmea/polling.h"
#include "nmea/sentence.h"

namespace koralin {
namespace {

using test::LogRig;
using test::ReadFile;

// What a user sees of the decoded state, one sequence per instrument, each
// without repeats: the fix, the altitude, the compass and the bearing.
struct Seen {
  std::vector<std::vector<std::string>> fixes;
  std::vector<std::string> altitudes, compass, bearings;
};

// A sequence starts with the first value decoded, not with the empty state.
template <class T> void AddIfNew(std::vector<T>& seq, T v) {
  if (seq.empty() ? v != T{} : seq.back() != v) seq.push_back(std::move(v));
}

// Only compass sentences that carry a true heading are logged.
std::vector<std::string> TrueHeadings(const std::vector<std::string>& compass) {
  std::vector<std::string> out;
  for (const auto& s : compass)
    if (s.find(",T") != std::string::npos) AddIfNew(out, s);
  return out;
}

void Look(App& app, Seen& seen) {
  const Form1& f = app.form1;
  const FixState& fix = app.fix;
  if (fix.GPRMCFound && f.lblLock.Caption() == "Rx ok")
    AddIfNew(seen.fixes, {f.lblGPRMC.Caption(), fix.LatitudeText, fix.LongitudeText, fix.UtcTimeText,
                          fix.UtcDateText, fix.CourseText, fix.SpeedKnotsText, f.lblLatitude.Caption(),
                          f.lblLongitude.Caption(), f.lblTime.Caption(), f.lblDate.Caption(),
                          f.lblSpeed.Caption(), f.lblCompass.Caption(), f.lblCompassText.Caption()});
  AddIfNew(seen.altitudes, f.lblHeight.Caption());
  AddIfNew(seen.compass, f.lblFluxGateCompass.Caption());
  AddIfNew(seen.bearings, app.heading.DopplerBearing);
}

std::string Rmc(int n, const char* checksum = nullptr) {
  const std::string body = "$GPRMC,12" + std::to_string(3000 + n) + ",A,48" + std::to_string(10 + n % 50) +
                           ".038,N,011" + std::to_string(10 + n % 40) + ".000,E,0" + std::to_string(10 + n) +
                           ".4,0" + std::to_string(10 + 2 * n) + ".4,230394,003.1,W*";
  const std::string s = AddCrc(body);
  return checksum ? body + checksum : s.substr(0, s.size() - 2);
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

void FeedScripted(App& app, int tick) {
  const std::string t = ScriptedPoll(tick);
  app.poll.RxText = t;
  app.poll.RxTextAltitude = t;
  app.poll.RxTextDoppler = t;
  DispatchSentences(app);
}

struct RoundTrip {
  Seen live, played;
  std::string log;
};

RoundTrip LogAndPlay(bool verify, const std::function<void(App&, int)>& feed) {
  RoundTrip r;
  LogRig rig;
  App& app = rig.app;
  app.form1.mnuCrcCheck.SetChecked(verify);
  const std::string path = rig.folder / "trip.log";
  rig.StartLogging(path);
  app.settings.ComPortIn = -1;
  for (int tick = 0; tick < 50; ++tick) {
    feed(app, tick);
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
    const RoundTrip r = LogAndPlay(verify, FeedScripted);
    EXPECT_GE(r.live.fixes.size(), 25u);
    EXPECT_EQ(r.played.fixes, r.live.fixes);
    // Text after a checksum is not logged.
    EXPECT_EQ(r.log.find("junk"), std::string::npos);
    // Without verification a bad checksum is accepted, and logged corrected.
    EXPECT_EQ(r.log.find(Rmc(4, "00")), std::string::npos);
    EXPECT_EQ(r.log.find(Rmc(4)) != std::string::npos, !verify);
  }
}

// Needs the demo feed; until it produces sentences there is nothing to log.
TEST(RoundTrip, DemoFeedPlaysBackTheSameStates) {
  for (const bool verify : {true, false}) {
    SCOPED_TRACE(verify ? "checksums verified" : "checksums not verified");
    const RoundTrip r = LogAndPlay(verify, [](App& app, int) { getDemoInput(app); });
    if (r.log.empty()) GTEST_SKIP() << "the demo feed gives no sentences yet";
    EXPECT_EQ(r.played.fixes, r.live.fixes);
    EXPECT_EQ(r.played.altitudes, r.live.altitudes);
    EXPECT_EQ(TrueHeadings(r.played.compass), TrueHeadings(r.live.compass));
    EXPECT_EQ(r.played.bearings, r.live.bearings);
    EXPECT_NE(r.log.find("\r\n%"), std::string::npos) << "bearings are logged without $";
  }
}

}  // namespace
}  // namespace koralin
