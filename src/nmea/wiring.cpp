// Hooks the nmea routines to the controls they serve.
#include "app/app.h"
#include "app/events.h"
#include "nmea/checksum.h"
#include "nmea/polling.h"
#include "nmea/position.h"

namespace koralin {

void WireNmea(App& app) {
  Form1& f = app.form1;
  f.tmrPolling.onTick.Subscribe(Guarded(app, tmrPolling_Timer));
  f.mnuCrcCheck.onClick.Subscribe(Guarded(app, mnuCrcCheck_Click));
  f.mnuPollingSpeed.onClick.Subscribe(Guarded(app, mnuPollingSpeed_Click));
  const auto degrees = [](App& a) { ShowDegrees(a, false); };
  f.lblLatitude.onClick.Subscribe(Guarded(app, degrees));
  f.lblLongitude.onClick.Subscribe(Guarded(app, degrees));
}

}  // namespace koralin
