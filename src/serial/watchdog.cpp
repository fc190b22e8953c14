#include "serial/watchdog.h"

#include "app/app.h"
#include "common/basic.h"
#include "serial/resume.h"

namespace koralin {

void tmrComInTimeOut_Timer(App& app) {
  Form1& f = app.form1;
  if (f.mnuPlayLog.Checked() || app.settings.ComPortIn == 0) return;
  static constexpr Colour kCycle[] = {colour::kBlue, colour::kRed, colour::kMagenta, colour::kCyan};
  int& step = app.serial.WatchdogColourStep;
  f.Frame1.SetForeColor(kCycle[step]);
  step = step == 3 ? 0 : step + 1;
  app.platform.system.Beep();
  ++app.fix.NoRxCount;
  f.Frame1.SetFontUnderline(false);
  const double seconds = RoundHalfEven(app.fix.NoRxCount * f.tmrComInTimeOut.Interval() / 1000.0, 1);
  // A lost device says what it waits for rather than how long it has been quiet.
  f.Frame1.SetCaption(app.serial.InLost ? LostCaption(app, app.settings.ComPortIn)
                                        : "Warning no RS232 input recieved for about" + Str(seconds) + " Sec's.");
}

}  // namespace koralin
