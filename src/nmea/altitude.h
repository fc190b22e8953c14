// Altitude ($GPGGA, $PGRMZ) in feet or metres.
#pragma once

#include <string_view>

namespace koralin {

struct App;

void ExtractingGPGGA(App& app, std::string_view text);
void ExtractingPGRMZ(App& app, std::string_view text);
// Shows an altitude given in feet in the unit chosen.
void ShowAltitude(App& app, std::string_view feet);
// Switches the altitude unit (init false) or applies it (init true).
void ToggleHeightUnit(App& app, bool init);

}  // namespace koralin
