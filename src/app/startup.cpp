#include "app/startup.h"

#include "app/app.h"
#include "app/df_intake.h"
#include "app/pc_clock.h"
#include "app/options_file.h"
#include "app/settings_file.h"
#include "app/team_intake.h"
#include "common/basic.h"
#include "dde/links.h"
#include "display/compass.h"
#include "display/file_errors.h"
#include "display/minimal.h"
#include "display/speed.h"
#include "app/fix_intake.h"
#include "app/intake.h"
#include "display/fix_view.h"
#include "nmea/gps_time.h"
#include "serial/input_choice.h"
#include "serial/input_port.h"
#include "serial/output_port.h"

namespace koralin {

namespace {

constexpr int kStartHeight = 3460;
constexpr int kFirstCustomPort = 7, kLastCustomPort = 31;

void SetSourceToolTips(App& app) {
  Form1& f = app.form1;
  f.lblLat1.SetToolTip("Send Latitude");
  f.lblLong1.SetToolTip("Send Longitude");
  f.lblVal1.SetToolTip("Send Valide 'A=Ok V=Not Ok'");
  f.lblSpeed1.SetToolTip("Send Speed Knots");
  f.lblCompas1.SetToolTip("Send GpsCompass");
  f.lblHeight1.SetToolTip("Send Altitude in Feet");
  f.lblDoppler1.SetToolTip("Send Agrelo from mixed GPS-RX+Agrelo input");
  f.lblTurnPrompt.SetToolTip("Turn-prompt " + app.platform.system.ExeName() + " is running.");
}

void FillInputChoice(App& app) {
  Form1& f = app.form1;
  f.lstCustumComIn.SetToolTip("Select a comport number and click . Range(7 to 31)");
  f.lstCustumComIn.Clear();
  for (int port = kFirstCustomPort; port <= kLastCustomPort; ++port) f.lstCustumComIn.AddItem(NumText(port));
  for (int i = 0; i < 6; ++i) f.Option1[static_cast<std::size_t>(i)].SetCaption("Com" + NumText(i + 1));
  f.Option1[6].SetCaption("Com" + NumText(app.settings.CustomComIn));
  f.Option1[7].SetCaption("Comport off");
  f.Option1[8].SetCaption("Demo");
}

// Ends the start when another copy already runs, or when the lock cannot
// be used (then as a failure, in words that do not claim a second copy);
// nothing else is touched.
bool RefuseSecondInstance(App& app) {
  try {
    if (!app.platform.system.PrevInstance()) return false;
    MsgBox(app, "      I am already running !", kTitle, MsgIcon::kInformation);
    app.platform.system.EndProcess(0);
  } catch (const RunTimeError& e) {
    LockError(app, e, app.platform.system.AppPath() + "/koralin-gps.lock");
    app.platform.system.EndProcess(1);
  }
  return true;
}

// Runs on with the settings as read; the exit will not try to save them.
void NoteReadOnlySettings(App& app) {
  if (app.platform.system.SettingsWritable()) return;
  app.shell.SettingsReadOnly = true;
  MsgBox(app,
         "The settings folder " + app.platform.system.AppPath() +
             " cannot be written: the settings are read, but changes will not be saved.",
         kTitle, MsgIcon::kExclamation);
}

}  // namespace

void Form1_Load(App& app) {
  Form1& f = app.form1;
  Settings& s = app.settings;
  f.form.SetCaption(kTitle);
  if (RefuseSecondInstance(app)) return;
  NoteReadOnlySettings(app);
  f.form.SetBounds({0, 0, f.form.Width(), kStartHeight});
  f.lblDoppler.SetCaption("%---");
  f.lblDoppler1.SetCaption("Duzevod232");
  s.LogFileName = app.platform.system.AppPath() + "/GpsData.log";
  s.CfgFileName = app.platform.system.AppPath() + "/Gps.cfg";
  LoadSettings(app);
  LoadOptions(app);
  LoadHunt(app);
  StartTeam(app);
  app.shell.SettingsLoaded = true;

  f.tmrPolling.SetInterval(s.PollingInterval);
  f.tmrPolling.SetEnabled(false);
  f.tmrComInTimeOut.SetInterval(10000);
  f.tmrComInTimeOut.SetEnabled(true);
  f.ProgressBar1.SetMin(0);
  f.ProgressBar1.SetMax(100);
  f.ProgressBar1.SetValue(0);
  f.ProgressBar1.SetSmooth(s.SmoothSpeedBar != 0);
  SetSourceToolTips(app);
  ShowTurnPrompt(app);
  f.lblLatitude.SetToolTip("Latidude Click to change from Gps degrees to Decimal degrees");
  f.lblLongitude.SetToolTip("Longitude Click to change from Gps degrees to Decimal degrees");
  SetCompassGeometry(app);
  TimeZoneCaption(app);
  app.shell.ClockOffsetPending.reset();

  // Any stored interval but the slow one comes back as fast polling.
  if (s.PollingInterval != 1500) mnuPollingSpeed_Click(app);
  SpeedSelect(app, s.SpeedUnit);
  FillMonthTable(app.fix.MonthTable);
  FillCompassTexts(app);
  BaudSelect(app, s.BaudIn);
  FillInputChoice(app);
  f.lblAltitude.SetVisible(false);
  f.lblHeight.SetVisible(false);
  f.lblDDESound.SetVisible(false);
  if (s.DecimalDegrees) ShowDegrees(app, true);
  ExtractingGPRMC(app, app.poll.RxText);
  ToggleHeightUnit(app, true);

  // Closed during log playback: the next start has the input off.
  if (s.ComPortIn == -2) s.ComPortIn = 0;
  ComPortInSelect(app);
  ComOutSelect(app, s.ComPortOut, s.BaudOut);
  f.mnuMinGpsSpeedOut.SetCaption("GP&S Minimal Speed (" + NumText(s.MinGpsSpeedOut) + " knots)...");
  SetDDELinkItems(app);
  DrawCompass(app);
  if (s.MinimalDisplay) {
    s.MinimalDisplay = !s.MinimalDisplay;
    mnuMinimalDisplay_Click(app);
  }
  // Shown only now that it is whole, and not at all when the minimal
  // display took its place.
  if (!s.MinimalDisplay) f.form.SetVisible(true);
}

}  // namespace koralin
