// Lines of bearing from the Doppler bearings, the hunt file, and the DF
// estimate brought up to date once a poll.
#pragma once

#include <string>

namespace koralin {

struct App;
struct DopplerBearing;

// The hunt file beside Gps.cfg.
std::string HuntFileName(const App& app);
// Takes the lines a previous run left in the hunt file.
void LoadHunt(App& app);
// A line from a relative bearing taken with the current fix; none without a
// valid fix, without a heading (standing, no compass), or for bearing 999.
void FormLineOfBearing(App& app, const DopplerBearing& bearing, const std::string& source);
// The companion's bearing as it arrives.
void lblDDESound_TakeLine(App& app);
// Crosses the lines again when any arrived and publishes what that gives,
// then sends the estimate as a waypoint when that is on; called at the end of
// each poll.
void UpdateDfEstimate(App& app);
// Other cars' lines are taken in this long after the first of them came,
// not at the next poll, which may be seconds away; the lines that came
// meanwhile count in one update.
inline constexpr int kTeamSettleMs = 100;
void ArmTeamTimer(App& app);
void tmrTeam_Timer(App& app);
// "New hunt": no lines, an empty hunt file, and no estimate published.
void NewHunt(App& app);

}  // namespace koralin
