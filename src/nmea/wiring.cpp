// Hooks the nmea routines to the controls they serve.
#include "app/app.h"
#include "app/events.h"
#include "nmea/altitude.h"
#include "nmea/fix_quality.h"
#include "nmea/heading.h"
#include "nmea/polling.h"
#include "nmea/position.h"
#include "nmea/sentence.h"
#include "serial/relay.h"

namespace koralin {

void WireNmea(App& app) {
  Form1& f = app.form1;
  f.tmrPolling.onTick.Subscribe(Guarded(app, tmrPolling_Timer));
  f.mnuCrcCheck.onClick.Subscribe(Guarded(app, mnuCrcCheck_Click));
  f.mnuPollingSpeed.onClick.Subscribe(Guarded(app, mnuPollingSpeed_Click));
  const auto degrees = [](App& a) { ShowDegrees(a, false); };
  f.lblLatitude.onClick.Subscribe(Guarded(app, degrees));
  f.lblLongitude.onClick.Subscribe(Guarded(app, degrees));

  f.mnuLockCheck.onClick.Subscribe(Guarded(app, mnuLockCheck_Click));
  const auto toggleUnit = [](App& a) { ToggleHeightUnit(a, false); };
  f.mnuFeet2Metres.onClick.Subscribe(Guarded(app, toggleUnit));
  f.lblHeight.onClick.Subscribe(Guarded(app, toggleUnit));
  f.lblAltitude.captionChanged.Subscribe(
      Guarded(app, [](App& a) { RelayAltitude(a, a.form1.lblAltitude.Caption()); }));

  f.lblFluxGateCompass.captionChanged.Subscribe(Guarded(app, lblFluxGateCompass_Change));
  f.mnuHCHDTinp.onClick.Subscribe(Guarded(app, mnuHCHDTinp_Click));
  f.mnuGpsFlux.onClick.Subscribe(Guarded(app, mnuGpsFlux_Click));
}

}  // namespace koralin
