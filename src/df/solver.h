// Crosses lines of bearing into a place: a robust maximum-likelihood estimate
// in the bearing residuals, on the WGS-84 ellipsoid.
//
// The lines are projected once into a gnomonic frame centred near the
// estimate, where geodesics are straight, and crossed there as plane lines.
// The frame moves only when the estimate leaves it, so a new line costs one
// projection and a few passes of reweighted least squares.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "df/estimate.h"
#include "df/line_of_bearing.h"

namespace koralin {

class DfSolver {
 public:
  // weights[i] is lines[i]'s weight, 0 for a line the estimate must not use.
  // Each line carries an id that grows with every line added (see DfHunt),
  // so the frame's projections follow the lines as old ones drop out.
  DfEstimate Solve(const std::deque<LineOfBearing>& lines, const std::vector<std::uint64_t>& ids,
                   const std::vector<double>& weights);
  // Forgets the frame and the last place, as for a new hunt.
  void Reset();

  struct Ray {
    std::uint64_t id = 0;
    double px = 0, py = 0;  // the car, in the frame (metres)
    double ux = 0, uy = 0;  // unit direction of the line
    bool valid = false;     // false when the car lies too far from the frame
  };

 private:
  void Reproject(const std::deque<LineOfBearing>& lines, const std::vector<std::uint64_t>& ids);
  void Follow(const std::deque<LineOfBearing>& lines, const std::vector<std::uint64_t>& ids);
  Ray Project(const LineOfBearing& line, std::uint64_t id) const;

  bool framed_ = false;
  double lat0_ = 0, lon0_ = 0;
  std::deque<Ray> rays_;
  bool placed_ = false;  // a previous estimate exists to start from
  double lastLat_ = 0, lastLon_ = 0;
};

// Crosses lines once, from nothing: for tests and tools.
DfEstimate CrossLines(const std::vector<LineOfBearing>& lines, const std::vector<double>& weights);

}  // namespace koralin
