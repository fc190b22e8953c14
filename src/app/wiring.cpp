// Hooks the shell's routines to the controls they serve.
#include "app/app.h"
#include "app/events.h"

namespace koralin {

void WireShell(App& app) { (void)app; }

}  // namespace koralin
