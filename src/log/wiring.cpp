// Hooks the log routines to the controls they serve.
#include "app/app.h"
#include "app/events.h"
#include "log/logging.h"
#include "log/playback.h"

namespace koralin {

void WireLog(App& app) {
  Form1& f = app.form1;
  f.mnuLoggen.onClick.Subscribe(Guarded(app, mnuLoggen_Click));
  f.mnuPlayLog.onClick.Subscribe(Guarded(app, mnuPlayLog_Click));
}

}  // namespace koralin
