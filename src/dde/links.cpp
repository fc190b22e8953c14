#include "dde/links.h"

#include "app/app.h"

namespace koralin {

// Nothing is published yet.
void DDElinks(App&) {}
void SetDDELinkItems(App&) {}

bool AdjustLblDDESound(App&, bool) { return false; }

void ShowDDELabels(App&, bool) {}

}  // namespace koralin
