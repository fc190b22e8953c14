#include "display/speed.h"

#include "app/app.h"

namespace koralin {

// Speed units and the bar are not wired yet.
void ShowSpeed(App&, float) {}

void SpeedSelect(App&, int) {}

}  // namespace koralin
