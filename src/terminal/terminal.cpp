#include "terminal/terminal.h"

#include "app/app.h"

namespace koralin {

// The terminal windows do not exist yet.
void AddTerminalIn(App&, std::string_view, bool) {}

void mnuTerminalIn_Click(App& app) {
  MenuItem& m = app.form1.mnuTerminalIn;
  m.SetChecked(!m.Checked());
}

// Clearing Terminal Out also forgets the altitude texts last relayed, so
// the next one is sent again.
void AddTerminalOut(App& app, std::string_view, bool clear) {
  if (!app.form1.mnuTerminalOut.Checked() || !clear) return;
  app.serial.LastGPGGAOut.clear();
  app.serial.LastPGRMZOut.clear();
}

void HideTerminalOut(App&) {}

}  // namespace koralin
