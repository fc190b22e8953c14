// Real receiver logs through the whole intake, in chunks of random sizes.
// This is the one replay of the recorded logs in the suite.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "support/fakes.h"
#include "support/files.h"

namespace koralin {
namespace {

// The position shown at the end of a replay: degrees, whole minutes and
// hemisphere of latitude and longitude ("" when none was shown).
std::string Play(const std::string& log, bool verify, unsigned seed) {
  test::TestRig rig;
  rig.ReadyToDecode(4);
  Form1& f = rig.app.form1;
  f.mnuCrcCheck.SetChecked(verify);
  f.mnuLockCheck.SetChecked(true);
  f.mnuAnyTalker.SetChecked(true);
  rig.comm1.Open(4, "4800,N,8,1", 1024, 512);
  f.tmrPolling.SetInterval(50);
  f.tmrPolling.SetEnabled(true);
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
