// The speed text, unit and bar.
#pragma once

namespace koralin {

struct App;

void ShowSpeed(App& app, float knots);

}  // namespace koralin
