// Aligning the flux-gate compass with the GPS course.
#pragma once

namespace koralin {

struct App;

// Aligns the flux-gate compass with the GPS course, or resets the offset.
void mnuGpsFlux_Click(App& app);

}  // namespace koralin
