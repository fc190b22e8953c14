#include "nmea/altitude.h"

#include <cmath>
#include <optional>
#include <string>

#include "app/app.h"
#include "common/basic.h"
#include "common/error.h"
#include "log/logging.h"
#include "nmea/sentence.h"

namespace koralin {

namespace {

// One foot in metres, as the single-precision constant the altitude has
// always been computed with; 0.4572 m thus reads 1 ft, not 2.
constexpr double kFoot = static_cast<double>(0.3048f);
constexpr const char* kNoAltitude = "lblHeight1";

// The number of an altitude field; none when it lies beyond any range, so
// the last good altitude stays.
std::optional<double> Number(std::string_view s) {
  try {
    return Val(s);
  } catch (const RunTimeError&) {
    return std::nullopt;
  }
}

// An altitude field given in metres, in feet with `decimals` places, as text
// without blanks.
std::optional<std::string> MetresToFeet(std::string_view metres, int decimals) {
  const std::optional<double> m = Number(metres);
  if (!m || !std::isfinite(*m / kFoot)) return std::nullopt;
  return NumText(RoundHalfEven(*m / kFoot, decimals));
}

// A number text as the program writes it with a zero before a bare point.
std::string LeadingZero(std::string t) {
  if (t.starts_with(".")) return "0" + t;
  if (t.starts_with("-.")) return "-0" + t.substr(1);
  return t;
}

// The steps both altitude sentences share once their fields are cut out.
// `metres` tells whether the altitude field must be converted.
void ShowAltitudeSentence(App& app, const std::string& sentence, std::string a, bool metres, int decimals) {
  Form1& f = app.form1;
  f.lblAltitude.SetVisible(true);
  f.lblAltitude.SetCaption(sentence);
  if (metres) {
    if (a.empty()) return;
    std::optional<std::string> feet = MetresToFeet(a, decimals);
    if (!feet) return;
    a = std::move(*feet);
  } else if (!Number(a)) {
    return;
  }
  ShowAltitude(app, a);
  f.lblHeight1.SetCaption(a.empty() ? std::string(kNoAltitude) : a + " ft");
  LoggingSummer(app, sentence, true);
}

}  // namespace

// $GPGGA,121945,5146.6039,N,00531.2582,E,1,06,1.40,545.4,M,47.2,M,,*7A
//        time   latitude    longitude   quality, satellites, hdop, altitude, unit, ...
constexpr int kGgaAltitude = 9;
constexpr int kGgaAltitudeUnit = 10;  // "M" metres, else feet

void ExtractingGPGGA(App& app, std::string_view text) {
  FixState& fix = app.fix;
  fix.GPGGASentence = GetDecodableSentence(app, "$GPGGA", text);
  if (fix.GPGGASentence.empty()) return;
  const std::string& s = fix.GPGGASentence;
  const std::string unit = LCase(GetNmeaField(kGgaAltitudeUnit, 1, s));
  ShowAltitudeSentence(app, s, GetNmeaField(kGgaAltitude, 6, s), unit == "m", 0);
}

// $PGRMZ,93,f,3*21  (altitude, unit, fix dimension)
constexpr int kRmzAltitude = 1;
constexpr int kRmzAltitudeUnit = 2;  // "f" feet, else metres

void ExtractingPGRMZ(App& app, std::string_view text) {
  FixState& fix = app.fix;
  fix.PGRMZSentence = GetSentence(app, "$PGRMZ", text);
  if (fix.PGRMZSentence.empty()) return;
  const std::string& s = fix.PGRMZSentence;
  const std::string unit = LCase(GetNmeaField(kRmzAltitudeUnit, 1, s));
  ShowAltitudeSentence(app, s, GetNmeaField(kRmzAltitude, 6, s), unit != "f", 1);
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

}  // namespace koralin
