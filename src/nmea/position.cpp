#include "nmea/position.h"

#include "common/basic.h"
#include "nmea/doppler_bearing.h"

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

}  // namespace

std::string DegreesMinutes(std::string_view text, std::size_t degDigits) {
  return Mid(text, 1, degDigits) + kDegree + Mid(text, degDigits + 1, 2) + "." + Mid(text, degDigits + 4, 2) + "'" +
         Mid(text, degDigits + 6, 1);
}

std::string DecimalDegreesText(std::string_view text, std::string_view hemisphere) {
  return Replace(Format(sngConv2Decimal(text), ".00000"), ",", ".") + std::string(hemisphere);
}

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

std::optional<double> CoordinateDegrees(std::string_view field, std::string_view hemisphere) {
  const std::size_t point = field.find('.');
  const std::size_t whole = point == std::string_view::npos ? field.size() : point;
  const std::string_view fraction = point == std::string_view::npos ? "" : field.substr(point + 1);
  if (whole < 3 || whole > 5 || !IsAllDigits(field.substr(0, whole)) || !IsAllDigits(fraction)) return std::nullopt;
  const std::string h = UCase(hemisphere);
  const bool latitude = h == "N" || h == "S";
  if (!latitude && h != "E" && h != "W") return std::nullopt;
  const double degrees = Val(field.substr(0, whole - 2));
  const double minutes = Val(field.substr(whole - 2));
  const double value = degrees + minutes / 60;
  if (minutes >= 60 || value > (latitude ? 90 : 180)) return std::nullopt;
  return h == "S" || h == "W" ? -value : value;
}

}  // namespace koralin
