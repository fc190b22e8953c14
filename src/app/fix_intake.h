// The fix: $GPRMC applied to the fix state, and $GPGSA's lock.
#pragma once

#include <string_view>

namespace koralin {

struct App;

void ExtractingGPRMC(App& app, std::string_view text);
void ExtractingGPGSA(App& app, std::string_view text);
// Switches (init false) or applies (init true) the decimal-degrees display.
void ShowDegrees(App& app, bool init);
// Switches the lock check; off takes the lock text out of the frame caption.
void mnuLockCheck_Click(App& app);

}  // namespace koralin
