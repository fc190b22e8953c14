#include "display/minimal.h"

#include "app/app.h"

namespace koralin {

// The minimal display does not exist yet.
void mnuMinimalDisplay_Click(App&) {}
void SetMinimalValuesColour(App&, Colour) {}

}  // namespace koralin
