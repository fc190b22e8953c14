#include "dde/links.h"

#include "app/app.h"

namespace koralin {

// Nothing is published yet.
void DDElinks(App&) {}


}  // namespace koralin
