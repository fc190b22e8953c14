#include "serial/watchdog.h"

#include "app/app.h"
#include "common/basic.h"
#include "display/frame_caption.h"

namespace koralin {

void tmrComInTimeOut_Timer(App& app) {
  Form1& f = app.form1;
  if (f.mnuPlayLog.Checked() || app.settings.ComPortIn == 0) return;
  static constexpr Colour kCycle[] = {colour::kBlue, colour::kRed, colour::kMagenta, colour::kCyan};
  int& step = app.serial.WatchdogColourStep;
  const Colour shown = kCycle[step];
  step = step == 3 ? 0 : step + 1;
  app.platform.system.Beep();
  ++app.fix.NoRxCount;
  const double seconds = RoundHalfEven(app.fix.NoRxCount * f.tmrComInTimeOut.Interval() / 1000.0, 1);
  SetNoInputWarning(app, "Warning no RS232 input recieved for about" + Str(seconds) + " Sec's.", shown);
}

void InputHeard(App& app) {
  app.form1.tmrComInTimeOut.Restart();
  if (!app.display.caption.warning.empty()) RestoreFrameCaption(app);
}

}  // namespace koralin
