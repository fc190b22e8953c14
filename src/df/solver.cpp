#include "df/solver.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/Gnomonic.hpp>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "df/plane_fit.h"

namespace koralin {

namespace {

using GeographicLib::Geodesic;
using GeographicLib::Gnomonic;

// How far the estimate may leave the frame's centre before the lines are
// projected again: near the centre the plane lines are the geodesics.
constexpr double kRefocus = 25.0;  // metres
constexpr int kMaxRefocus = 6;
constexpr double kMinSpreadDegrees = 3.0;
// Nor when the cars span less than this share of the lines' own scatter.
constexpr double kMinSpreadPerNoise = 0.5;
// The second point of a line lies this far along it at least.
constexpr double kMinChord = 100.0;  // metres

const Gnomonic& Projection() {
  static const Gnomonic g(Geodesic::WGS84());
  return g;
}

double Azimuth(double x, double y) {
  double a = std::atan2(x, y) * 180 / std::numbers::pi;
  if (a < 0) a += 180;
  if (a >= 180) a -= 180;
  return a;
}

void Ellipse(const PlaneFit& fit, DfEstimate& e) {
  const double mean = (fit.cxx + fit.cyy) / 2;
  const double half = std::hypot((fit.cxx - fit.cyy) / 2, fit.cxy);
  e.semiMajor = std::sqrt(std::max(mean + half, 0.0));
  e.semiMinor = std::sqrt(std::max(mean - half, 0.0));
  // The major axis: eigenvector of the larger eigenvalue, x east, y north.
  const double angle = 0.5 * std::atan2(2 * fit.cxy, fit.cxx - fit.cyy);
  e.orientation = Azimuth(std::cos(angle), std::sin(angle));
}

}  // namespace

void DfSolver::Reset() {
  framed_ = false;
  placed_ = false;
  rays_.clear();
}

DfSolver::Ray DfSolver::Project(const LineOfBearing& line, std::uint64_t id) const {
  const Geodesic& g = Geodesic::WGS84();
  Ray r;
  r.id = id;
  double s12 = 0, qlat = 0, qlon = 0, azi = 0, rk = 0, qx = 0, qy = 0;
  g.Inverse(line.latitude, line.longitude, lat0_, lon0_, s12);
  g.Direct(line.latitude, line.longitude, line.bearing, std::max(s12, kMinChord), qlat, qlon);
  Projection().Forward(lat0_, lon0_, line.latitude, line.longitude, r.px, r.py, azi, rk);
  Projection().Forward(lat0_, lon0_, qlat, qlon, qx, qy, azi, rk);
  const double len = std::hypot(qx - r.px, qy - r.py);
  r.valid = std::isfinite(len) && len > 0;
  if (r.valid) {
    r.ux = (qx - r.px) / len;
    r.uy = (qy - r.py) / len;
  }
  return r;
}

void DfSolver::Reproject(const std::deque<LineOfBearing>& lines, const std::vector<std::uint64_t>& ids) {
  rays_.clear();
  for (std::size_t i = 0; i < lines.size(); ++i) rays_.push_back(Project(lines[i], ids[i]));
  framed_ = true;
}

// Drops the rays of lines gone and projects the lines new since last time.
void DfSolver::Follow(const std::deque<LineOfBearing>& lines, const std::vector<std::uint64_t>& ids) {
  if (lines.empty()) {
    rays_.clear();
    return;
  }
  while (!rays_.empty() && rays_.front().id < ids.front()) rays_.pop_front();
  const bool aligned = rays_.size() <= lines.size() &&
                       (rays_.empty() || (rays_.front().id == ids.front() && rays_.back().id == ids[rays_.size() - 1]));
  if (!aligned) return Reproject(lines, ids);
  for (std::size_t i = rays_.size(); i < lines.size(); ++i) rays_.push_back(Project(lines[i], ids[i]));
}

DfEstimate DfSolver::Solve(const std::deque<LineOfBearing>& lines, const std::vector<std::uint64_t>& ids,
                           const std::vector<double>& weights) {
  DfEstimate e;
  const auto usable = std::count_if(weights.begin(), weights.end(), [](double w) { return w > 0; });
  if (usable < 3) return e;
  if (!framed_) {
    // A first frame on the middle line's car; the lines cross within reach of it.
    const LineOfBearing& mid = lines[lines.size() / 2];
    lat0_ = mid.latitude;
    lon0_ = mid.longitude;
    Reproject(lines, ids);
  } else {
    Follow(lines, ids);
  }
  PlaneFit fit;
  bool refocused = false;
  for (int round = 0; round < kMaxRefocus; ++round) {
    double x = 0, y = 0;
    const bool crossed = MedianCrossing(rays_, weights, x, y);
    double lx = 0, ly = 0, azi = 0, rk = 0;
    if (placed_) Projection().Forward(lat0_, lon0_, lastLat_, lastLon_, lx, ly, azi, rk);
    const bool fromLast =
        !crossed || (placed_ && RobustCost(rays_, weights, lx, ly) < RobustCost(rays_, weights, x, y));
    if (fromLast) {
      x = placed_ ? lx : 0;
      y = placed_ ? ly : 0;
    }
    fit = FitPlane(rays_, weights, x, y, fromLast && placed_);
    if (!fit.solved) break;
    double lat = 0, lon = 0;
    Projection().Reverse(lat0_, lon0_, fit.x, fit.y, lat, lon, azi, rk);
    if (!std::isfinite(lat) || !std::isfinite(lon)) {
      fit.solved = false;
      break;
    }
    const bool inFocus = std::hypot(fit.x, fit.y) < kRefocus;
    e.latitude = lat;
    e.longitude = lon;
    if (inFocus) break;
    lat0_ = lat;
    lon0_ = lon;
    refocused = true;
    Reproject(lines, ids);
    // Start the next round from the place just found, now the frame's centre.
    lastLat_ = lat;
    lastLon_ = lon;
    placed_ = true;
  }
  e.used = fit.used;
  e.rejected = fit.usable - fit.used;
  e.spread = fit.spread;
  e.outlier = std::move(fit.outlier);
  if (fit.carSpread < kMinSpreadDegrees) {
    e.state = DfState::kBarelyCross;
  } else if (fit.behind * 2 > fit.usable) {
    e.state = DfState::kBehind;
  } else if (fit.used < 3) {
    e.state = DfState::kTooFewLines;
  } else if (!fit.solved || fit.spread < std::max(kMinSpreadDegrees, kMinSpreadPerNoise * fit.noise)) {
    e.state = DfState::kBarelyCross;
  } else {
    e.state = DfState::kEstimate;
    Ellipse(fit, e);
    lastLat_ = e.latitude;
    lastLon_ = e.longitude;
    placed_ = true;
    return e;
  }
  // No place to start the next update from. A frame moved to a wild place
  // may lie where no line can be projected (beyond the gnomonic horizon), and
  // would stay there: the next update frames afresh on the lines.
  placed_ = false;
  if (refocused) framed_ = false;
  return e;
}

DfEstimate CrossLines(const std::vector<LineOfBearing>& lines, const std::vector<double>& weights) {
  std::deque<LineOfBearing> d(lines.begin(), lines.end());
  std::vector<std::uint64_t> ids(lines.size());
  for (std::size_t i = 0; i < ids.size(); ++i) ids[i] = i + 1;
  DfSolver solver;
  return solver.Solve(d, ids, weights);
}

std::string DfStateText(DfState state) {
  switch (state) {
    case DfState::kTooFewLines:
      return "no estimate: fewer than 3 usable lines";
    case DfState::kBarelyCross:
      return "no estimate: the lines barely cross";
    case DfState::kBehind:
      return "no estimate: the best point lies behind the lines";
    case DfState::kEstimate:
      break;
  }
  return "estimate";
}

}  // namespace koralin
