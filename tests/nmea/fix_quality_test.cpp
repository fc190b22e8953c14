#include "nmea/fix_quality.h"

#include <gtest/gtest.h>

#include "nmea/polling.h"
#include "support/fakes.h"
#include "support/sentences.h"

namespace koralin {
namespace {

TEST(FixQuality, LockTextsInTheFrameCaptionWhileTheLockCheckIsOn) {
  test::TestRig rig;
  Form1& f = rig.app.form1;
  f.mnuCrcCheck.SetChecked(true);
  f.mnuLockCheck.Click();
  const std::pair<std::string, const char*> cases[] = {
      {"1", " (Not locked)"}, {"2", " (Locked 2D)"}, {"3", " (Very good lock 3D)"}, {"0", " "},
      {"", " "},              {"x", " "},            {"34", " (Very good lock 3D)"},
  };
  for (const auto& [mode, lock] : cases) {
    rig.app.poll.RxText = "junk" + test::Nmea("GPGSA,A," + mode + ",04,05,,,");
    DispatchSentences(rig.app);
    EXPECT_EQ(f.Frame1.Caption(), std::string("GPS-NMEA-0183") + lock) << mode;
  }
  rig.app.poll.RxText = "no lock sentence";  // the caption stays
  DispatchSentences(rig.app);
  EXPECT_EQ(f.Frame1.Caption(), "GPS-NMEA-0183 (Very good lock 3D)");
  // Switched off: the lock text goes and no longer comes back.
  f.mnuLockCheck.Click();
  EXPECT_EQ(f.Frame1.Caption(), "GPS-NMEA-0183");
  rig.app.poll.RxText = test::Nmea("GPGSA,A,2,,");
  DispatchSentences(rig.app);
  EXPECT_EQ(f.Frame1.Caption(), "GPS-NMEA-0183");
}

}  // namespace
}  // namespace koralin
