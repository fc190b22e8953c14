#include "app/shutdown.h"

#include "app/app.h"
#include "log/logging.h"

namespace koralin {

void ExitProgram(App& app) {
  app.StopPlay = true;
  app.form1.tmrPolling.SetEnabled(false);
  app.form1.tmrComInTimeOut.SetEnabled(false);
  if (app.form1.mnuLoggen.Checked()) GPSLoggen(app);
  app.platform.system.EndProcess();
}

}  // namespace koralin
