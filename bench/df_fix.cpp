// Simulated hunts: how far each estimator misses the transmitter, how often
// the 95 % ellipse holds it, and what an update costs. Prints a Markdown
// table for bench/README.md.
//
// Each hunt is a straight drive of 2-10 km past a transmitter 0.5-20 km off
// the drive's middle, a bearing every 30 m, with normal bearing noise and a
// share of outliers drawn uniformly from the whole circle.
//
// Usage: df-fix-bench [hunts per cell, default 120]
#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/Gnomonic.hpp>
#include <algorithm>
#include <ctime>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <numbers>
#include <random>
#include <vector>

#include "df/solver.h"

namespace {

using GeographicLib::Geodesic;
using GeographicLib::Gnomonic;
using koralin::DfEstimate;
using koralin::DfState;
using koralin::LineOfBearing;

constexpr double kDeg = std::numbers::pi / 180;

struct Hunt {
  std::vector<LineOfBearing> lines;
  double txLat = 0, txLon = 0;
};

// The drive and the transmitter come from `seed` alone, and so does each
// line's noise; the outliers from their own draw. So the rows of one noise
// level are the same hunts, with and without outliers, and their misses
// compare like with like.
Hunt MakeHunt(unsigned seed, double noiseDeg, double outliers) {
  std::mt19937 rng(seed), noiseRng(seed + 1), wildRng(seed + 2);
  std::uniform_real_distribution<double> unit(0, 1);
  std::normal_distribution<double> noise(0, noiseDeg);
  const Geodesic& g = Geodesic::WGS84();
  Hunt h;
  const double lat0 = -60 + 120 * unit(rng), lon0 = -180 + 360 * unit(rng);
  const double course = 360 * unit(rng);
  const double length = 2000 + 8000 * unit(rng);
  const double range = 500 + 19500 * unit(rng);
  double midLat = 0, midLon = 0;
  g.Direct(lat0, lon0, course, length / 2, midLat, midLon);
  g.Direct(midLat, midLon, course + (unit(rng) < 0.5 ? 90 : -90), range, h.txLat, h.txLon);
  const int count = static_cast<int>(length / 30);
  for (int i = 0; i < count; ++i) {
    LineOfBearing l;
    g.Direct(lat0, lon0, course, length * i / (count - 1), l.latitude, l.longitude);
    double s12 = 0, azi1 = 0, azi2 = 0;
    g.Inverse(l.latitude, l.longitude, h.txLat, h.txLon, s12, azi1, azi2);
    const double n = noise(noiseRng), wild = unit(wildRng), wildBearing = 360 * unit(wildRng);
    const double b = wild < outliers ? wildBearing : azi1 + n;
    l.bearing = std::fmod(b + 720, 360);
    l.time = i;
    h.lines.push_back(l);
  }
  return h;
}

// The references, in a gnomonic plane on the drive's middle.
struct PlaneLine {
  double px, py, ux, uy;
};

std::vector<PlaneLine> ToPlane(const Hunt& h, double lat0, double lon0) {
  static const Gnomonic gn(Geodesic::WGS84());
  std::vector<PlaneLine> out;
  for (const LineOfBearing& l : h.lines) {
    double x = 0, y = 0, azi = 0, rk = 0;
    gn.Forward(lat0, lon0, l.latitude, l.longitude, x, y, azi, rk);
    out.push_back({x, y, std::sin(l.bearing * kDeg), std::cos(l.bearing * kDeg)});
  }
  return out;
}

// Plain least squares: the point nearest to every (infinite) line.
bool LeastSquares(const std::vector<PlaneLine>& ls, double& x, double& y) {
  double a = 0, b = 0, c = 0, bx = 0, by = 0;
  for (const PlaneLine& l : ls) {
    const double nx = -l.uy, ny = l.ux, k = nx * l.px + ny * l.py;
    a += nx * nx, b += nx * ny, c += ny * ny, bx += nx * k, by += ny * k;
  }
  const double det = a * c - b * b;
  if (!(det > 1e-12)) return false;
  x = (c * bx - b * by) / det;
  y = (a * by - b * bx) / det;
  return true;
}

double SumSq(const std::vector<PlaneLine>& ls, double x, double y) {
  double s = 0;
  for (const PlaneLine& l : ls) {
    const double dx = x - l.px, dy = y - l.py;
    const double r = std::atan2(l.ux * dy - l.uy * dx, l.ux * dx + l.uy * dy);
    s += r * r;
  }
  return s;
}

// Maximum likelihood with normal errors: Gauss-Newton on the bearing
// residuals from the least-squares point, without robust weights.
bool MaximumLikelihood(const std::vector<PlaneLine>& ls, double& x, double& y) {
  if (!LeastSquares(ls, x, y)) return false;
  for (int it = 0; it < 50; ++it) {
    double a = 0, b = 0, c = 0, bx = 0, by = 0;
    for (const PlaneLine& l : ls) {
      const double dx = x - l.px, dy = y - l.py, d2 = std::max(dx * dx + dy * dy, 1.0);
      const double r = std::atan2(l.ux * dy - l.uy * dx, l.ux * dx + l.uy * dy);
      const double gx = -dy / d2, gy = dx / d2;
      a += gx * gx, b += gx * gy, c += gy * gy, bx += r * gx, by += r * gy;
    }
    const double det = a * c - b * b;
    if (!(det > 0)) return true;
    const double sx = -(c * bx - b * by) / det, sy = -(a * by - b * bx) / det;
    const double before = SumSq(ls, x, y);
    double t = 1;
    while (t > 1e-6 && SumSq(ls, x + t * sx, y + t * sy) > before) t /= 2;
    if (t <= 1e-6) return true;
    x += t * sx, y += t * sy;
    if (std::hypot(t * sx, t * sy) < 0.01) return true;
  }
  return true;
}

double Miss(double lat, double lon, const Hunt& h) {
  double s12 = 0;
  Geodesic::WGS84().Inverse(lat, lon, h.txLat, h.txLon, s12);
  return s12;
}

double MissInPlane(double x, double y, double lat0, double lon0, const Hunt& h) {
  static const Gnomonic gn(Geodesic::WGS84());
  double lat = 0, lon = 0, azi = 0, rk = 0;
  gn.Reverse(lat0, lon0, x, y, lat, lon, azi, rk);
  return Miss(lat, lon, h);
}

// Whether the true place lies inside the estimate's 95 % ellipse.
bool Holds(const DfEstimate& e, const Hunt& h) {
  double s12 = 0, azi1 = 0, azi2 = 0;
  Geodesic::WGS84().Inverse(e.latitude, e.longitude, h.txLat, h.txLon, s12, azi1, azi2);
  const double t = (azi1 - e.orientation) * kDeg;
  const double along = s12 * std::cos(t), across = s12 * std::sin(t);
  const double a = std::max(e.semiMajor, 1e-9), b = std::max(e.semiMinor, 1e-9);
  return (along / a) * (along / a) + (across / b) * (across / b) <= 1;
}

double Quantile(std::vector<double> v, double q) {
  if (v.empty()) return NAN;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<std::size_t>(q * static_cast<double>(v.size())))];
}

struct Cell {
  std::vector<double> ours, ls, ml;
  int estimates = 0, held = 0, hunts = 0;
};

Cell RunCell(double noise, double outliers, int hunts) {
  Cell c;
  for (int i = 0; i < hunts; ++i) {
    const Hunt h = MakeHunt(20261206u + 10u * static_cast<unsigned>(i), noise, outliers);
    ++c.hunts;
    const LineOfBearing& mid = h.lines[h.lines.size() / 2];
    const std::vector<PlaneLine> plane = ToPlane(h, mid.latitude, mid.longitude);
    double x = 0, y = 0;
    c.ls.push_back(LeastSquares(plane, x, y) ? MissInPlane(x, y, mid.latitude, mid.longitude, h) : INFINITY);
    c.ml.push_back(MaximumLikelihood(plane, x, y) ? MissInPlane(x, y, mid.latitude, mid.longitude, h) : INFINITY);
    const DfEstimate e = koralin::CrossLines(h.lines, std::vector<double>(h.lines.size(), 1.0));
    if (e.state != DfState::kEstimate) continue;
    ++c.estimates;
    c.ours.push_back(Miss(e.latitude, e.longitude, h));
    c.held += Holds(e, h);
  }
  return c;
}

// The CPU time this thread has used, in ms: what an update costs, whatever
// else the machine is doing.
double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// CPU milliseconds for one line added to a hunt of n lines and the estimate redone.
double UpdateMs(int n) {
  std::deque<LineOfBearing> lines;
  std::vector<std::uint64_t> ids;
  // One drive's lines again and again: what matters is how many there are.
  const Hunt base = MakeHunt(7, 8, 0.1);
  for (int i = 0; i < n + 20; ++i) {
    lines.push_back(base.lines[static_cast<std::size_t>(i) % base.lines.size()]);
    ids.push_back(static_cast<std::uint64_t>(i + 1));
  }
  koralin::DfSolver solver;
  std::deque<LineOfBearing> now(lines.begin(), lines.begin() + n);
  std::vector<std::uint64_t> nowIds(ids.begin(), ids.begin() + n);
  solver.Solve(now, nowIds, std::vector<double>(now.size(), 1.0));
  std::vector<double> times;
  for (int k = 0; k < 20; ++k) {
    now.push_back(lines[static_cast<std::size_t>(n + k)]);
    nowIds.push_back(ids[static_cast<std::size_t>(n + k)]);
    now.pop_front();
    nowIds.erase(nowIds.begin());
    const double t0 = CpuMs();
    solver.Solve(now, nowIds, std::vector<double>(now.size(), 1.0));
    times.push_back(CpuMs() - t0);
  }
  return Quantile(times, 0.5);
}

}  // namespace

int main(int argc, char** argv) {
  const int perCell = argc > 1 ? std::max(0, std::atoi(argv[1])) : 120;
  std::printf("| noise | outliers | hunts | estimates | ours median / p95 (m) | least squares median / p95 (m) "
              "| ML median / p95 (m) | ellipse holds |\n|---|---|---|---|---|---|---|---|\n");
  for (double noise : {3.0, 8.0, 15.0}) {
    if (perCell == 0) break;
    for (double outliers : {0.0, 0.1, 0.3}) {
      const Cell c = RunCell(noise, outliers, perCell);
      std::printf("| %.0f° | %.0f %% | %d | %d | %.0f / %.0f | %.0f / %.0f | %.0f / %.0f | %.1f %% |\n", noise,
                  outliers * 100, c.hunts, c.estimates, Quantile(c.ours, 0.5), Quantile(c.ours, 0.95),
                  Quantile(c.ls, 0.5), Quantile(c.ls, 0.95), Quantile(c.ml, 0.5), Quantile(c.ml, 0.95),
                  c.estimates ? 100.0 * c.held / c.estimates : 0.0);
    }
  }
  std::printf("\n| lines | update (CPU ms, median of 20) |\n|---|---|\n");
  for (int n : {100, 1000, 20000}) std::printf("| %d | %.2f |\n", n, UpdateMs(n));
}
