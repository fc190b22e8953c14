// Bearings of a Doppler direction finder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace koralin {

// Bearings are no comma sentences: "%123/4" (Agrelo), "DF101/9" and
// "$DFBRG200/4", three digits of bearing then "/" and a quality digit,
// sometimes followed by an amplitude such as "[12]".
struct DopplerBearing {
  std::string text;       // "%123/4", or "%123" when the quality digit is cut off
  std::string amplitude;  // "[12]"; "" when the text holds none
  int bearing = 0;        // the three digits: 999 when the set has none
  int quality = -1;       // the digit after "/"; -1 when none follows
};

// The last bearing with this prefix ("%", "$DFBRG" or "DF") in text.
std::optional<DopplerBearing> ParseDopplerBearing(std::string_view text, std::string_view prefix);
// The first bracketed amplitude such as "[12]"; "" when there is none.
std::string ExtractAmplitude(std::string_view s);
// True when every character is a digit (so also for "").
bool IsAllDigits(std::string_view s);

}  // namespace koralin
