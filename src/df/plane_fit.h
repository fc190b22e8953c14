// Crossing lines in a plane: the robust reweighted least squares behind the
// DF estimate, on rays already projected into a local frame (metres).
#pragma once

#include <deque>
#include <vector>

#include "df/solver.h"

namespace koralin {

struct PlaneFit {
  bool solved = false;      // false when the normal equations are singular
  double x = 0, y = 0;      // the place
  double cxx = 0, cxy = 0, cyy = 0;  // the 95 % ellipse as a matrix (m^2): x'C^-1 x <= 1
  int usable = 0;           // rays with weight
  int used = 0;             // usable rays that point at the place within the outlier bound
  int behind = 0;           // usable rays whose place lies behind the car
  double spread = 0;        // degrees the used cars span, seen from the place
  double carSpread = 0;     // the same for every usable car
  double carX = 0, carY = 0; // the used cars' weighted middle
  double noise = 0;         // degrees: the robust spread of the used rays' misses
  std::vector<bool> outlier;  // per ray: usable but set aside
};

// The coordinate-wise median of the crossings of pairs of rays that meet
// ahead of both cars at a fair angle; false when no pair does.
bool MedianCrossing(const std::deque<DfSolver::Ray>& rays, const std::vector<double>& weights, double& x,
                    double& y);
// A bounded cost of the place (x, y): lower is better, wild rays count little.
double RobustCost(const std::deque<DfSolver::Ray>& rays, const std::vector<double>& weights, double x, double y);
// Huber passes from (x, y) to get near (skipped when the start is `near`,
// such as the last estimate), then Andrews' sine to set the wild rays aside;
// the ellipse comes from the used rays' own spread.
PlaneFit FitPlane(const std::deque<DfSolver::Ray>& rays, const std::vector<double>& weights, double x, double y,
                  bool near);

}  // namespace koralin
