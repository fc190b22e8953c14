// Receivers that send no RMC: after a while without one, the position, UTC
// time and validity come from GGA, GNS or GLL. The date stays as it was;
// speed and course stay empty.
#pragma once

#include <string_view>

namespace koralin {

struct App;

// The input ran ms longer; an RMC taken sets it back (NoteRmc).
void AgeRmc(App& app, int ms);
void NoteRmc(App& app);
// Any of the three sentences counts as input for the watchdog; once the
// input has gone without an RMC long enough, the first of them in the text
// gives the fix.
void ExtractingFixWithoutRmc(App& app, std::string_view text);

}  // namespace koralin
