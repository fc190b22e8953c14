// Hooks the dde routines to the controls they serve.
#include "app/app.h"
#include "app/events.h"

namespace koralin {

void WireDde(App& app) {
  (void)app;
}

}  // namespace koralin
