// The published-value sources of the main window.
#pragma once

namespace koralin {

struct App;

// The link topic other programs address the published values by.
inline constexpr const char* kDdeLinkTopic = "Form1";

// Gives the source labels their item names; hides them.
void SetUpDdeSources(App& app);
void DDElinks(App& app);
// Gives the source labels their link-item names.
void SetDDELinkItems(App& app);
void SetDDELabelsVisible(App& app, bool visible);
// With toggle set, flips mnuShowDDE first; then shows or hides the source
// labels by its check and re-fits the window's height.
void ShowDDELabels(App& app, bool& toggle);
void mnuShowDDE_Click(App& app);

}  // namespace koralin
