// The one orderly way out of the program.
#pragma once

namespace koralin {

struct App;

// Stops everything, saves the settings and ends the process.
void ExitProgram(App& app);

}  // namespace koralin
