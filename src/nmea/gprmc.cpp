#include "nmea/gprmc.h"

#include "app/app.h"
#include "app/pc_clock.h"
#include "common/basic.h"
#include "dde/links.h"
#include "display/compass.h"
#include "display/speed.h"
#include "log/logging.h"
#include "nmea/fix_quality.h"
#include "nmea/gps_time.h"
#include "nmea/heading.h"
#include "nmea/position.h"
#include "nmea/sentence.h"

namespace koralin {

namespace {

// No usable fix: the rose turns red; it is only redrawn with an input on.
void MarkNoFix(App& app, const char* lock) {
  if (lock) app.form1.lblLock.SetCaption(lock);
  app.fix.CourseColour = colour::kRed;
  if (app.settings.ComPortIn != 0) DrawCompass(app);
}

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

void DecodeValidFix(App& app) {
  FixState& fix = app.fix;
  Form1& f = app.form1;
  const std::string& s = fix.GPRMCSentence;
  f.lblLock.SetCaption("Rx ok");
  fix.CourseColour = colour::kGreen;
  fix.LatitudeText.clear();
  fix.LongitudeText.clear();
  fix.UtcDateText.clear();
  fix.UtcTimeText.clear();
  fix.CourseText.clear();
  fix.SpeedKnotsText.clear();

  const std::string latHemisphere = GetNmeaField(kRmcLatHemisphere, 1, s);
  const std::string longHemisphere = GetNmeaField(kRmcLongHemisphere, 10, s);
  fix.LatitudeText = FormatLatitude(GetNmeaField(kRmcLatitude, 9, s)) + latHemisphere;
  fix.LongitudeText = FormatLongitude(GetNmeaField(kRmcLongitude, 10, s)) + longHemisphere;
  ShowPosition(app, latHemisphere, longHemisphere);
  ShowGPSDate(app);

  const std::string t = RoundTime(GetNmeaField(kRmcTime, 10, s));
  if (t.size() == 6) {
    fix.UtcTimeText = Format(Val(t), "00:00:00");
    f.lblTime.SetCaption(fix.UtcTimeText);
    if (app.settings.ComPortIn >= 1) SetPcClock(app, t);
  }
  fix.CourseText = FormatHeading(GetNmeaField(kRmcCourse, 5, s));
  fix.SpeedKnotsText = GetNmeaField(kRmcSpeed, 5, s);

  std::string h = GetHeadingText(app);
  const bool flux = h.find('F') != std::string::npos;
  if (flux) h.pop_back();
  f.lblCompass.SetBackColor(flux ? colour::kCyan : colour::kWhite);
  f.lblCompass.SetCaption(h);
  DDElinks(app);

  f.lblCompassText.SetCaption(CompassTextOf(app, h));
  const bool moving = Val(fix.SpeedKnotsText) > app.settings.MinGpsSpeedOut;
  f.lblCompassText.SetBackColor(moving ? colour::kLightYellow : colour::kPink);
  if (app.settings.ComPortIn == 0) {
    f.lblCompassText.SetBackColor(colour::kPink);
    f.lblCompassText.SetCaption(app.CompassTexts[17]);
    fix.CourseColour = colour::kRed;
  }
  DrawCompass(app);
  ShowSpeed(app, static_cast<float>(Val(fix.SpeedKnotsText)));
  LoggingSummer(app, fix.GPRMCSentence, true);
}

}  // namespace

// $GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A
// (field numbers in gprmc.h)
void ExtractingGPRMC(App& app, std::string_view text) {
  FixState& fix = app.fix;
  Form1& f = app.form1;
  const int input = app.settings.ComPortIn;
  if (input != 0) {
    fix.GPRMCSentence = GetDecodableSentence(app, "$GPRMC", text);
  } else {
    f.lblLock.SetCaption("No Rx");
    fix.GPRMCSentence = kZeroSentence;
  }
  if (fix.GPRMCSentence.empty()) {
    fix.GPRMCFound = false;
    fix.OldDataShown = true;
    MarkNoFix(app, "Old data");
    return;
  }
  f.lblGPRMC.SetCaption(fix.GPRMCSentence);
  fix.GPRMCFound = true;
  fix.NoRxCount = 0;
  if (fix.OldDataShown && input > 0) {
    fix.OldDataShown = false;
    RestoreFrameCaption(app);
  }
  if (input > 0) f.tmrComInTimeOut.Restart();
  if (CommaCount(fix.GPRMCSentence) < kRmcCommas) return;
  if (GetNmeaField(kRmcDate, 1, fix.GPRMCSentence).empty()) {
    MarkNoFix(app, "Old data");
    return;
  }
  fix.RmcStatus = GetNmeaField(kRmcStatus, 1, fix.GPRMCSentence);
  f.lblVal1.SetCaption(fix.RmcStatus);
  CountVoid(app);
  if (fix.RmcStatus == "V") {
    f.lblLock.SetCaption("Rx not ok");
    ShowGPSDate(app);
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
  DecodeValidFix(app);
}

}  // namespace koralin
