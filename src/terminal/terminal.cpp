#include "terminal/terminal.h"

#include "app/app.h"

namespace koralin {

// The terminal windows do not exist yet.
void AddTerminalIn(App&, std::string_view, bool) {}

}  // namespace koralin

namespace koralin {

void TerminalPlacement(App&) {}

}  // namespace koralin
