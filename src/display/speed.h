// The speed text, unit and bar.
#pragma once

namespace koralin {

struct App;

void ShowSpeed(App& app, float knots);
// Selects speed unit x: 1 knots, 2 mph, 3 km/h, 4 m/s.
void SpeedSelect(App& app, int x);

}  // namespace koralin
