#include "nmea/position.h"

#include "app/app.h"
#include "common/basic.h"
#include "nmea/gprmc.h"

namespace koralin {

namespace {

// Digits and points only, rounded to two decimals, padded to `width` digits
// before the point.
std::string FormatCoordinate(std::string_view field, std::size_t width) {
  std::string kept;
  for (char c : field)
    if ((c >= '0' && c <= '9') || c == '.') kept += c;
  const double v = Val(kept);
  if (v == 0) return std::string(width, '0') + ".00";
  std::string t = NumText(RoundHalfEven(v, 2));
  const std::size_t point = InStr(t, ".");
  if (point == 0)
    t += ".00";
  else if (point == t.size())
    t += "00";
  else if (point == t.size() - 1)
    t += "0";
  const std::size_t digits = InStr(t, ".") - 1;
  if (digits < width) t.insert(0, width - digits, '0');
  return t;
}

// 52°12.35'N from 5212.35N (degDigits 2) or 004°54.32'E from 00454.32E (3).
std::string DegreesMinutes(std::string_view text, std::size_t degDigits) {
  return Mid(text, 1, degDigits) + kDegree + Mid(text, degDigits + 1, 2) + "." + Mid(text, degDigits + 4, 2) + "'" +
         Mid(text, degDigits + 6, 1);
}

std::string PositionCaption(App& app, std::string_view text, std::size_t degDigits, std::string_view hemisphere) {
  if (!app.settings.DecimalDegrees) return DegreesMinutes(text, degDigits);
  return Replace(Format(sngConv2Decimal(text), ".00000"), ",", ".") + std::string(hemisphere);
}

}  // namespace

std::string FormatLatitude(std::string_view field) { return FormatCoordinate(field, 4); }
std::string FormatLongitude(std::string_view field) { return FormatCoordinate(field, 5); }

float sngConv2Decimal(std::string_view text) {
  if (text.empty()) return 0;
  const std::size_t p = InStr(text, ".");
  if (p == 0) return 0;
  const double degrees = p > 3 ? Val(Mid(text, 1, p - 3)) : 0;
  const double minutes = p > 1 ? Val(Mid(text, p > 2 ? p - 2 : 1, p > 2 ? 2 : p - 1)) : 0;
  const double hundredths = Val(Mid(text, p + 1, 2));
  float result = static_cast<float>(minutes / 60 + degrees + hundredths / 60 * 0.01);
  const std::string last = UCase(Right(text, 1));
  if (last == "S" || last == "W") result = -result;
  return result;
}

void ShowPosition(App& app, std::string_view latHemisphere, std::string_view longHemisphere) {
  app.form1.lblLatitude.SetCaption(PositionCaption(app, app.fix.LatitudeText, 2, latHemisphere));
  app.form1.lblLongitude.SetCaption(PositionCaption(app, app.fix.LongitudeText, 3, longHemisphere));
}

void ShowDegrees(App& app, bool init) {
  Settings& s = app.settings;
  if (!init) s.DecimalDegrees = !s.DecimalDegrees;
  const Colour back = s.DecimalDegrees ? colour::kYellow : colour::kWhite;
  app.form1.lblLatitude.SetBackColor(back);
  app.form1.lblLongitude.SetBackColor(back);
  if (init && s.ComPortIn == 0) app.fix.GPRMCSentence = kZeroSentence;
  if (app.form1.lblVal1.Caption() == "A") {
    ExtractingGPRMC(app, app.poll.RxText);
  } else if (!app.fix.LatitudeText.empty() || !app.fix.LongitudeText.empty()) {
    ShowPosition(app, Right(app.fix.LatitudeText, 1), Right(app.fix.LongitudeText, 1));
  }
}

}  // namespace koralin
