// The automatic baud search: listen for NMEA at each standard rate in turn.
#pragma once

#include <array>

namespace koralin {

struct App;

// The rates the search tries, in order.
inline constexpr std::array<long, 6> kSearchRates = {1200, 2400, 4800, 9600, 19200, 38400};

// Listens for NMEA at each rate in turn; found is the rate or 0.
void AutoBaud(App& app, int port, long& found);

}  // namespace koralin
