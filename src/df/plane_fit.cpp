#include "df/plane_fit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace koralin {

namespace {

using Ray = DfSolver::Ray;

constexpr double kHuberK = 1.345;
constexpr double kAndrewsC = 1.339;  // rays beyond c·pi spreads get no weight
constexpr double kMinSigma = 1e-5;   // radians: exact lines must not divide by zero
constexpr double kMinRange = 1.0;    // metres: a place on top of a car
constexpr double kConverged = 0.05;  // metres
constexpr int kPasses = 60;
constexpr std::size_t kMaxPairs = 800;
constexpr double kFarthest = 4;

struct Residual {
  double angle = 0;  // radians, signed, (-pi, pi]
  double range = 0;  // metres from the car
  bool ahead = false;
};

Residual ResidualOf(const Ray& r, double x, double y) {
  const double dx = x - r.px, dy = y - r.py;
  const double along = r.ux * dx + r.uy * dy;
  const double across = r.ux * dy - r.uy * dx;
  return {std::atan2(across, along), std::max(std::sqrt(dx * dx + dy * dy), kMinRange), along > 0};
}

bool Usable(const Ray& r, double w) { return r.valid && w > 0; }

double Median(std::vector<double>& v) {
  auto mid = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2);
  std::nth_element(v.begin(), mid, v.end());
  return *mid;
}

// The spread of the rays that agree: 1.4826 times the median absolute angle
// (the spread of normal errors), taken again over the angles within Andrews'
// bound of the last spread, so that wild rays do not widen it.
double RobustSpread(std::vector<double> absAngles) {
  if (absAngles.empty()) return kMinSigma;
  double sigma = std::max(1.4826 * Median(absAngles), kMinSigma);
  for (int round = 0; round < 5; ++round) {
    std::erase_if(absAngles, [&](double a) { return a >= kAndrewsC * std::numbers::pi * sigma; });
    if (absAngles.size() < 3) break;
    const double next = std::max(1.4826 * Median(absAngles), kMinSigma);
    if (next == sigma) break;
    sigma = next;
  }
  return sigma;
}

// The signed angles of the usable rays at (x, y); 0 for the others.
std::vector<double> Angles(const std::deque<Ray>& rays, const std::vector<double>& weights, double x, double y,
                           std::vector<double>& absUsable) {
  std::vector<double> angles(rays.size(), 0.0);
  absUsable.clear();
  for (std::size_t i = 0; i < rays.size(); ++i) {
    if (!Usable(rays[i], weights[i])) continue;
    angles[i] = ResidualOf(rays[i], x, y).angle;
    absUsable.push_back(std::abs(angles[i]));
  }
  return angles;
}

// The weight of a residual of u spreads, psi(u)/u, and its loss rho(u).
double HuberWeight(double u) { return std::abs(u) <= kHuberK ? 1.0 : kHuberK / std::abs(u); }
double HuberLoss(double u) {
  const double a = std::abs(u);
  return a <= kHuberK ? a * a / 2 : kHuberK * a - kHuberK * kHuberK / 2;
}
double AndrewsWeight(double u) {
  const double a = std::abs(u) / kAndrewsC;
  if (a >= std::numbers::pi) return 0;
  return a < 1e-9 ? 1.0 : std::sin(a) / a;
}
double AndrewsLoss(double u) {
  const double a = std::min(std::abs(u) / kAndrewsC, std::numbers::pi);
  return kAndrewsC * kAndrewsC * (1 - std::cos(a));
}

struct Normal {
  double a = 0, b = 0, c = 0;  // [a b; b c]
  double det() const { return a * c - b * b; }
};

// How the residual's angle turns as the place moves: perpendicular to the
// sight line from the car, over the range.
void Gradient(const Ray& r, double x, double y, double& gx, double& gy) {
  const double dx = x - r.px, dy = y - r.py;
  const double d2 = std::max(dx * dx + dy * dy, kMinRange * kMinRange);
  gx = -dy / d2;
  gy = dx / d2;
}

double Loss(const std::deque<Ray>& rays, const std::vector<double>& weights, double sigma, bool andrews, double x,
            double y) {
  double sum = 0;
  for (std::size_t i = 0; i < rays.size(); ++i) {
    if (!Usable(rays[i], weights[i])) continue;
    const double u = ResidualOf(rays[i], x, y).angle / sigma;
    sum += weights[i] * (andrews ? AndrewsLoss(u) : HuberLoss(u));
  }
  return sum;
}

// One reweighted Gauss-Newton step on the bearing residuals themselves,
// halved until the loss no longer grows (near a car the angles turn fast).
// False when the step leaves the place where it was.
bool Step(const std::deque<Ray>& rays, const std::vector<double>& weights, bool andrews, double& x, double& y) {
  std::vector<double> absUsable;
  const std::vector<double> angles = Angles(rays, weights, x, y, absUsable);
  const double sigma = RobustSpread(absUsable);
  Normal n;
  double bx = 0, by = 0, before = 0;
  for (std::size_t i = 0; i < rays.size(); ++i) {
    const Ray& r = rays[i];
    if (!Usable(r, weights[i])) continue;
    const double u = angles[i] / sigma;
    before += weights[i] * (andrews ? AndrewsLoss(u) : HuberLoss(u));
    const double w = weights[i] * (andrews ? AndrewsWeight(u) : HuberWeight(u));
    if (w == 0) continue;
    double gx = 0, gy = 0;
    Gradient(r, x, y, gx, gy);
    n.a += w * gx * gx;
    n.b += w * gx * gy;
    n.c += w * gy * gy;
    bx += w * angles[i] * gx;
    by += w * angles[i] * gy;
  }
  const double det = n.det();
  if (!(det > 0) || !std::isfinite(det)) return false;
  const double sx = -(n.c * bx - n.b * by) / det;
  const double sy = -(n.a * by - n.b * bx) / det;
  for (double t = 1; t > 1e-6; t /= 2) {
    const double nx = x + t * sx, ny = y + t * sy;
    if (std::isfinite(nx) && std::isfinite(ny) && Loss(rays, weights, sigma, andrews, nx, ny) <= before) {
      const bool moved = std::hypot(nx - x, ny - y) >= kConverged;
      x = nx;
      y = ny;
      return moved;
    }
  }
  return false;
}

// Steps until the place stays; the spread is measured afresh each time.
void Iterate(const std::deque<Ray>& rays, const std::vector<double>& weights, bool andrews, double& x, double& y) {
  for (int pass = 0; pass < kPasses; ++pass)
    if (!Step(rays, weights, andrews, x, y)) return;
}

// Degrees of the smallest arc that holds every angle.
double ArcSpanned(std::vector<double> angles) {
  if (angles.size() < 2) return 0;
  std::sort(angles.begin(), angles.end());
  double gap = angles.front() + 2 * std::numbers::pi - angles.back();
  for (std::size_t i = 1; i < angles.size(); ++i) gap = std::max(gap, angles[i] - angles[i - 1]);
  return (2 * std::numbers::pi - gap) * 180 / std::numbers::pi;
}

// Twice the 95 % point of F(2, m): the ellipse's scale when the spread is
// estimated from m degrees of freedom (5.991, the chi-square's, as m grows).
double EllipseScale(int m) { return m * (std::pow(0.05, -2.0 / m) - 1); }

// False when the used rays fix no ellipse.
bool Describe(const std::deque<Ray>& rays, const std::vector<double>& weights, PlaneFit& fit) {
  std::vector<double> absUsable;
  const std::vector<double> angles = Angles(rays, weights, fit.x, fit.y, absUsable);
  const double sigma = RobustSpread(std::move(absUsable));
  fit.noise = sigma * 180 / std::numbers::pi;
  fit.outlier.assign(rays.size(), false);
  Normal n;
  double sumSq = 0, carWeight = 0;
  std::vector<double> seen, cars;
  for (std::size_t i = 0; i < rays.size(); ++i) {
    const Ray& r = rays[i];
    if (!Usable(r, weights[i])) continue;
    ++fit.usable;
    const double seenAt = std::atan2(r.py - fit.y, r.px - fit.x);
    cars.push_back(seenAt);
    const bool ahead = r.ux * (fit.x - r.px) + r.uy * (fit.y - r.py) > 0;
    if (!ahead) ++fit.behind;
    if (!ahead || AndrewsWeight(angles[i] / sigma) == 0) {
      fit.outlier[i] = true;
      continue;
    }
    ++fit.used;
    fit.carX += weights[i] * r.px;
    fit.carY += weights[i] * r.py;
    carWeight += weights[i];
    double gx = 0, gy = 0;
    Gradient(r, fit.x, fit.y, gx, gy);
    n.a += weights[i] * gx * gx;
    n.b += weights[i] * gx * gy;
    n.c += weights[i] * gy * gy;
    sumSq += weights[i] * angles[i] * angles[i];
    seen.push_back(seenAt);
  }
  fit.spread = ArcSpanned(std::move(seen));
  fit.carSpread = ArcSpanned(std::move(cars));
  if (carWeight > 0) {
    fit.carX /= carWeight;
    fit.carY /= carWeight;
  }
  const double det = n.det();
  if (fit.used < 3 || !(det > 0) || !std::isfinite(det)) return false;
  // The squared spread of a ray of weight 1, from the used rays' own misses.
  const double s2 = std::max(sumSq / (fit.used - 2), kMinSigma * kMinSigma);
  const double k = s2 / det;
  fit.cxx = k * n.c;
  fit.cxy = -k * n.b;
  fit.cyy = k * n.a;
  return true;
}

// Seen from the cars, the lines fix the transmitter's direction and the
// inverse of its range nearly linearly; its range itself they do not, so far
// off the true region is longer on the far side and bent. Grows the ellipse
// to the spread of that region drawn in (direction, 1/range) about the cars
// (the same ellipse where the lines cross well). A region reaching beyond
// any range is cut at kFarthest times the estimate's.
void Bend(PlaneFit& fit) {
  const double dx = fit.x - fit.carX, dy = fit.y - fit.carY, r2 = dx * dx + dy * dy;
  const double r = std::sqrt(r2);
  const Normal c{fit.cxx, fit.cxy, fit.cyy};
  if (!(r > kMinRange) || !(c.det() > 0)) return;
  // d(angle, 1/r)/d(x, y): rows (dy, -dx)/r2 and -(dx, dy)/r^3.
  const double j[2][2] = {{dy / r2, -dx / r2}, {-dx / (r2 * r), -dy / (r2 * r)}};
  const double pa = j[0][0] * c.a + j[0][1] * c.b, pb = j[0][0] * c.b + j[0][1] * c.c;
  const double qa = j[1][0] * c.a + j[1][1] * c.b, qb = j[1][0] * c.b + j[1][1] * c.c;
  const Normal polar{pa * j[0][0] + pb * j[0][1], pa * j[1][0] + pb * j[1][1], qa * j[1][0] + qb * j[1][1]};
  // The polar ellipse's boundary as a + cos t u + sin t v, from its Cholesky factor.
  const double la = std::sqrt(polar.a), lb = polar.b / la, lc = std::sqrt(std::max(polar.c - lb * lb, 0.0));
  const double angle0 = std::atan2(dx, dy), inv0 = 1 / r;
  Normal moment;
  constexpr int kPoints = 72;
  for (int k = 0; k < kPoints; ++k) {
    const double t = k * std::numbers::pi / (kPoints / 2);
    const double angle = angle0 + la * std::cos(t);
    const double inv = std::max(inv0 + lb * std::cos(t) + lc * std::sin(t), inv0 / kFarthest);
    const double ex = fit.carX + std::sin(angle) / inv - fit.x, ey = fit.carY + std::cos(angle) / inv - fit.y;
    moment.a += ex * ex;
    moment.b += ex * ey;
    moment.c += ey * ey;
  }
  // Points spread evenly round an ellipse have half its matrix as moment.
  fit.cxx = std::max(fit.cxx, 2 * moment.a / kPoints);
  fit.cxy = 2 * moment.b / kPoints;
  fit.cyy = std::max(fit.cyy, 2 * moment.c / kPoints);
}

}  // namespace

bool MedianCrossing(const std::deque<Ray>& rays, const std::vector<double>& weights, double& x, double& y) {
  std::vector<std::size_t> idx;
  for (std::size_t i = 0; i < rays.size(); ++i)
    if (Usable(rays[i], weights[i])) idx.push_back(i);
  const std::size_t n = idx.size();
  if (n < 2) return false;
  std::vector<double> xs, ys;
  const std::size_t pairs = n * (n - 1) / 2;
  // Every pair when there are few; else a fixed scatter of pairs, so the
  // same lines always give the same start.
  const std::size_t tries = std::min(pairs, kMaxPairs);
  for (std::size_t k = 0; k < tries; ++k) {
    std::size_t a = 0, b = 0;
    if (pairs <= kMaxPairs) {
      // The k-th pair (a, b), a < b, in row order.
      std::size_t rest = k;
      while (rest >= n - 1 - a) rest -= n - 1 - a++;
      b = a + 1 + rest;
    } else {
      a = (k * 7919) % n;
      b = (a + 1 + (k * 104729) % (n - 1)) % n;
    }
    const Ray& r = rays[idx[a]];
    const Ray& s = rays[idx[b]];
    const double det = r.ux * s.uy - r.uy * s.ux;
    if (std::abs(det) < 0.05) continue;  // under about 3 degrees: no crossing to trust
    const double dx = s.px - r.px, dy = s.py - r.py;
    const double t = (dx * s.uy - dy * s.ux) / det;
    const double v = (dx * r.uy - dy * r.ux) / det;
    if (t <= 0 || v <= 0) continue;
    xs.push_back(r.px + t * r.ux);
    ys.push_back(r.py + t * r.uy);
  }
  if (xs.empty()) return false;
  const auto mid = static_cast<std::ptrdiff_t>(xs.size() / 2);
  std::nth_element(xs.begin(), xs.begin() + mid, xs.end());
  std::nth_element(ys.begin(), ys.begin() + mid, ys.end());
  x = xs[static_cast<std::size_t>(mid)];
  y = ys[static_cast<std::size_t>(mid)];
  return true;
}

double RobustCost(const std::deque<Ray>& rays, const std::vector<double>& weights, double x, double y) {
  constexpr double kCap = 0.15 * 0.15;  // about 9 degrees
  // It only chooses a start: a fixed sample of 2,000 rays tells as well.
  const std::size_t step = std::max<std::size_t>(1, rays.size() / 2000);
  double cost = 0;
  for (std::size_t i = 0; i < rays.size(); i += step) {
    if (!Usable(rays[i], weights[i])) continue;
    const Residual res = ResidualOf(rays[i], x, y);
    cost += weights[i] * (res.ahead ? std::min(res.angle * res.angle, kCap) : kCap);
  }
  return cost;
}

PlaneFit FitPlane(const std::deque<Ray>& rays, const std::vector<double>& weights, double x, double y, bool near) {
  PlaneFit fit;
  if (!near) Iterate(rays, weights, false, x, y);
  Iterate(rays, weights, true, x, y);
  fit.x = x;
  fit.y = y;
  fit.solved = std::isfinite(x) && std::isfinite(y) && Describe(rays, weights, fit);
  const double scale = fit.used > 2 ? EllipseScale(fit.used - 2) : 0;
  fit.cxx *= scale;
  fit.cxy *= scale;
  fit.cyy *= scale;
  if (fit.solved) Bend(fit);
  return fit;
}

}  // namespace koralin
