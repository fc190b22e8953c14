// The lines of one hunt and the estimate they give.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "df/estimate.h"
#include "df/line_of_bearing.h"
#include "df/solver.h"

namespace koralin {

// Which lines the estimate may use; the others are kept, not deleted.
struct HuntRules {
  int minQuality = 0;       // lines below this quality digit are left out
  double maxAgeSeconds = 0; // lines older than this before the newest; 0: any age
};

// How much a line counts: a higher quality digit, a surer bearing. A bearing
// without a digit counts as a middling one.
double QualityWeight(int quality);

class DfHunt {
 public:
  static constexpr std::size_t kMaxLines = 20000;

  // Keeps the line; the oldest goes first once the hunt is full.
  void Add(const LineOfBearing& line);
  // A new hunt: no lines, no estimate.
  void Clear();
  // Crosses the lines again if any arrived since the last time (so at most
  // once however many a poll brought); true when it did.
  bool Update(const HuntRules& rules);
  // Sources (a team's cars) whose lines are left out, kept; the next Update
  // crosses the lines again.
  void LeaveOut(const std::string& source, bool out);
  // The weight each line has under the rules, 0 for one left out.
  std::vector<double> Weights(const HuntRules& rules) const;

  const std::deque<LineOfBearing>& Lines() const { return lines_; }
  const DfEstimate& Estimate() const { return estimate_; }

 private:
  std::deque<LineOfBearing> lines_;
  std::vector<std::uint64_t> ids_;
  std::uint64_t nextId_ = 1;
  std::set<std::string> leftOut_;
  DfSolver solver_;
  DfEstimate estimate_;
  bool changed_ = false;
};

}  // namespace koralin

namespace koralin {

// The hunt as the program holds it: the lines, the rules from Options.cfg,
// and what became of the hunt file.
struct HuntState {
  DfHunt hunt;
  HuntRules rules;
  int damagedLines = 0;   // skipped when the file was read
  std::size_t linesInFile = 0;  // lines the file holds, damaged ones too
  std::string fileError;  // the last failure to write the file; "" when none
  // The estimate as a "$GPWPL" on the output port (DfWaypointOut in
  // Options.cfg), and the last one sent.
  bool waypointOut = false;
  struct Sent {
    double latitude = 0, longitude = 0;
    double time = 0;  // the fix's UTC seconds when it went
  };
  std::optional<Sent> lastWaypoint;
};

}  // namespace koralin
