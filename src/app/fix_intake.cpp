#include "app/fix_intake.h"

#include "app/app.h"
#include "app/fix_without_rmc.h"
#include "app/intake.h"
#include "app/pc_clock.h"
#include "common/basic.h"
#include "dde/links.h"
#include "display/compass.h"
#include "display/fix_view.h"
#include "display/frame_caption.h"
#include "display/speed.h"
#include "log/logging.h"
#include "nmea/degrees.h"
#include "nmea/gps_time.h"
#include "nmea/gsa.h"
#include "nmea/position.h"
#include "nmea/rmc.h"
#include "serial/watchdog.h"

namespace koralin {

namespace {

void CountVoid(App& app) {
  FixState& fix = app.fix;
  if (fix.RmcStatus == "V" || fix.RmcStatus.empty()) {
    if (++fix.VoidCount > 3) {
      fix.VoidCount = 0;
      fix.SpeedKnotsText = "0";
      ShowSpeed(app, 0);
    }
  } else {
    fix.VoidCount = 0;
  }
}

// With the input off the zero sentence stands in for a fix; its lock must
// not read as a working receiver.
constexpr const char* kInputOffLock = "Rx off";

void ApplyValidFix(App& app, const RmcSentence& rmc) {
  FixState& fix = app.fix;
  Form1& f = app.form1;
  f.lblLock.SetCaption(app.settings.ComPortIn == 0 ? kInputOffLock : "Rx ok");
  fix.CourseColour = colour::kGreen;
  fix.LatitudeText.clear();
  fix.LongitudeText.clear();
  fix.UtcDateText.clear();
  fix.UtcTimeText.clear();
  fix.CourseText.clear();
  fix.SpeedKnotsText.clear();

  fix.LatitudeText = FormatLatitude(rmc.latitude) + rmc.latHemisphere;
  fix.LongitudeText = FormatLongitude(rmc.longitude) + rmc.longHemisphere;
  ShowPosition(app, rmc.latHemisphere, rmc.longHemisphere);
  ShowGPSDate(app, rmc.date);

  const std::string t = RoundTime(rmc.time);
  if (t.size() == 6) {
    fix.UtcTimeText = Format(Val(t), "00:00:00");
    f.lblTime.SetCaption(fix.UtcTimeText);
    if (app.settings.ComPortIn >= 1) SetPcClock(app, t);
  }
  fix.CourseText = FormatHeading(rmc.course);
  fix.SpeedKnotsText = rmc.speed;

  ShowFixHeading(app);
  DDElinks(app);
  ShowCompassText(app);
  DrawCompass(app);
  ShowSpeed(app, static_cast<float>(Val(fix.SpeedKnotsText)));
  LoggingSummer(app, rmc.text, true);
}

}  // namespace

void ExtractingGPRMC(App& app, std::string_view text) {
  FixState& fix = app.fix;
  Form1& f = app.form1;
  const int input = app.settings.ComPortIn;
  if (input != 0) {
    fix.GPRMCSentence = TakeSentence(app, "$GPRMC", text, true);
  } else {
    f.lblLock.SetCaption(kInputOffLock);
    fix.GPRMCSentence = kZeroSentence;
  }
  if (fix.GPRMCSentence.empty()) {
    fix.GPRMCFound = false;
    fix.OldDataShown = true;
    MarkNoFix(app, "Old data");
    return;
  }
  const RmcSentence rmc = ParseRmc(fix.GPRMCSentence);
  f.lblGPRMC.SetCaption(rmc.text);
  fix.GPRMCFound = true;
  NoteRmc(app);
  fix.NoRxCount = 0;
  if (fix.OldDataShown && input > 0) {
    fix.OldDataShown = false;
    RestoreFrameCaption(app);
  }
  if (input > 0) InputHeard(app);
  if (!rmc.complete) return;
  if (rmc.date.empty()) {
    MarkNoFix(app, "Old data");
    return;
  }
  fix.RmcStatus = rmc.status;
  f.lblVal1.SetCaption(fix.RmcStatus);
  CountVoid(app);
  if (fix.RmcStatus == "V") {
    f.lblLock.SetCaption("Rx not ok");
    ShowGPSDate(app, rmc.date);
    MarkNoFix(app, nullptr);
    DDElinks(app);
    return;
  }
  if (fix.RmcStatus != "A") {
    f.lblLock.SetCaption("No Rx");
    fix.CourseColour = colour::kGreen;
    if (input != 0) DrawCompass(app);
    DDElinks(app);
    return;
  }
  ApplyValidFix(app, rmc);
}

void ExtractingGPGSA(App& app, std::string_view text) {
  FixState& fix = app.fix;
  fix.GPGSASentence = TakeSentence(app, "$GPGSA", text, true);
  if (fix.GPGSASentence.empty()) return;
  const GsaSentence gsa = ParseGsa(fix.GPGSASentence);
  SetCaptionNote(app, std::string(" ") + LockText(gsa.mode));
  LoggingSummer(app, gsa.text, true);
}

void ShowDegrees(App& app, bool init) {
  Settings& s = app.settings;
  if (!init) s.DecimalDegrees = !s.DecimalDegrees;
  const Colour back = s.DecimalDegrees ? colour::kYellow : colour::kWhite;
  app.form1.lblLatitude.SetBackColor(back);
  app.form1.lblLongitude.SetBackColor(back);
  if (init && s.ComPortIn == 0) app.fix.GPRMCSentence = kZeroSentence;
  if (app.form1.lblVal1.Caption() == "A" && !app.fix.FixWithoutRmc) {
    ExtractingGPRMC(app, app.poll.RxText);
  } else if (!app.fix.LatitudeText.empty() || !app.fix.LongitudeText.empty()) {
    ShowPosition(app, Right(app.fix.LatitudeText, 1), Right(app.fix.LongitudeText, 1));
  }
}

void mnuLockCheck_Click(App& app) {
  MenuItem& m = app.form1.mnuLockCheck;
  m.SetChecked(!m.Checked());
  if (!m.Checked()) SetCaptionNote(app, "");
}

}  // namespace koralin
