#include "serial/input_port.h"

#include <exception>

#include "app/app.h"
#include "common/basic.h"
#include "display/compass.h"
#include "display/frame_caption.h"
#include "serial/autobaud.h"
#include "serial/input_choice.h"
#include "serial/port_errors.h"
#include "serial/port_target.h"
#include "serial/resume.h"
#include "terminal/terminal.h"

namespace koralin {

namespace {

constexpr int kInBufferSize = 8192;

// Every display falls back to its no-data look until the new source speaks.
void ResetDisplays(App& app) {
  Form1& f = app.form1;
  app.poll.RxText.clear();
  app.poll.RxTextDoppler.clear();
  app.poll.RxTextAltitude.clear();
  app.heading.HCHDTSentence.clear();
  app.fix.NoRxCount = 0;
  app.fix.MsWithoutRmc = 0;
  app.heading.FluxSeen = false;
  app.DispatchPoll();
  f.lblLock.SetCaption("No Rx");
  f.lblLock.SetBackColor(colour::kWhite);
  f.lblCompass.SetBackColor(colour::kWhite);
  f.lblCompass.SetCaption(std::string("---") + kDegree);
}

// Starts the source ComPortIn names; false when the port failed.
bool StartSource(App& app) {
  Form1& f = app.form1;
  const int port = app.settings.ComPortIn;
  if (port == 0 || port == -2) {
    f.tmrPolling.SetEnabled(false);  // off, or playback which drives itself
    return true;
  }
  if (port != -1) {
    try {
      if (port > 0) {
        app.platform.comm1.Open(port, LineSettings(app.settings.BaudIn), kInBufferSize, 0);
        SayPortWarning(app, app.platform.comm1);
        f.tmrComInTimeOut.SetEnabled(true);
      }
    } catch (const std::exception& e) {
      ComPortInError(app, "ComPortInOpen", e.what(), port);
      return false;
    }
  }
  f.tmrPolling.SetEnabled(true);
  return true;
}

void FitWindowToSource(App& app) {
  Form1& f = app.form1;
  const int port = app.settings.ComPortIn;
  if (port == 0) {
    for (Label* l : {&f.lblAltitude, &f.lblHeight, &f.lblDoppler, &f.lblAmplitude, &f.lblFluxGateCompass})
      l->SetVisible(false);
    f.lblHeight1.SetCaption("lblHeight1");
  }
  if (port <= 0) {
    f.Frame1.SetToolTip("Double-Click for DDE Labels. Left-Click SmoothSpeedBar.");
    f.lblVal1.SetCaption("");
  } else {
    f.Frame1.SetToolTip("Right-Click for Terminal. Double-Click for DDE labels. Left-click SmoothSpeedBar");
    f.lblVal1.SetCaption("V");
  }
}

// Network and pty targets take data as it comes: no rate to search, and the
// saved rate is kept. A malformed line is said by the open itself.
bool SearchesRate(App& app, int port) {
  try {
    return HasLineSpeed(TargetOf(app.platform.system.AppPath(), port));
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

const std::array<BaudEntry, 7>& InputBaudEntries() {
  static const std::array<BaudEntry, 7> kEntries = {{
      {&Form1::mnuAutoBaud, 0},
      {&Form1::mnuBaud1k2, 1200},
      {&Form1::mnuBaud2k4, 2400},
      {&Form1::mnuBaud4k8, 4800},
      {&Form1::mnuBaud9k6, 9600},
      {&Form1::mnuBaud19k2, 19200},
      {&Form1::mnuBaud38k4, 38400},
  }};
  return kEntries;
}

void BaudCheckOff(App& app) {
  for (const BaudEntry& e : InputBaudEntries()) (app.form1.*e.item).SetChecked(false);
}

void BaudEnabled(App& app, bool flag) {
  for (const BaudEntry& e : InputBaudEntries()) (app.form1.*e.item).SetEnabled(flag);
}

void BaudSelect(App& app, long baud) {
  BaudCheckOff(app);
  for (const BaudEntry& e : InputBaudEntries())
    if (e.rate == baud) (app.form1.*e.item).SetChecked(true);
  app.settings.BaudIn = static_cast<std::int32_t>(baud);
}

void ComPortInOpen(App& app) {
  Form1& f = app.form1;
  Settings& s = app.settings;
  f.tmrPolling.SetEnabled(false);
  f.tmrComInTimeOut.SetEnabled(false);
  app.serial.InLost = false;
  ShowLostCaption(app);
  RestoreFrameCaption(app);
  AddTerminalOut(app, "", true);
  if (app.platform.comm1.IsOpen()) app.platform.comm1.Close();

  if (s.ComPortIn != 0) {
    f.lblLock.SetBackColor(colour::kRed);
    f.lblLock.SetCaption("No Rx");
    app.fix.CourseColour = colour::kRed;
    DrawCompass(app);
    f.lblLock.SetBackColor(colour::kWhite);
  } else {
    ComInOptionsEnabled(app, true);
  }

  const bool searches = s.ComPortIn >= 1 && SearchesRate(app, s.ComPortIn);
  if (searches && s.BaudIn == 0) {
    BaudEnabled(app, false);
    f.mnuTerminalIn.SetEnabled(false);
    long found = 0;
    AutoBaud(app, s.ComPortIn, found);
    s.BaudIn = static_cast<std::int32_t>(found);
    // Terminal In stays shut only while the search reads the port.
    f.mnuTerminalIn.SetEnabled(found != 0);
  }
  BaudSelect(app, s.BaudIn);
  if (searches && s.BaudIn == 0) {
    s.ComPortIn = 0;
    ComPortInSelect(app);  // switches the input off and comes back here
    return;
  }

  if (s.ComPortIn != 0) ResetDisplays(app);
  if (!StartSource(app)) return;
  FitWindowToSource(app);
}

}  // namespace koralin
