// The choice of input source (Option1) and the no-input watchdog.
#pragma once

namespace koralin {

struct App;

// Selects the option button for ComPortIn and brings that source up.
void ComPortInSelect(App& app);

}  // namespace koralin
