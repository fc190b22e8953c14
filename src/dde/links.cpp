#include "dde/links.h"

#include "app/app.h"

namespace koralin {

// Nothing is published yet.
void DDElinks(App&) {}

bool AdjustLblDDESound(App&, bool) { return false; }

}  // namespace koralin
