// Crossing lines of bearing: exact lines give the place, poor ones say why not.
#include <GeographicLib/Geodesic.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "df/solver.h"

namespace koralin {
namespace {

using GeographicLib::Geodesic;

struct Place { double lat, lon; };

// Lines from cars along a straight drive of `length` metres heading `course`,
// each pointing exactly at the transmitter, plus `offset` degrees.
std::vector<LineOfBearing> Drive(Place start, double course, double length, Place tx, int count, double offset = 0) {
  std::vector<LineOfBearing> lines;
  const Geodesic& g = Geodesic::WGS84();
  for (int i = 0; i < count; ++i) {
    LineOfBearing l;
    g.Direct(start.lat, start.lon, course, length * i / (count - 1), l.latitude, l.longitude);
    double s12 = 0, azi1 = 0, azi2 = 0;
    g.Inverse(l.latitude, l.longitude, tx.lat, tx.lon, s12, azi1, azi2);
    l.bearing = std::fmod(azi1 + offset + 720, 360);
    l.time = i;
    lines.push_back(l);
  }
  return lines;
}

double Miss(const DfEstimate& e, Place tx) {
  double s12 = 0;
  Geodesic::WGS84().Inverse(e.latitude, e.longitude, tx.lat, tx.lon, s12);
  return s12;
}

Place Offset(Place p, double azimuth, double distance) {
  Place q{};
  Geodesic::WGS84().Direct(p.lat, p.lon, azimuth, distance, q.lat, q.lon);
  return q;
}

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
  auto weights = [](const std::vector<LineOfBearing>& l) { return std::vector<double>(l.size(), 1.0); };
  std::vector<LineOfBearing> two = Drive(start, 90, 3000, tx, 2);
  std::vector<LineOfBearing> oneSpot = Drive(start, 90, 0.001, tx, 10);
  for (std::size_t i = 0; i < oneSpot.size(); ++i) oneSpot[i].bearing += (i % 3) * 20.0;
  // A long drive away from a transmitter far off: the lines hardly part.
  std::vector<LineOfBearing> parallel = Drive(start, 0, 300, Offset(start, 90, 40000), 10);
  std::vector<LineOfBearing> away = Drive(start, 90, 3000, tx, 10, 180);
  std::vector<LineOfBearing> identical(5, Drive(start, 90, 3000, tx, 2)[0]);
  const struct { const char* name; const std::vector<LineOfBearing>& lines; DfState state; } cases[] = {
      {"two lines", two, DfState::kTooFewLines},
      {"all from one spot", oneSpot, DfState::kBarelyCross},
      {"nearly parallel", parallel, DfState::kBarelyCross},
      {"pointing away", away, DfState::kBehind},
      {"identical lines", identical, DfState::kBarelyCross},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DfStateText(CrossLines(c.lines, weights(c.lines)).state), DfStateText(c.state));
  }
}

}  // namespace
}  // namespace koralin
