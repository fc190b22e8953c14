// The DF estimate as a waypoint on the output port.
#pragma once

namespace koralin {

struct App;

// Sends the estimate as "$GPWPL" when DfWaypointOut is on and an output port
// is chosen, the estimate stands, and it moved more than 10 m since the last
// one sent, at most once a second of fix time. Called once a poll, so a move
// held back by the second goes out with a later poll.
void SendDfWaypoint(App& app);

}  // namespace koralin
