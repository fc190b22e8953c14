// Hooks the dde routines to the controls they serve.
#include "app/app.h"
#include "app/events.h"
#include "dde/links.h"

namespace koralin {

void WireDde(App& app) {
  SetUpDdeSources(app);
  app.form1.mnuShowDDE.onClick.Subscribe(Guarded(app, mnuShowDDE_Click));
}

}  // namespace koralin
