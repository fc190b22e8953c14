// The published items and the client link to the companion direction finder.
#pragma once

namespace koralin {

struct App;

// Opens (on) or closes the link that feeds lblDDESound; false on failure.
bool AdjustLblDDESound(App& app, bool on);
void mnuDDEInfo_Click(App& app);
// Publishes every source label's current value.
void PublishLinkItems(App& app);

}  // namespace koralin
