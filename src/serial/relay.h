// What is sent through the output port: plain relays and the modified $GPRMC.
#pragma once

#include <string>

namespace koralin {

struct App;

// Forward one raw sentence when its menu entry is checked.
void RelayGPRMC(App& app, const std::string& sentence);
void RelayHCHDT(App& app, const std::string& sentence);
void RelayAltitude(App& app, const std::string& sentence);
// Builds the $GPRMC whose course carries the bearing, and sends it.
void SendGPRMCModified(App& app, const std::string& bearingText, const std::string& rmc);
// Asks for the minimal GPS speed of the modified output.
void mnuMinGpsSpeedOut_Click(App& app);

}  // namespace koralin
