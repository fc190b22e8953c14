#include "display/fix_view.h"

#include <cmath>

#include "app/app.h"
#include "common/basic.h"
#include "common/error.h"
#include "display/compass.h"
#include "nmea/degrees.h"
#include "nmea/position.h"

namespace koralin {

namespace {

constexpr const char* kNoAltitude = "lblHeight1";

std::string PositionCaption(App& app, std::string_view text, std::size_t degDigits, std::string_view hemisphere) {
  if (!app.settings.DecimalDegrees) return DegreesMinutes(text, degDigits);
  return DecimalDegreesText(text, hemisphere);
}

// A number text as the program writes it with a zero before a bare point.
std::string LeadingZero(std::string t) {
  if (t.starts_with(".")) return "0" + t;
  if (t.starts_with("-.")) return "-0" + t.substr(1);
  return t;
}

}  // namespace

void ShowPosition(App& app, std::string_view latHemisphere, std::string_view longHemisphere) {
  app.form1.lblLatitude.SetCaption(PositionCaption(app, app.fix.LatitudeText, 2, latHemisphere));
  app.form1.lblLongitude.SetCaption(PositionCaption(app, app.fix.LongitudeText, 3, longHemisphere));
}

void ShowGPSDate(App& app, std::string_view d) {
  if (d.size() != 6) return;
  const std::string day = Left(d, 2), month = Mid(d, 3, 2), year = Mid(d, 5, 2);
  app.fix.UtcDateText = day + "-" + month + "-20" + year;
  const double row = RoundHalfEven(Val(month));
  if (row < 0 || row > 12) throw RunTimeError(err::kSubscriptOutOfRange);
  app.form1.lblDate.SetCaption(day + "-" + app.fix.MonthTable[static_cast<std::size_t>(row)].name + "-20" + year);
}

std::string GetHeadingText(App& app) {
  const FixState& fix = app.fix;
  // A fix without RMC has no course: the compass speaks instead.
  if (fix.RmcStatus == "A" && !fix.CourseText.empty() && Val(fix.SpeedKnotsText) >= app.settings.MinGpsSpeedOut)
    return fix.CourseText;
  if (const std::optional<int> flux = FluxHeading(app)) return NumText(*flux) + kDegree + "F";
  return std::string("---") + kDegree;
}

std::optional<int> FluxHeading(const App& app) {
  const std::string& flux = app.heading.FluxHeadingText;
  if (flux.empty()) return std::nullopt;
  // Whole turns are taken off in double precision so that any heading a
  // compass may send stays within the range of the degrees.
  const double v = RoundHalfEven(Val(flux)) + app.settings.FluxCompassOffset;
  return static_cast<int>(NormaliseDegrees(static_cast<float>(std::fmod(v, 360.0))));
}

void ShowFixHeading(App& app) {
  Form1& f = app.form1;
  std::string h = GetHeadingText(app);
  const bool flux = h.find('F') != std::string::npos;
  if (flux) h.pop_back();
  f.lblCompass.SetBackColor(flux ? colour::kCyan : colour::kWhite);
  f.lblCompass.SetCaption(h);
}

void ShowCompassText(App& app) {
  Form1& f = app.form1;
  FixState& fix = app.fix;
  f.lblCompassText.SetCaption(CompassTextOf(app, f.lblCompass.Caption()));
  const bool moving = Val(fix.SpeedKnotsText) > app.settings.MinGpsSpeedOut;
  f.lblCompassText.SetBackColor(moving ? colour::kLightYellow : colour::kPink);
  if (app.settings.ComPortIn == 0) {
    f.lblCompassText.SetBackColor(colour::kPink);
    f.lblCompassText.SetCaption(app.CompassTexts[17]);
    fix.CourseColour = colour::kRed;
  }
}

void MarkNoFix(App& app, const char* lock) {
  if (lock) app.form1.lblLock.SetCaption(lock);
  app.fix.CourseColour = colour::kRed;
  if (app.settings.ComPortIn != 0) DrawCompass(app);
}

void ShowAltitudeSentence(App& app, const std::string& sentence, const std::optional<std::string>& feet) {
  Form1& f = app.form1;
  f.lblAltitude.SetVisible(true);
  f.lblAltitude.SetCaption(sentence);
  if (!feet) return;
  ShowAltitude(app, *feet);
  f.lblHeight1.SetCaption(feet->empty() ? std::string(kNoAltitude) : *feet + " ft");
}

void ShowAltitude(App& app, std::string_view feet) {
  Label& height = app.form1.lblHeight;
  if (!feet.empty()) height.SetVisible(true);
  const double v = Val(feet);
  std::string t;
  if (app.form1.mnuFeet2Metres.Checked())
    t = LeadingZero(NumText(RoundHalfEven(v * kFoot, 1))) + " m";
  else
    t = NumText(RoundHalfEven(v)) + " ft";
  height.SetCaption(std::move(t));
}

void ToggleHeightUnit(App& app, bool init) {
  Form1& f = app.form1;
  if (!init) f.mnuFeet2Metres.SetChecked(!f.mnuFeet2Metres.Checked());
  f.lblHeight.SetBackColor(f.mnuFeet2Metres.Checked() ? colour::kYellow : colour::kWhite);
  // Without an altitude yet the height stays hidden; it shows 0 in the new unit.
  const std::string& feet = f.lblHeight1.Caption();
  ShowAltitude(app, feet.empty() || feet == kNoAltitude ? std::string() : NumText(Val(feet)));
}

const char* LockText(int mode) {
  return mode == 1 ? "(Not locked)" : mode == 2 ? "(Locked 2D)" : mode == 3 ? "(Very good lock 3D)" : "";
}

void ShowBearing(App& app, const std::string& bearing, const std::string& amplitude) {
  Form1& f = app.form1;
  f.lblDoppler.SetVisible(true);
  f.lblDoppler.SetCaption(bearing);
  f.lblDoppler1.SetCaption(bearing);
  if (amplitude.size() > 1) {
    f.lblAmplitude.SetVisible(true);
    f.lblAmplitude.SetCaption(amplitude);
  }
}

void HideBearing(App& app) {
  app.form1.lblDoppler.SetVisible(false);
  app.form1.lblAmplitude.SetVisible(false);
}

}  // namespace koralin
