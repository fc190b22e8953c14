// The minimal display window.
#pragma once

namespace koralin {

struct App;

void mnuMinimalDisplay_Click(App& app);

}  // namespace koralin
