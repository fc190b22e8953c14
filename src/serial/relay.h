// What is sent through the output port: plain relays and the modified $GPRMC.
#pragma once

#include <string>

namespace koralin {

struct App;

// The output can take text: the GPS port (-1) or a separate port (1..5).
bool OutputGateOpen(const App& app);

// Forward one raw sentence when its menu entry is checked.
void RelayGPRMC(App& app, const std::string& sentence);
void RelayHCHDT(App& app, const std::string& sentence);
void RelayAltitude(App& app, const std::string& sentence);
// Applies mnuRMCModifiedOut (inverted first on toggle) to the companion link.
void AdjustComOut(App& app, bool& toggle);

// Builds the $GPRMC whose course carries the bearing, and sends it.
void SendGPRMCModified(App& app, const std::string& bearingText, const std::string& rmc);
// Asks for the minimal GPS speed of the modified output.
void mnuMinGpsSpeedOut_Click(App& app);
void mnuModifiedInfo_Click(App& app);

// The output menu entries.
void mnuRMCPlainOut_Click(App& app);
void mnuGPGGAOut_Click(App& app);
void mnuPGRMZOut_Click(App& app);
void mnuHCHDTout_Click(App& app);
void mnuAgreloInOut_Click(App& app);
void mnuRMCModifiedOut_Click(App& app);
void mnuRMCModifiedOut1_Click(App& app);

// Change and double-click events of the bearing labels.
void lblDoppler1_Change(App& app);
void lblDDESound_Change(App& app);
// A random test bearing through the modified $GPRMC.
void SendTestBearing(App& app);

}  // namespace koralin
