// Where the flux-gate compass is read: the GPS input, or the output port.
#pragma once

namespace koralin {

struct App;

// Forgets the gathered compass text and hides the compass label.
void ClearFluxData(App& app);
// Reads the compass from the output port, or from the GPS input again.
void mnuHCHDTinp_Click(App& app);

}  // namespace koralin
