// The bearing labels' Change events: a new bearing from the serial forms
// (lblDoppler1) or from the companion link (lblDDESound) goes out as the
// Agrelo form and in the modified $GPRMC, as the output menus ask.
#pragma once

namespace koralin {

struct App;

void lblDoppler1_Change(App& app);
void lblDDESound_Change(App& app);

}  // namespace koralin
