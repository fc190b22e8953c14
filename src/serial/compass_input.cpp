#include "serial/compass_input.h"

#include "app/app.h"

namespace koralin {

void ClearFluxData(App& app) {
  app.poll.RxTextHCHDT.clear();
  app.heading.HCHDTSentence.clear();
  Label& label = app.form1.lblFluxGateCompass;
  label.SetVisible(false);
  label.SetCaption("");
}

void mnuHCHDTinp_Click(App& app) {
  Form1& f = app.form1;
  f.mnuHCHDTinp.SetChecked(!f.mnuHCHDTinp.Checked());
  ClearFluxData(app);
  if (f.mnuHCHDTinp.Checked()) f.tmrPolling.SetEnabled(true);
}

}  // namespace koralin
