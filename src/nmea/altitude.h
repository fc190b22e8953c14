// Altitude ($GPGGA, $PGRMZ) and fix quality ($GPGSA).
#pragma once

#include <string_view>

namespace koralin {

struct App;

void ExtractingGPGGA(App& app, std::string_view text);
void ExtractingPGRMZ(App& app, std::string_view text);
void ExtractingGPGSA(App& app, std::string_view text);
// Switches the lock check; off takes the lock text out of the frame caption.
void mnuLockCheck_Click(App& app);
// Puts the frame caption back to its plain title.
void RestoreFrameCaption(App& app);
// Shows an altitude given in feet in the unit chosen.
void ShowAltitude(App& app, std::string_view feet);
// Switches the altitude unit (init false) or applies it (init true).
void ToggleHeightUnit(App& app, bool init);

}  // namespace koralin
