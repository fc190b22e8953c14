#include "serial/relay.h"

#include "app/app.h"
#include "common/basic.h"
#include "dde/client_link.h"
#include "dde/links.h"
#include "nmea/sentence.h"
#include "serial/modified_rmc.h"
#include "serial/port_errors.h"
#include "serial/send.h"
#include "terminal/terminal.h"

namespace koralin {

namespace {

// A sentence as it leaves: with CR LF, and a checksum if it had none.
std::string Forwarded(const std::string& sentence) {
  if (InStr(sentence, "*") >= 7) return sentence + std::string(kCrLf);
  return AddCrc(sentence + "*");
}

void Forward(App& app, const std::string& sentence) { SendToComout(app, Forwarded(sentence)); }

void ClearTerminalOut(App& app) { AddTerminalOut(app, "", true); }

// Inverts a relay entry and starts Terminal Out afresh; true when now checked.
bool Toggle(App& app, MenuItem& m) {
  m.SetChecked(!m.Checked());
  ClearTerminalOut(app);
  return m.Checked();
}

}  // namespace

bool OutputGateOpen(const App& app) {
  const int port = app.settings.ComPortOut;
  return port == -1 || (port >= 1 && port <= 5);
}

void RelayGPRMC(App& app, const std::string& sentence) {
  if (app.form1.mnuRMCPlainOut.Checked() && OutputGateOpen(app)) Forward(app, sentence);
}

void RelayHCHDT(App& app, const std::string& sentence) {
  if (!sentence.empty() && app.form1.mnuHCHDTout.Checked() && OutputGateOpen(app)) Forward(app, sentence);
}

void RelayAltitude(App& app, const std::string& sentence) {
  const Form1& f = app.form1;
  if (!f.mnuGPGGAOut.Checked() && !f.mnuPGRMZOut.Checked()) return;
  if (sentence.empty() || !OutputGateOpen(app)) return;
  SerialState& s = app.serial;
  const std::string t = Forwarded(sentence);
  // Receivers repeat their altitude; each text goes out once.
  if (t == s.LastGPGGAOut || t == s.LastPGRMZOut) return;
  if (FindSentence("$GPGGA", sentence, 1, f.mnuAnyTalker.Checked()) != 0 && f.mnuGPGGAOut.Checked()) {
    SendToComout(app, t);
    s.LastGPGGAOut = t;
  }
  if (InStr(sentence, "$PGRMZ") != 0 && f.mnuPGRMZOut.Checked()) {
    SendToComout(app, t);
    s.LastPGRMZOut = t;
  }
}

void AdjustComOut(App& app, bool& toggle) {
  Form1& f = app.form1;
  if (toggle) f.mnuRMCModifiedOut.SetChecked(!f.mnuRMCModifiedOut.Checked());
  ClearTerminalOut(app);
  if (!f.mnuRMCModifiedOut.Checked()) {
    AdjustLblDDESound(app, false);
    return;
  }
  if (!OutputGateOpen(app)) return;
  bool noToggle = false;
  if (!AdjustLblDDESound(app, true)) {
    f.mnuRMCModifiedOut.SetChecked(false);
    if (!f.mnuShowDDE.Checked()) {
      f.mnuShowDDE.SetChecked(true);
      ShowDDELabels(app, noToggle);
    }
    return;
  }
  f.mnuShowDDE.SetChecked(true);
  ShowDDELabels(app, noToggle);
  SendGPRMCModified(app, f.lblDDESound.Caption(), f.lblGPRMC.Caption());
}

void mnuRMCPlainOut_Click(App& app) {
  Toggle(app, app.form1.mnuRMCPlainOut);
  RelayGPRMC(app, app.form1.lblGPRMC.Caption());
}

void mnuGPGGAOut_Click(App& app) {
  Form1& f = app.form1;
  if (!Toggle(app, f.mnuGPGGAOut)) return;
  f.mnuPGRMZOut.SetChecked(false);
  RelayAltitude(app, f.lblAltitude.Caption());
}

void mnuPGRMZOut_Click(App& app) {
  Form1& f = app.form1;
  if (!Toggle(app, f.mnuPGRMZOut)) return;
  f.mnuGPGGAOut.SetChecked(false);
  RelayAltitude(app, f.lblAltitude.Caption());
}

void mnuHCHDTout_Click(App& app) {
  if (Toggle(app, app.form1.mnuHCHDTout)) RelayHCHDT(app, app.heading.HCHDTSentence);
}

void mnuAgreloInOut_Click(App& app) {
  Form1& f = app.form1;
  if (!Toggle(app, f.mnuAgreloInOut)) return;
  const std::string& bearing = f.lblDoppler1.Caption();
  if (!bearing.empty() && bearing != "Duzevod232") SendToComout(app, bearing);
}

void mnuRMCModifiedOut1_Click(App& app) {
  Toggle(app, app.form1.mnuRMCModifiedOut1);
  SendGPRMCModified(app, app.form1.lblDoppler1.Caption(), app.fix.GPRMCSentence);
}

void mnuRMCModifiedOut_Click(App& app) {
  bool toggle = true;
  AdjustComOut(app, toggle);
}

void lblFluxGateCompass_Change(App& app) {
  Label& label = app.form1.lblFluxGateCompass;
  label.SetToolTip("$HCHDG string - FluxCompassOffset = " + Str(app.settings.FluxCompassOffset) + kDegree);
  RelayHCHDT(app, label.Caption());
}

}  // namespace koralin
