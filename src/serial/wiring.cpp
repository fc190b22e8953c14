// Hooks the serial routines to the controls they serve.
#include "app/app.h"
#include "app/events.h"

namespace koralin {

void WireSerial(App& app) {
  (void)app;
}

}  // namespace koralin
