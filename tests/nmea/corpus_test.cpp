// Real receiver logs through the whole intake, in chunks of random sizes.
// This is the one replay of the recorded logs in the suite.
#include <gtest/gtest.h>

#include <random>

#include "support/fakes.h"
#include "support/files.h"

namespace koralin {
namespace {

struct Replay {
  int goodFixes = 0;
  std::string firstLatitude;
};

Replay Play(const std::string& log, bool verify, unsigned seed) {
  test::TestRig rig;
  App& app = rig.app;
  rig.ReadyToDecode(4);
  app.form1.mnuCrcCheck.SetChecked(verify);
  app.form1.mnuLockCheck.SetChecked(true);
  rig.comm1.Open(4, "4800,N,8,1", 1024, 512);
  app.form1.tmrPolling.SetInterval(50);
  app.form1.tmrPolling.SetEnabled(true);
  std::mt19937 random(seed);
  std::uniform_int_distribution<std::size_t> chunk(1, 300);
  Replay r;
  for (std::size_t at = 0; at < log.size();) {
    const std::size_t n = std::min(chunk(random), log.size() - at);
    rig.comm1.Feed(log.substr(at, n));
    at += n;
    rig.clock.Advance(50);
    EXPECT_EQ(app.unexpectedCount, 0) << app.lastUnexpected;
    EXPECT_LE(app.poll.RxText.size(), 1024 + 300 + 4);
    if (app.fix.GPRMCFound && app.form1.lblLock.Caption() == "Rx ok" && r.goodFixes++ == 0)
      r.firstLatitude = app.fix.LatitudeText;
  }
  return r;
}

TEST(Corpus, EveryLogRunsThroughTheIntake) {
  const auto logs = test::CorpusLogs();
  if (logs.empty()) GTEST_SKIP() << "no receiver logs at " << KORALIN_CORPUS_DIR;
  int logsWithFixes = 0;
  for (const auto& path : logs) {
    const std::string log = test::ReadFile(path.string());
    for (const bool verify : {true, false}) {
      for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(path.filename().string() + (verify ? " verified" : " unverified") + " seed " +
                     std::to_string(seed));
        const Replay r = Play(log, verify, seed);
        if (verify && seed == 1 && r.goodFixes > 0) ++logsWithFixes;
        if (path.filename() == "garmin15x.log") {
          EXPECT_EQ(r.firstLatitude, "3238.91N");
        }
      }
    }
  }
  EXPECT_GE(logsWithFixes, 10);
}

}  // namespace
}  // namespace koralin
