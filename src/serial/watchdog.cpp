#include "serial/watchdog.h"

#include <exception>
#include <string>

#include "app/app.h"
#include "common/basic.h"
#include "display/frame_caption.h"
#include "serial/port_target.h"
#include "terminal/terminal.h"

namespace koralin {

namespace {

// Another program reading the input's device takes the data away: the
// silence is then best explained by naming it.
std::string HolderNote(App& app) {
  if (app.settings.ComPortIn <= 0) return {};
  PortTarget t;
  try {
    t = TargetOf(app.platform.system.AppPath(), app.settings.ComPortIn);
  } catch (const std::exception&) {
    return {};
  }
  if (t.kind != TargetKind::kDevice) return {};
  const std::string holder = app.platform.system.DeviceHolder(t.path);
  if (holder.empty()) return {};
  if (holder == "gpsd") return "gpsd is reading " + t.path + ": choose 'gpsd on this PC' or stop gpsd";
  return holder + " is reading " + t.path + ": close it or choose another port";
}

}  // namespace

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
  const std::string held = HolderNote(app);
  if (held.empty()) {
    SetNoInputWarning(app, "Warning no RS232 input recieved for about" + Str(seconds) + " Sec's.", shown);
    return;
  }
  SetNoInputWarning(app, held, shown);
  AddTerminalIn(app, held + std::string(kCrLf), false);
}

void InputHeard(App& app) {
  app.form1.tmrComInTimeOut.Restart();
  if (!app.display.caption.warning.empty()) RestoreFrameCaption(app);
}

}  // namespace koralin
