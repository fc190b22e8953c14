#include "app/shutdown.h"

#include <exception>

#include "app/app.h"
#include "app/events.h"
#include "app/options_file.h"
#include "app/settings_file.h"
#include "dde/client_link.h"
#include "dde/links.h"
#include "log/logging.h"

namespace koralin {

namespace {

// A step that fails is noted and the exit goes on: nothing may keep the
// program from ending.
template <class F> void Step(App& app, F f) {
  try {
    f();
  } catch (const std::exception& e) {
    RecordUnexpected(app, e.what());
  } catch (...) {
    RecordUnexpected(app, "unknown error");
  }
}

}  // namespace

void ExitProgram(App& app) {
  app.StopPlay = true;
  // A start refused as a second copy has read nothing and opened nothing.
  if (!app.shell.SettingsLoaded) {
    app.platform.system.EndProcess(0);
    return;
  }
  Form1& f = app.form1;
  app.StopPlay = true;
  f.tmrPolling.SetEnabled(false);
  f.tmrComInTimeOut.SetEnabled(false);
  Step(app, [&] {
    if (f.mnuLoggen.Checked()) GPSLoggen(app);
  });
  // The minimal display is saved where it is now, however the exit came.
  const Form5& minimal = app.display.form5;
  if (minimal.loaded) {
    app.settings.MinimalLeft = static_cast<float>(minimal.form.Left());
    app.settings.MinimalTop = static_cast<float>(minimal.form.Top());
  }
  if (!app.shell.SettingsReadOnly) {
    bool settingsSaved = false;
    Step(app, [&] { settingsSaved = SaveSettings(app); });
    // Both files share the folder: a folder that cannot be written is told once.
    Step(app, [&] { SaveOptions(app, settingsSaved); });
  }
  Step(app, [&] { AdjustLblDDESound(app, false); });
  Step(app, [&] { app.team.Stop(); });
  Step(app, [&] {
    if (app.platform.comm1.IsOpen()) app.platform.comm1.Close();
  });
  Step(app, [&] {
    if (app.platform.comm2.IsOpen()) app.platform.comm2.Close();
  });
  Step(app, [&] {
    f.lblVal1.SetCaption("Off");
    DDElinks(app);
  });
  // Every file of the program is closed by the routine that opened it, so
  // none is open here; the windows go before the process.
  Step(app, [&] { f.form.SetVisible(false); });
  app.platform.system.EndProcess(0);
}

}  // namespace koralin
