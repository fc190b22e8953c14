// The speed text, unit and bar.
#pragma once

namespace koralin {

struct App;

void ShowSpeed(App& app, float knots);
// Selects speed unit x: 1 knots, 2 mph, 3 km/h, 4 m/s.
void SpeedSelect(App& app, int x);
void ClearSpeedUnitChecks(App& app);

void mnuKnots_Click(App& app);
void mnuMiles_Click(App& app);
void mnuKilometres_Click(App& app);
void mnuMetresSec_Click(App& app);
void mnuMaxRange_Click(App& app);
// Clicking the speed or its unit steps to the next unit.
void lblSpeed_Click(App& app);
// Switches the bar between smooth fill and blocks.
void ProgressBar1_Click(App& app);

}  // namespace koralin
