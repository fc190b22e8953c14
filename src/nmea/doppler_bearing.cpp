#include "nmea/doppler_bearing.h"

#include "common/basic.h"

namespace koralin {

std::optional<DopplerBearing> ParseDopplerBearing(std::string_view text, std::string_view prefix) {
  const std::size_t n = prefix.size();
  const std::size_t len = text.size();
  const std::size_t i = InStrRev(text, prefix);
  if (i == 0 || i - 1 + n + 3 > len) return std::nullopt;  // three digits must follow
  if (!IsAllDigits(Mid(text, i + n, 3))) return std::nullopt;
  // A quality digit is kept in the text only when the bearing ends the text.
  DopplerBearing b{Mid(text, i, i + n + 5 > len ? n + 5 : n + 3), ExtractAmplitude(text)};
  b.bearing = static_cast<int>(Val(Mid(text, i + n, 3)));
  const std::string quality = Mid(text, i + n + 3, 2);
  if (quality.size() == 2 && quality[0] == '/' && IsAllDigits(quality.substr(1))) b.quality = quality[1] - '0';
  return b;
}

std::string ExtractAmplitude(std::string_view s) {
  const std::size_t p = InStr(s, "[");
  if (p == 0) return {};
  const std::size_t q = InStr(p, s, "]");
  if (q == 0) return {};
  const std::string m = Mid(s, p, q - p + 1);
  if (m.size() > 2 && IsAllDigits(Mid(m, 2, m.size() - 2))) return m;
  return {};
}

bool IsAllDigits(std::string_view s) {
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace koralin
