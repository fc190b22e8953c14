// The team hunt as the program runs it: started from Options.cfg at load,
// and again when the options change.
#pragma once

#include <string>

namespace koralin {

struct App;
struct TeamOptions;

// Reads the password file and connects; off while no broker is set. A
// password file that cannot be read is said in the team's state.
void StartTeam(App& app);

// The team dialog's OK: the options are kept in Options.cfg and the team
// starts again with them.
void ApplyTeamOptions(App& app, const TeamOptions& options);

}  // namespace koralin
