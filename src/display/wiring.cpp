// Hooks the display routines to the controls they serve.
#include "app/app.h"
#include "app/events.h"
#include "display/compass.h"
#include "display/layout.h"
#include "display/minimal.h"
#include "display/speed.h"

namespace koralin {

void WireDisplay(App& app) {
  Form1& f = app.form1;
  LayOutForm1(f);
  SetCompassGeometry(app);

  f.mnuReflines.onClick.Subscribe(Guarded(app, mnuReflines_Click));
  f.mnuKnots.onClick.Subscribe(Guarded(app, mnuKnots_Click));
  f.mnuMiles.onClick.Subscribe(Guarded(app, mnuMiles_Click));
  f.mnuKilometres.onClick.Subscribe(Guarded(app, mnuKilometres_Click));
  f.mnuMetresSec.onClick.Subscribe(Guarded(app, mnuMetresSec_Click));
  f.mnuMaxRange.onClick.Subscribe(Guarded(app, mnuMaxRange_Click));
  f.lblSpeed.onClick.Subscribe(Guarded(app, lblSpeed_Click));
  f.lblUnity.onClick.Subscribe(Guarded(app, lblSpeed_Click));
  f.ProgressBar1.onClick.Subscribe(Guarded(app, ProgressBar1_Click));
  f.mnuMinimalDisplay.onClick.Subscribe(Guarded(app, mnuMinimalDisplay_Click));
  f.Picture1.SetToolTip("CompassPelorus North=Up and PC-time..");
  f.lblTurnPrompt.SetToolTip("Turn-prompt " + app.platform.system.ExeName() + " is running.");

  app.display.form5.Command1.onClick.Subscribe(Guarded(app, form5::Command1_Click));
}

}  // namespace koralin
