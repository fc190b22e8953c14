// What is sent through the output port: plain relays and the modified $GPRMC.
#pragma once

namespace koralin {

struct App;

// Asks for the minimal GPS speed of the modified output.
void mnuMinGpsSpeedOut_Click(App& app);

}  // namespace koralin
