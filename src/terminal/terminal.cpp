#include "terminal/terminal.h"

#include "app/app.h"

namespace koralin {

// The terminal windows do not exist yet.
void AddTerminalIn(App&, std::string_view, bool) {}
void AddTerminalOut(App&, std::string_view, bool) {}

void mnuTerminalIn_Click(App& app) {
  MenuItem& m = app.form1.mnuTerminalIn;
  m.SetChecked(!m.Checked());
}

}  // namespace koralin
