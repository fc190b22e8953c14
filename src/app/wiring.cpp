// Hooks the shell's routines to the controls they serve.
#include "app/app.h"
#include "app/events.h"
#include "app/pc_clock.h"
#include "app/shutdown.h"

namespace koralin {

void WireShell(App& app) {
  Form1& f = app.form1;
  f.mnuExit.onClick.Subscribe(Guarded(app, ExitProgram));
  f.mnuUTC.onClick.Subscribe(Guarded(app, mnuUTC_Click));
  f.mnuWinter.onClick.Subscribe(Guarded(app, mnuWinter_Click));
  f.mnuSummer.onClick.Subscribe(Guarded(app, mnuSummer_Click));
  f.mnuTimeZone.onClick.Subscribe(Guarded(app, mnuTimeZone_Click));
}

}  // namespace koralin
