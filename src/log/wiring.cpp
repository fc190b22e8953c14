// Hooks the log routines to the controls they serve.
#include "app/app.h"
#include "app/events.h"

namespace koralin {

void WireLog(App& app) {
  (void)app;
}

}  // namespace koralin
