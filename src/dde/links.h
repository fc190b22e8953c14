// The published-value sources of the main window.
#pragma once

namespace koralin {

struct App;

void DDElinks(App& app);
// Gives the source labels their link-item names.
void SetDDELinkItems(App& app);
// Opens or closes the link to the companion direction finder.
bool AdjustLblDDESound(App& app, bool on);
// Shows or hides the source labels by mnuShowDDE, inverting it first on toggle.
void ShowDDELabels(App& app, bool toggle);

}  // namespace koralin
