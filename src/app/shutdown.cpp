#include "app/shutdown.h"

#include "app/app.h"

namespace koralin {

void ExitProgram(App& app) {
  app.StopPlay = true;
  app.form1.tmrPolling.SetEnabled(false);
  app.form1.tmrComInTimeOut.SetEnabled(false);
  app.platform.system.EndProcess();
}

}  // namespace koralin
