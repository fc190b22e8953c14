// Hooks the terminal routines to the controls they serve.
#include "app/app.h"
#include "app/events.h"

namespace koralin {

void WireTerminal(App& app) {
  (void)app;
}

}  // namespace koralin
