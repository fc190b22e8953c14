// The core publishes the estimate each time it crosses the lines again, and
// when a new hunt throws them away; a poll without a new line publishes nothing.
#include <gtest/gtest.h>

#include "app/df_intake.h"
#include "support/fakes.h"
#include "support/files.h"

namespace koralin {
namespace {

TEST(EstimatePublished, OnceForEachRecomputeAndOnANewHunt) {
  test::TestRig rig;
  test::TempFolder folder;
  rig.app.settings.CfgFileName = folder / "Gps.cfg";
  for (const auto& [lon, bearing] : {std::pair{11.00, 45.0}, {11.02, 315.0}, {11.01, 0.0}})
    rig.app.hunt.hunt.Add({.time = 1.8e9, .latitude = 48.0, .longitude = lon, .bearing = bearing, .quality = 5, .source = "serial"});
  const std::vector<DfEstimate>& published = rig.bus.estimates;
  UpdateDfEstimate(rig.app);
  UpdateDfEstimate(rig.app);
  ASSERT_EQ(published.size(), 1u);
  EXPECT_EQ(published[0].state, DfState::kEstimate);
  EXPECT_EQ(published[0].used, 3);
  NewHunt(rig.app);
  ASSERT_EQ(published.size(), 2u);
  EXPECT_EQ(published[1].state, DfState::kTooFewLines);
  EXPECT_EQ(published[1].used, 0);
}

}  // namespace
}  // namespace koralin
