// The minimal display window.
#pragma once

#include "common/colours.h"

namespace koralin {

struct App;

void mnuMinimalDisplay_Click(App& app);
// Colours the values text of the minimal display (its Label2).
void SetMinimalValuesColour(App& app, Colour c);

}  // namespace koralin
