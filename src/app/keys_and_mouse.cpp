#include "app/keys_and_mouse.h"

#include "app/app.h"
#include "app/shutdown.h"
#include "dde/links.h"
#include "display/minimal.h"
#include "display/speed.h"

namespace koralin {

void Form1_KeyDown(App& app, int keyCode, int shift) {
  switch (keyCode) {
    case key::kF1:
    case key::kEscape:
      app.StopPlay = true;
      break;
    case key::kM:
      mnuMinimalDisplay_Click(app);
      break;
    default:
      break;
  }
  if (keyCode == key::kF4 && shift == key::kAlt) ExitProgram(app);
}

void Form1_DblClick(App& app) {
  bool toggle = true;
  ShowDDELabels(app, toggle);
}

void Frame1_DblClick(App& app) { Form1_DblClick(app); }

void Frame1_MouseDown(App& app, int button, int, float, float) {
  if (button == button::kLeft) {
    ProgressBar1_Click(app);
  } else if (button == button::kRight && app.settings.ComPortIn >= 1) {
    app.form1.mnuTerminalIn.Click();  // opens the input terminal
  }
}

}  // namespace koralin
