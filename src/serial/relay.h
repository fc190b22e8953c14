// The plain relays: sentences sent through the output port as they came.
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
// The compass label's Change event: tooltip with the offset, then the relay.
void lblFluxGateCompass_Change(App& app);
// Applies mnuRMCModifiedOut (inverted first on toggle) to the companion link.
void AdjustComOut(App& app, bool& toggle);

// The output menu entries.
void mnuRMCPlainOut_Click(App& app);
void mnuGPGGAOut_Click(App& app);
void mnuPGRMZOut_Click(App& app);
void mnuHCHDTout_Click(App& app);
void mnuAgreloInOut_Click(App& app);
void mnuRMCModifiedOut_Click(App& app);
void mnuRMCModifiedOut1_Click(App& app);

}  // namespace koralin
