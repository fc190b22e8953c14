// Crossing lines of bearing: exact lines give the place, poor ones say why not.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "df/hunt.h"
#include "df/solver.h"
#include "support/df_hunt.h"

namespace koralin {
namespace {

using test::Offset;
using test::Place;

// Lines from cars along a straight drive of `length` metres heading `course`,
// each pointing exactly at the transmitter, plus `offset` degrees.
std::vector<LineOfBearing> Drive(Place start, double course, double length, Place tx, int count, double offset = 0) {
  std::vector<LineOfBearing> lines;
  for (int i = 0; i < count; ++i) {
    lines.push_back(test::Sighting(Offset(start, course, length * i / (count - 1)), tx, offset));
    lines.back().time = i;
  }
  return lines;
}

double Miss(const DfEstimate& e, Place tx) { return test::Metres({e.latitude, e.longitude}, tx); }

TEST(DfEstimator, ExactLinesGiveThePlaceWithinAMetre) {
  const struct { const char* name; Place start; double course, length, range; } cases[] = {
      {"100 m", {48.1, 11.5}, 90, 150, 100},
      {"50 km", {48.1, 11.5}, 90, 8000, 50000},
      {"across the antimeridian", {-17.0, 179.99}, 90, 6000, 3000},
      {"near the north pole", {89.95, 10}, 200, 3000, 2000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Place tx = Offset(Offset(c.start, c.course, c.length / 2), c.course - 90, c.range);
    const std::vector<LineOfBearing> lines = Drive(c.start, c.course, c.length, tx, 12);
    const DfEstimate e = CrossLines(lines, std::vector<double>(lines.size(), 1.0));
    ASSERT_EQ(e.state, DfState::kEstimate) << DfStateText(e.state);
    EXPECT_LT(Miss(e, tx), 1.0);
    EXPECT_EQ(e.used, 12);
    EXPECT_EQ(e.rejected, 0);
  }
}

TEST(DfEstimator, WildLinesAreSetAsideAndTheEllipseHoldsThePlace) {
  const Place start{52.0, 5.0};
  const Place tx = Offset(start, 30, 4000);
  std::vector<LineOfBearing> lines = Drive(start, 120, 5000, tx, 40);
  // A small alternating error, and every fifth line a reflection far off.
  for (std::size_t i = 0; i < lines.size(); ++i) {
    lines[i].bearing = std::fmod(lines[i].bearing + (i % 2 ? 2.0 : -2.0) + (i % 5 == 0 ? 70 : 0) + 360, 360);
  }
  std::vector<double> weights(lines.size(), 1.0);
  weights[1] = 0;  // excluded lines count nowhere
  const DfEstimate e = CrossLines(lines, weights);
  ASSERT_EQ(e.state, DfState::kEstimate) << DfStateText(e.state);
  EXPECT_EQ(e.rejected, 8);
  EXPECT_EQ(e.used, 31);
  const double miss = Miss(e, tx);
  EXPECT_LT(miss, 100);
  EXPECT_GT(e.semiMajor, miss);
  EXPECT_GE(e.semiMajor, e.semiMinor);
  EXPECT_GT(e.semiMinor, 0);
  EXPECT_LT(e.semiMajor, 2000);
}

TEST(DfEstimator, SaysPlainlyWhenThereIsNoEstimate) {
  const Place start{45.0, 7.0};
  const Place tx = Offset(start, 0, 5000);
  std::vector<LineOfBearing> two = Drive(start, 90, 3000, tx, 2);
  std::vector<LineOfBearing> oneSpot = Drive(start, 90, 0.001, tx, 10);
  for (std::size_t i = 0; i < oneSpot.size(); ++i) oneSpot[i].bearing += (i % 3) * 20.0;
  // A long drive away from a transmitter far off: the lines hardly part.
  std::vector<LineOfBearing> parallel = Drive(start, 0, 300, Offset(start, 90, 40000), 10);
  std::vector<LineOfBearing> away = Drive(start, 90, 3000, tx, 10, 180);
  // Bearings scattered by some 20 degrees over a drive that spans 5 of them
  // seen from its best point, kilometres off.
  std::vector<LineOfBearing> noisy = Drive(start, 90, 2000, Offset(start, 0, 10000), 40);
  for (std::size_t i = 0; i < noisy.size(); ++i) noisy[i].bearing += (static_cast<double>(i % 4) - 1.5) * 16;
  std::vector<LineOfBearing> identical(5, Drive(start, 90, 3000, tx, 2)[0]);
  const struct { const char* name; const std::vector<LineOfBearing>& lines; DfState state; } cases[] = {
      {"two lines", two, DfState::kTooFewLines},
      {"all from one spot", oneSpot, DfState::kBarelyCross},
      {"nearly parallel", parallel, DfState::kBarelyCross},
      {"pointing away", away, DfState::kBehind},
      {"identical lines", identical, DfState::kBarelyCross},
      {"narrower than their scatter", noisy, DfState::kBarelyCross},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DfStateText(CrossLines(c.lines, std::vector<double>(c.lines.size(), 1.0)).state), DfStateText(c.state));
  }
}

TEST(DfEstimator, BearingsOfZeroAndThreeSixtyAreTheSameLine) {
  const Place start{60.0, 25.0};
  const Place tx = Offset(Offset(start, 90, 1000), 0, 3000);
  std::vector<LineOfBearing> lines = Drive(start, 90, 2000, tx, 9);
  lines[4].bearing = 360;  // straight north from the middle car
  const DfEstimate a = CrossLines(lines, std::vector<double>(9, 1.0));
  lines[4].bearing = 0;
  const DfEstimate b = CrossLines(lines, std::vector<double>(9, 1.0));
  ASSERT_EQ(a.state, DfState::kEstimate);
  EXPECT_NEAR(a.latitude, b.latitude, 1e-9);
  EXPECT_NEAR(a.longitude, b.longitude, 1e-9);
  EXPECT_LT(Miss(a, tx), 2.0);
}

// A hunt's first lines, a few metres apart with one reflection, cross half a
// world away; the lines that follow must still find the place.
TEST(DfEstimator, AWildEarlyCrossingDoesNotHoldTheHuntAway) {
  const double early[][3] = {{52.04, 5.48, 37},          {52.040008, 5.48008, 41},   {52.040018, 5.480168, 119},
                             {52.040028, 5.480267, 40},  {52.040042, 5.480377, 38},  {52.040053, 5.480498, 35},
                             {52.040068, 5.480633, 46}};
  const Place tx{52.0635, 5.5125};
  DfHunt hunt;
  auto add = [&](const LineOfBearing& l) {
    hunt.Add(l);
    hunt.Update({});
  };
  for (const auto& e : early) add({.latitude = e[0], .longitude = e[1], .bearing = e[2], .source = ""});
  for (const LineOfBearing& l : Drive({52.0401, 5.4807}, 80, 3000, tx, 30)) add(l);
  ASSERT_EQ(DfStateText(hunt.Estimate().state), DfStateText(DfState::kEstimate));
  EXPECT_LT(Miss(hunt.Estimate(), tx), 1.0);
}

}  // namespace
}  // namespace koralin
