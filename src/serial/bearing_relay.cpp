#include "serial/bearing_relay.h"

#include <string>

#include "app/app.h"
#include "common/basic.h"
#include "serial/modified_rmc.h"
#include "serial/send.h"

namespace koralin {

namespace {

// The companion's text while it has no bearing.
constexpr const char* kNoDoppler = "Duzevod232";

// The serial Doppler forms all become the Agrelo "%" form.
std::string AgreloForm(std::string t) {
  for (const char* prefix : {"$DFBRG", "DFBRG", "%DF", "DF"}) t = Replace(t, prefix, "%");
  return t;
}

bool HasBearing(const std::string& caption) { return !caption.empty() && caption != kNoDoppler; }

}  // namespace

void lblDoppler1_Change(App& app) {
  const Form1& f = app.form1;
  if (app.settings.ComPortOut == 0) return;
  const std::string caption = f.lblDoppler1.Caption();
  if (!HasBearing(caption)) return;
  std::string text = caption;
  if (f.mnuRMCModifiedOut1.Checked()) {
    text = AgreloForm(caption);
    SendGPRMCModified(app, text, f.lblGPRMC.Caption());
  }
  if (f.mnuAgreloInOut.Checked()) SendToComout(app, text);
}

void lblDDESound_Change(App& app) {
  Form1& f = app.form1;
  f.lblDDESound.SetBackColor(f.lblDDESound.Caption() != "%---" ? colour::kGreen : colour::kRed);
  if (app.settings.ComPortOut != 0 && f.mnuRMCModifiedOut.Checked())
    SendGPRMCModified(app, f.lblDDESound.Caption(), f.lblGPRMC.Caption());
}

}  // namespace koralin
