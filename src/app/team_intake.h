// The team hunt as the program runs it: started from Options.cfg at load,
// and again when the options change.
#pragma once

#include <string>

namespace koralin {

struct App;

// Reads the password file and connects; off while no broker is set. A
// password file that cannot be read is said in the team's state.
void StartTeam(App& app);

}  // namespace koralin
