// The choice of input source (Option1).
#pragma once

namespace koralin {

struct App;

// Button index of "Comport off".
inline constexpr int kOptionOff = 7;
inline constexpr int kOptionDemo = 8;
inline constexpr int kOptionCustom = 6;

// A click on input button index (0..8): choose that source and bring it up.
void Option1_Click(App& app, int index);
// Selects the option button for ComPortIn and brings that source up.
void ComPortInSelect(App& app);
void ComInOptionsEnabled(App& app, bool flag);
// Leaves only "Comport off" to click while a source runs.
void ComInOptionsLock(App& app);
// Offers the port picked in the list on the custom button.
void lstCustumComIn_Click(App& app);

}  // namespace koralin
