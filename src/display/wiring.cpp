// Hooks the display routines to the controls they serve.
#include "app/app.h"
#include "app/events.h"

namespace koralin {

void WireDisplay(App& app) {
  (void)app;
}

}  // namespace koralin
