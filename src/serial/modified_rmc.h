// The $GPRMC whose course carries the direction finder's bearing.
#pragma once

#include <string>

namespace koralin {

struct App;

// Builds the $GPRMC whose course carries the bearing, and sends it.
void SendGPRMCModified(App& app, const std::string& bearingText, const std::string& rmc);
// Asks for the minimal GPS speed of the modified output.
void mnuMinGpsSpeedOut_Click(App& app);
void mnuModifiedInfo_Click(App& app);

// A random test bearing through the modified $GPRMC.
void SendTestBearing(App& app);

}  // namespace koralin
