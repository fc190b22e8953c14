#include "serial/relay.h"

#include "app/app.h"

namespace koralin {

// Nothing is relayed yet.
void mnuMinGpsSpeedOut_Click(App&) {}

}  // namespace koralin
