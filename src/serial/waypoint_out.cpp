#include "serial/waypoint_out.h"

#include <GeographicLib/Geodesic.hpp>

#include <optional>

#include "app/app.h"
#include "nmea/gps_time.h"
#include "nmea/rmc.h"
#include "nmea/waypoint.h"
#include "serial/send.h"

namespace koralin {

namespace {

constexpr double kMinMoveMetres = 10;
constexpr double kMinSeconds = 1;
// What a chart plotter labels the transmitter.
constexpr const char* kWaypointName = "TX";

// The fix's UTC time, as the lines take it; none without a valid fix.
std::optional<double> FixTime(const App& app) {
  const RmcSentence rmc = ParseRmc(app.fix.GPRMCSentence);
  if (!rmc.complete || rmc.status != "A") return std::nullopt;
  return UtcSeconds(rmc.date, rmc.time);
}

}  // namespace

void SendDfWaypoint(App& app) {
  HuntState& h = app.hunt;
  const DfEstimate& e = h.hunt.Estimate();
  if (!h.waypointOut || app.settings.ComPortOut == 0 || e.state != DfState::kEstimate) return;
  const std::optional<double> now = FixTime(app);
  if (!now) return;
  if (const auto& last = h.lastWaypoint) {
    // A clock that went back (a log played again) starts the count afresh.
    if (*now >= last->time && *now - last->time < kMinSeconds) return;
    double metres = 0;
    GeographicLib::Geodesic::WGS84().Inverse(last->latitude, last->longitude, e.latitude, e.longitude, metres);
    if (metres <= kMinMoveMetres) return;
  }
  h.lastWaypoint = HuntState::Sent{e.latitude, e.longitude, *now};
  SendToComout(app, WaypointSentence(e.latitude, e.longitude, kWaypointName));
}

}  // namespace koralin
